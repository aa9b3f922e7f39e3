// The figures a question names: "figure T-1", "Figure E6-3".
#include "questions/pool.h"

#include <QDir>
#include <QRegularExpression>

namespace questions {

namespace {
// The word "figure" in any letter case; a plain scan, because most questions name no
// figure and the loader asks this of every one. It looks at the character under the
// word's last letter and skips ahead by as much as that character allows (Horspool), so
// most of a text is never looked at.
bool mentionsFigure(QStringView text)
{
    static constexpr char16_t kWord[] = u"figure";
    constexpr qsizetype n = 6;
    // How far the word may move on when the character under its last letter is c: the
    // distance from c's last place in the word (the last letter not counted) to the end.
    const auto skip = [](char16_t c) -> qsizetype {
        switch (c | 0x20) {
        case u'f':
            return 5;
        case u'i':
            return 4;
        case u'g':
            return 3;
        case u'u':
            return 2;
        case u'r':
            return 1;
        default:
            return n;
        }
    };
    for (qsizetype i = 0; i + n <= text.size();) {
        const char16_t last = text[i + n - 1].unicode();
        if ((last | 0x20) == u'e') {
            qsizetype k = 0;
            while (k < n - 1 && (text[i + k].unicode() | 0x20) == kWord[k])
                ++k;
            if (k == n - 1)
                return true;
        }
        i += skip(last);
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
