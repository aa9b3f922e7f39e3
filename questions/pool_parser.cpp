// Reading a pool file: the three header fields, then seven-line records, each made a
// Question and checked for what the study window could not show or score.
#include "questions/pool.h"

#include "textio/text_reader.h"

#include <algorithm>

namespace questions {

namespace {

// Letter, digit, letter, two digits ("T1A01"): the form that names a subelement and a group.
// Any element letter is grouped, so a pool of another element still shows its groups (it has
// no exam rules: questions::isNcvecId is T, G and E alone).
bool hasIdentifierForm(QStringView id)
{
    const auto upper = [](QChar c) { return c >= u'A' && c <= u'Z'; };
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return id.size() == 5 && upper(id[0]) && digit(id[1]) && upper(id[2]) && digit(id[3]) && digit(id[4]);
}

// Line ends in text, counting CR LF, LF and a lone CR once each.
int lineEndsIn(QStringView text)
{
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            ++n;
        } else if (text[i] == u'\r') {
            ++n;
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        }
    }
    return n;
}

bool isBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

// The first "[...]" of line 0 after the identifier, as written.
QString referenceIn(const QString &line0, qsizetype from)
{
    const qsizetype open = line0.indexOf(u'[', from);
    if (open < 0)
        return {};
    const qsizetype close = line0.indexOf(u']', open);
    return close < 0 ? QString() : line0.mid(open, close - open + 1);
}

class RecordReader
{
public:
    explicit RecordReader(QList<Problem> &problems) : m_problems(problems) {}

    Question read(std::array<QString, kRecordLines> &&lines, int firstLine);

private:
    void error(const Question &q, int k, const QString &message)
    {
        m_problems.append({q.firstLine + k, q.id, message, Problem::Severity::Error});
    }
    void notice(const Question &q, int k, const QString &message)
    {
        m_problems.append({q.firstLine + k, q.id, message, Problem::Severity::Notice});
    }
    void readMark(Question &q);

    QList<Problem> &m_problems;
};

void RecordReader::readMark(Question &q)
{
    // The study window takes the answer from the character after the first "(".
    const QString &line0 = q.lines[0];
    const qsizetype open = line0.indexOf(u'(');
    if (open < 0) {
        error(q, 0,
              QStringLiteral("line 0 has no \u201C(X)\u201D answer mark: no answer would count as right"));
    } else if (open + 2 >= line0.size() || line0[open + 2] != u')') {
        error(q, 0, QStringLiteral("the answer mark after the first \u201C(\u201D is malformed"));
    } else if (const QChar letter = line0[open + 1]; letter < u'A' || letter > u'D') {
        error(q, 0,
              QStringLiteral(
                  "the answer letter \u201C%1\u201D is outside A to D: no answer would count as right")
                  .arg(letter));
    } else {
        q.correct = letter;
    }
    q.reference = referenceIn(line0, open < 0 ? q.id.size() : open);
}

Question RecordReader::read(std::array<QString, kRecordLines> &&lines, int firstLine)
{
    Question q;
    q.lines = std::move(lines);
    q.firstLine = firstLine;
    q.id = identifierOf(q.lines[0]);
    if (hasIdentifierForm(q.id)) {
        q.subelement = q.id.left(2);
        q.group = q.id.left(3);
    } else {
        notice(q, 0,
               q.id.isEmpty() ? QStringLiteral("line 0 names no identifier")
                              : QStringLiteral("the identifier is not of the form T1A01: it belongs to no "
                                               "subelement or group"));
    }
    readMark(q);

    q.text = q.lines[1];
    if (isBlank(q.text))
        error(q, 1, QStringLiteral("the question is empty"));
    q.figure = figureNameIn(q.text);

    static const QString letters = QStringLiteral("ABCD");
    for (int c = 0; c < 4; ++c) {
        const QString &line = q.lines[std::size_t(2 + c)];
        q.choices[std::size_t(c)] = line.mid(4);
        if (line.size() < 4)
            error(q, 2 + c,
                  QStringLiteral("choice line %1 is shorter than its four-character prefix").arg(letters[c]));
        else if (isBlank(q.choices[std::size_t(c)]))
            error(q, 2 + c, QStringLiteral("choice %1 is empty").arg(letters[c]));
        else if (!line.startsWith(letters[c]))
            notice(q, 2 + c,
                   QStringLiteral("choice line %1 does not begin with its letter: records may be out of step")
                       .arg(letters[c]));
    }
    if (q.lines[6] != u"~~")
        notice(q, 6, QStringLiteral("the separator line is not \u201C~~\u201D: records may be out of step"));
    return q;
}

} // namespace

QString identifierOf(const QString &line0)
{
    qsizetype end = 0;
    while (end < line0.size() && line0[end] != u' ' && line0[end] != u'(' && line0[end] != u'\t')
        ++end;
    return line0.left(end);
}

PoolParse parsePool(const QByteArray &bytes)
{
    PoolParse out;
    Pool &pool = out.pool;
    textio::TextReader reader(textio::decodeText(bytes));
    const auto lineHere = [&reader] { return 1 + lineEndsIn(reader.consumed()); };

    QString *const header[] = {&pool.title, &pool.effective, &pool.note};
    static const char *const missing[] = {"the header has no title field",
                                          "the header has no effective-dates field",
                                          "the header has no third field"};
    for (int i = 0; i < 3; ++i) {
        std::optional<QString> field = reader.readField();
        if (!field) {
            out.error = ParseError{lineHere(), QString::fromLatin1(missing[i])};
            pool.index();
            return out;
        }
        *header[i] = std::move(*field);
        out.headerFields = i + 1;
    }

    RecordReader records(pool.problems);
    // Room for records of about 300 characters, the size of real ones, without a pass to count them.
    pool.questions.reserve(std::min<qsizetype>(kMaxQuestions, reader.rest().size() / 300 + 1));
    std::array<QString, kRecordLines> lines;
    int k = 0;
    int lineNumber = lineHere();
    while (!reader.atEnd()) {
        if (pool.questions.size() >= kMaxQuestions) {
            out.error =
                ParseError{lineNumber, QStringLiteral("a line follows record %1; a pool holds at most "
                                                      "%1 questions")
                                           .arg(kMaxQuestions)};
            break;
        }
        lines[std::size_t(k)] = reader.readLineView()->toString();
        if (++k == kRecordLines) {
            pool.questions.append(records.read(std::move(lines), lineNumber - (kRecordLines - 1)));
            lines = {};
            k = 0;
        }
        ++lineNumber;
    }
    for (int i = 0; i < k; ++i)
        pool.leftoverLines.append(lines[std::size_t(i)]);
    if (k > 0)
        pool.problems.append({lineNumber - k,
                              {},
                              QStringLiteral("an incomplete last record of %1 line(s) is not counted").arg(k),
                              Problem::Severity::Notice});

    pool.index();
    const auto named = std::count_if(pool.questions.cbegin(), pool.questions.cend(),
                                     [](const Question &q) { return !q.id.isEmpty(); });
    const bool duplicates = named != pool.questionIds();
    for (int i = 0; duplicates && i < pool.questions.size(); ++i) {
        const Question &q = pool.questions[i];
        if (!q.id.isEmpty() && pool.indexOf(q.id) != i)
            pool.problems.append(
                {q.firstLine, q.id,
                 QStringLiteral("duplicate identifier (first at line %1)").arg(pool.find(q.id)->firstLine),
                 Problem::Severity::Error});
    }
    std::stable_sort(pool.problems.begin(), pool.problems.end(),
                     [](const Problem &a, const Problem &b) { return a.line < b.line; });
    return out;
}

} // namespace questions
