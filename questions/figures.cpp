// The figures a question names: "figure T-1", "Figure E6-3".
#include "questions/pool.h"

#include <QRegularExpression>

namespace questions {

QString figureNameIn(QStringView text)
{
    if (!text.contains(QStringLiteral("figure"), Qt::CaseInsensitive))
        return {}; // most questions: no pattern match needed
    // A letter, optional digits, a hyphen (plain, non-breaking or en dash) and digits.
    static const QRegularExpression pattern(
        QStringLiteral("\\bfigure\\s+([a-z][0-9]*)[-\u2011\u2013]([0-9]+)(?![0-9a-z])"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text.toString());
    if (!match.hasMatch())
        return {};
    return match.captured(1).toUpper() + u'-' + match.captured(2);
}

QString figureFileName(const QString &figure)
{
    return figure.toLower() + QStringLiteral(".png");
}

} // namespace questions
