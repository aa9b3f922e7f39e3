#include "questions/record_line.h"

namespace questions {

QStringView identifierOf(QStringView line0)
{
    qsizetype end = 0;
    while (end < line0.size() && line0[end] != u' ' && line0[end] != u'(' && line0[end] != u'\t')
        ++end;
    return line0.first(end);
}

MarkFault markFault(QStringView line0)
{
    const qsizetype open = line0.indexOf(u'(');
    if (open < 0)
        return MarkFault::Missing;
    if (open + 2 >= line0.size() || line0[open + 2] != u')')
        return MarkFault::Malformed;
    if (line0[open + 1] < u'A' || line0[open + 1] > u'D')
        return MarkFault::OutsideAToD;
    return MarkFault::None;
}

QChar answerLetter(QStringView line0)
{
    return markFault(line0) == MarkFault::None ? line0[line0.indexOf(u'(') + 1] : QChar();
}

QChar studyAnswerLetter(QStringView line0)
{
    const qsizetype open = line0.indexOf(u'(');
    return open < 0 || open + 1 >= line0.size() ? QChar() : line0[open + 1];
}

QString headingOf(QStringView line0)
{
    const qsizetype open = line0.indexOf(u'(');
    if (open < 0 || open + 3 > line0.size())
        return {};
    QString heading;
    heading.reserve(line0.size() - 3);
    return heading.append(line0.first(open)).append(line0.sliced(open + 3));
}

QStringView referenceIn(QStringView line0, qsizetype from)
{
    const qsizetype open = line0.indexOf(u'[', from);
    if (open < 0)
        return {};
    const qsizetype close = line0.indexOf(u']', open);
    return close < 0 ? QStringView() : line0.sliced(open, close - open + 1);
}

} // namespace questions
