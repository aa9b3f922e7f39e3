#include "tools/poolconv/pool_check.h"

#include "engine/study_state.h"
#include "engine/text_reader.h"
#include "tools/poolconv/diagnostics.h"

#include <QHash>

#include <array>

namespace poolconv {

QString identifierOf(const QString &line0)
{
    qsizetype end = 0;
    while (end < line0.size() && line0[end] != u' ' && line0[end] != u'(' && line0[end] != u'\t')
        ++end;
    return line0.left(end);
}

namespace {

using Record = std::array<QString, engine::kRecordLines>;

int countLines(const QString &text)
{
    engine::TextReader reader(text);
    int n = 0;
    while (reader.readLine())
        ++n;
    return n;
}

bool showable(const QString &text, QChar *bad)
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

void checkRecord(const Record &r, int firstLine, Diagnostics &diag, QHash<QString, int> &seen)
{
    const QString id = identifierOf(r[0]);
    const auto at = [firstLine](int k) { return QStringLiteral("line %1").arg(firstLine + k); };

    const qsizetype open = r[0].indexOf(u'(');
    if (open < 0)
        diag.error(
            at(0), id,
            QStringLiteral("line 0 has no \u201C(X)\u201D answer mark: no answer would count as right"));
    else if (open + 2 >= r[0].size() || r[0][open + 2] != u')')
        diag.error(at(0), id, QStringLiteral("the answer mark after the first \u201C(\u201D is malformed"));
    else if (const QChar letter = r[0][open + 1]; letter < u'A' || letter > u'D')
        diag.error(at(0), id,
                   QStringLiteral(
                       "the answer letter \u201C%1\u201D is outside A to D: no answer would count as right")
                       .arg(letter));

    if (!id.isEmpty()) {
        if (const auto first = seen.constFind(id); first != seen.cend())
            diag.error(at(0), id, QStringLiteral("duplicate identifier (first at line %1)").arg(*first));
        else
            seen.insert(id, firstLine);
    }
    if (r[1].trimmed().isEmpty())
        diag.error(at(1), id, QStringLiteral("the question is empty"));
    static const QString letters = QStringLiteral("ABCD");
    for (int c = 0; c < 4; ++c) {
        const QString &line = r[std::size_t(2 + c)];
        if (line.size() < 4)
            diag.error(
                at(2 + c), id,
                QStringLiteral("choice line %1 is shorter than its four-character prefix").arg(letters[c]));
        else if (line.mid(4).trimmed().isEmpty())
            diag.error(at(2 + c), id, QStringLiteral("choice %1 is empty").arg(letters[c]));
        else if (!line.startsWith(letters[c]))
            diag.notice(
                at(2 + c), id,
                QStringLiteral("choice line %1 does not begin with its letter: records may be out of step")
                    .arg(letters[c]));
    }
    if (r[6] != u"~~")
        diag.notice(at(6), id,
                    QStringLiteral("the separator line is not \u201C~~\u201D: records may be out of step"));
    for (int k = 0; k < engine::kRecordLines; ++k) {
        QChar bad;
        if (!showable(r[std::size_t(k)], &bad))
            diag.error(
                at(k), id,
                QStringLiteral("a character the program cannot show as written (U+%1)")
                    .arg(QStringLiteral("%1").arg(uint(bad.unicode()), 4, 16, QLatin1Char('0')).toUpper()));
    }
}

} // namespace

PoolCheck checkPool(const QByteArray &bytes, Diagnostics &diag)
{
    PoolCheck result;
    result.windows1252 = engine::textEncoding(bytes) == engine::TextEncoding::Windows1252;
    if (result.windows1252)
        diag.notice({}, {}, QStringLiteral("not valid UTF-8: the program reads it as Windows-1252"));

    const QString text = engine::decodeText(bytes);
    const int totalLines = countLines(text);
    engine::TextReader reader(text);
    const auto fail = [&](const QString &why) {
        result.loads = false;
        result.failure = why;
        diag.error({}, {}, QStringLiteral("the program would fail to load it: ") + why);
        return result;
    };

    const std::optional<QString> title = reader.readField();
    if (!title)
        return fail(QStringLiteral("the header has no title field"));
    result.title = *title;
    const std::optional<QString> effective = reader.readField();
    if (!effective)
        return fail(QStringLiteral("the header has no effective-dates field"));
    result.effective = *effective;
    if (!reader.readField())
        return fail(QStringLiteral("the header has no third field"));

    // Records are counted the way the program counts them, so line numbers follow from
    // the lines left after the header.
    int recordLines = 0;
    {
        engine::TextReader rest = reader;
        while (rest.readLine())
            ++recordLines;
    }
    const int firstRecordLine = totalLines - recordLines + 1;

    QHash<QString, int> seen;
    Record record;
    int lineNumber = 0;
    int count = 0;
    bool stoppedChecking = false;
    while (!reader.atEnd()) {
        if (count > engine::kPoolRows - 1) {
            result.questionCount = count;
            return fail(
                QStringLiteral("a line follows record %1 (line %2); the program holds at most %1 questions")
                    .arg(engine::kPoolRows)
                    .arg(firstRecordLine + count * engine::kRecordLines));
        }
        record[std::size_t(lineNumber)] = *reader.readLine();
        if (++lineNumber == engine::kRecordLines) {
            const int recordLine = firstRecordLine + count * engine::kRecordLines;
            if (!diag.tooMany())
                checkRecord(record, recordLine, diag, seen);
            if (diag.tooMany() && !stoppedChecking) {
                diag.error(QStringLiteral("line %1").arg(recordLine), {},
                           QStringLiteral("too many errors; later records only counted"));
                stoppedChecking = true;
            }
            if (count == 0)
                result.firstId = identifierOf(record[0]);
            result.lastId = identifierOf(record[0]);
            lineNumber = 0;
            ++count;
        }
    }
    result.questionCount = count;
    result.leftoverLines = lineNumber;
    if (lineNumber > 0)
        diag.notice(QStringLiteral("line %1").arg(firstRecordLine + count * engine::kRecordLines), {},
                    QStringLiteral("an incomplete last record of %1 line(s) is not counted").arg(lineNumber));
    if (count == 0)
        diag.error({}, {}, QStringLiteral("no complete question: the program would show an empty record"));
    result.loads = true;
    return result;
}

} // namespace poolconv
