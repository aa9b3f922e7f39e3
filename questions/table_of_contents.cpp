#include "questions/table_of_contents.h"

#include "questions/pool.h"
#include "textio/text_reader.h"

namespace questions {

namespace {

constexpr qsizetype kMaxTitle = 500;

bool isTocId(QStringView id)
{
    const auto upper = [](QChar c) { return c >= u'A' && c <= u'Z'; };
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return (id.size() == 2 || id.size() == 3) && upper(id[0]) && digit(id[1]) &&
           (id.size() == 2 || upper(id[2]));
}

bool usableTitle(QStringView title)
{
    if (title.isEmpty() || title.size() > kMaxTitle)
        return false;
    for (const QChar ch : title)
        if (ch.category() == QChar::Other_Control || ch.category() == QChar::Other_Surrogate)
            return false;
    return true;
}

} // namespace

QByteArray formatTableOfContents(const QList<TocEntry> &entries, const QString &comment)
{
    QString out = QStringLiteral("# ") + comment.simplified() + u'\n';
    for (const TocEntry &e : entries) {
        out += e.id + u'\t' + e.title.simplified();
        if (e.id.size() == 2 && e.examQuestions > 0)
            out += u'\t' + QString::number(e.examQuestions);
        out += u'\n';
    }
    return out.toUtf8();
}

TocRead readTableOfContents(const QByteArray &bytes)
{
    TocRead out;
    if (bytes.size() > kMaxTocBytes) {
        out.tooLarge = true;
        return out;
    }
    textio::TextReader reader(textio::decodeText(bytes));
    int lineNumber = 0;
    while (const std::optional<QStringView> line = reader.readLineView()) {
        ++lineNumber;
        if (line->trimmed().isEmpty() || line->startsWith(u'#'))
            continue;
        const QList<QStringView> fields = line->split(u'\t');
        if (fields.size() < 2 || !isTocId(fields[0])) {
            out.skippedLines.append(lineNumber);
            continue;
        }
        TocEntry entry{fields[0].toString(), fields[1].trimmed().toString(), 0};
        if (!usableTitle(entry.title)) {
            out.skippedLines.append(lineNumber);
            continue;
        }
        if (entry.id.size() == 2 && fields.size() >= 3) {
            bool ok = false;
            const int n = fields[2].trimmed().toInt(&ok);
            entry.examQuestions = ok && n > 0 && n <= kMaxQuestions ? n : 0;
        }
        out.entries.append(std::move(entry));
    }
    return out;
}

QList<TocEntry> parseTableOfContents(const QByteArray &bytes)
{
    return readTableOfContents(bytes).entries;
}

void applyTableOfContents(Pool &pool, const QByteArray &tocBytes)
{
    for (const TocEntry &e : parseTableOfContents(tocBytes)) {
        if (e.id.size() == 2) {
            for (Subelement &s : pool.subelements) {
                if (s.id == e.id) {
                    s.title = e.title;
                    s.examQuestions = e.examQuestions;
                }
            }
        } else {
            for (Group &g : pool.groups)
                if (g.id == e.id)
                    g.title = e.title;
        }
    }
}

} // namespace questions
