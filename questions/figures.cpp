// The figures a question names: "figure T-1", "Figure E6-3".
#include "questions/pool.h"

#include <QDir>
#include <QRegularExpression>

namespace questions {

namespace {
// The word "figure" in any letter case; a plain scan, because most questions name no
// figure and the loader asks this of every one.
bool mentionsFigure(QStringView text)
{
    static constexpr char16_t kWord[] = u"figure";
    constexpr qsizetype n = 6;
    for (qsizetype i = 0; i + n <= text.size(); ++i) {
        qsizetype k = 0;
        while (k < n && (text[i + k].unicode() | 0x20) == kWord[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}
} // namespace

QString figureNameIn(QStringView text)
{
    if (!mentionsFigure(text))
        return {};
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

QString figuresFolder(const QString &poolsFolder)
{
    return QDir(poolsFolder).filePath(QStringLiteral("figures"));
}

QString figurePath(const QString &poolsFolder, const QString &figure)
{
    return QDir(figuresFolder(poolsFolder)).filePath(figureFileName(figure));
}

} // namespace questions
