#include "tools/poolconv/pool_check.h"

#include "questions/table_of_contents.h"
#include "textio/text_reader.h"
#include "tools/poolconv/diagnostics.h"

#include <QSet>

#include <algorithm>

namespace poolconv {

namespace {

using questions::Problem;

bool showable(QStringView text, QChar *bad)
{
    for (const QChar ch : text) {
        const QChar::Category category = ch.category();
        if (category == QChar::Other_Control || category == QChar::Other_Surrogate ||
            category == QChar::Other_PrivateUse || category == QChar::Other_NotAssigned) {
            *bad = ch;
            return false;
        }
    }
    return true;
}

// The parser's findings and the characters the study window could not show, in line order.
QList<Problem> findings(const questions::Pool &pool)
{
    QList<Problem> all = pool.problems;
    for (const questions::Question &q : pool.questions) {
        for (int k = 0; k < questions::kRecordLines; ++k) {
            QChar bad;
            if (!showable(q.line(k), &bad))
                all.append({q.firstLine() + k, q.id().toString(),
                            QStringLiteral("a character the program cannot show as written (U+%1)")
                                .arg(QStringLiteral("%1")
                                         .arg(uint(bad.unicode()), 4, 16, QLatin1Char('0'))
                                         .toUpper())});
        }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Problem &a, const Problem &b) { return a.line < b.line; });
    return all;
}

} // namespace

PoolCheck checkPool(const QByteArray &bytes, Diagnostics &diag)
{
    PoolCheck result;
    result.windows1252 = textio::textEncoding(bytes) == textio::TextEncoding::Windows1252;
    if (result.windows1252)
        diag.notice({}, {}, QStringLiteral("not valid UTF-8: the program reads it as Windows-1252"));

    const questions::PoolParse parse = questions::parsePool(bytes);
    const questions::Pool &pool = parse.pool;
    result.title = pool.title;
    result.effective = pool.effective;
    result.questionCount = int(pool.questions.size());
    result.leftoverLines = int(pool.leftoverLines.size());
    if (!pool.questions.isEmpty()) {
        result.firstId = pool.questions.first().id().toString();
        result.lastId = pool.questions.last().id().toString();
    }

    for (const Problem &p : findings(pool)) {
        if (diag.tooMany()) {
            diag.error(QStringLiteral("line %1").arg(p.line), {},
                       QStringLiteral("too many errors; later records only counted"));
            break;
        }
        const QString place = QStringLiteral("line %1").arg(p.line);
        if (p.severity == Problem::Severity::Error)
            diag.error(place, p.questionId, p.message);
        else
            diag.notice(place, p.questionId, p.message);
    }

    if (!parse.ok()) {
        result.failure = parse.error->message;
        if (parse.error->line > 0 && parse.headerFields == 3)
            result.failure += QStringLiteral(" (line %1)").arg(parse.error->line);
        diag.error({}, {}, QStringLiteral("the program would fail to load it: ") + result.failure);
        return result;
    }
    if (pool.questions.isEmpty())
        diag.error({}, {}, QStringLiteral("no complete question: the program would show an empty record"));
    // An identifier is letters and digits; anything else in one (a no-break space, a
    // zero-width space) is a stray character that would cost the pool its element.
    for (const questions::Question &q : pool.questions) {
        const QStringView id = q.id();
        const auto stray = std::find_if(id.begin(), id.end(), [](QChar ch) {
            return !(ch >= u'A' && ch <= u'Z') && !(ch >= u'a' && ch <= u'z') && !(ch >= u'0' && ch <= u'9');
        });
        if (stray == id.end())
            continue;
        diag.error(
            QStringLiteral("line %1").arg(q.firstLine()), {},
            QStringLiteral("the identifier %1 holds a stray character (U+%2) at position %3")
                .arg(escapedForTerminal(id.toString()),
                     QStringLiteral("%1").arg(uint(stray->unicode()), 4, 16, QLatin1Char('0')).toUpper())
                .arg(stray - id.begin() + 1));
        if (diag.tooMany())
            break;
    }
    if (!pool.questions.isEmpty() && (pool.questions.first().id().isEmpty() ||
                                      !QStringView(u"TGE").contains(pool.questions.first().id().front())))
        diag.notice({}, {},
                    QStringLiteral("the first identifier does not start with T, G or E: the program "
                                   "finds no exam element for this pool"));
    result.loads = true;
    result.pool = pool;
    return result;
}

int checkContents(const questions::Pool &pool, const QByteArray &toc, Diagnostics &diag)
{
    const questions::TocRead read = questions::readTableOfContents(toc);
    for (const int line : read.skippedLines)
        diag.notice(QStringLiteral("line %1").arg(line), {},
                    QStringLiteral("skipped: not an identifier, a tab and a title"));
    QSet<QString> known;
    for (const questions::Subelement &s : pool.subelements)
        known.insert(s.id);
    for (const questions::Group &g : pool.groups)
        known.insert(g.id);
    QSet<QString> titled;
    for (const questions::TocEntry &e : read.entries) {
        if (known.contains(e.id))
            titled.insert(e.id);
        else
            diag.notice({}, e.id, QStringLiteral("no subelement or group of the pool has this identifier"));
    }
    QStringList untitled;
    for (const questions::Subelement &s : pool.subelements) {
        if (!titled.contains(s.id))
            untitled << s.id;
        for (const int g : s.groups)
            if (!titled.contains(pool.groups[g].id))
                untitled << pool.groups[g].id;
    }
    if (!untitled.isEmpty())
        diag.notice({}, {},
                    QStringLiteral("%1 subelement(s) or group(s) without a title: %2")
                        .arg(untitled.size())
                        .arg(untitled.join(QStringLiteral(", "))));
    return int(titled.size());
}

} // namespace poolconv
