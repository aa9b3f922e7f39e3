// Reading a pool file: the three header fields, then seven-line records, each made a
// Question and checked for what the study window could not show or score.
#include "questions/pool.h"

#include "questions/exam_rules.h"
#include "questions/record_line.h"
#include "textio/text_reader.h"

#include <algorithm>
#include <climits>

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

} // namespace

// Makes a question of seven lines of the decoded text, each given by its offset and
// size, and checks it for what the study window could not show or score.
class RecordReader
{
public:
    RecordReader(const QString &source, QList<Problem> &problems) : m_source(source), m_problems(problems) {}

    Question read(const std::array<QStringView, kRecordLines> &lines, int firstLine);

private:
    void error(const Question &q, int k, const QString &message)
    {
        m_problems.append({q.firstLine() + k, q.id().toString(), message, Problem::Severity::Error});
    }
    void notice(const Question &q, int k, const QString &message)
    {
        m_problems.append({q.firstLine() + k, q.id().toString(), message, Problem::Severity::Notice});
    }
    void readMark(Question &q);

    const QString &m_source;
    QList<Problem> &m_problems;
};

void RecordReader::readMark(Question &q)
{
    const QStringView line0 = q.line(0);
    const MarkFault fault = markFault(line0);
    switch (fault) {
    case MarkFault::Missing:
        error(q, 0,
              QStringLiteral("line 0 has no \u201C(X)\u201D answer mark: no answer would count as right"));
        break;
    case MarkFault::Malformed:
        error(q, 0, QStringLiteral("the answer mark after the first \u201C(\u201D is malformed"));
        break;
    case MarkFault::OutsideAToD:
        error(q, 0,
              QStringLiteral(
                  "the answer letter \u201C%1\u201D is outside A to D: no answer would count as right")
                  .arg(studyAnswerLetter(line0)));
        break;
    case MarkFault::None:
        break;
    }
    const qsizetype open = line0.indexOf(u'(');
    if (fault == MarkFault::None)
        q.m_correct = line0[open + 1]; // the letter answerLetter() gives, found once here
    const QStringView reference = referenceIn(line0, open < 0 ? q.id().size() : open);
    if (!reference.isEmpty())
        q.m_reference = {qint32(reference.data() - m_source.constData()), qint32(reference.size())};
}

Question RecordReader::read(const std::array<QStringView, kRecordLines> &lines, int firstLine)
{
    Question q;
    q.m_source = m_source;
    for (int k = 0; k < kRecordLines; ++k) {
        const QStringView line = lines[std::size_t(k)];
        q.m_lines[std::size_t(k)] = {qint32(line.data() - m_source.constData()), qint32(line.size())};
    }
    q.m_firstLine = firstLine;
    q.m_idSize = qint16(std::min<qsizetype>(identifierOf(lines[0]).size(), SHRT_MAX));
    if (hasIdentifierForm(q.id())) {
        q.m_groupSize = 3;
    } else {
        notice(q, 0,
               q.id().isEmpty() ? QStringLiteral("line 0 names no identifier")
                                : QStringLiteral("the identifier is not of the form T1A01: it belongs to no "
                                                 "subelement or group"));
    }
    readMark(q);

    if (isBlank(q.text()))
        error(q, 1, QStringLiteral("the question is empty"));
    q.m_figure = figureNameIn(q.text());

    static const QString letters = QStringLiteral("ABCD");
    for (int c = 0; c < 4; ++c) {
        const QStringView line = q.line(2 + c);
        if (line.size() < 4)
            error(q, 2 + c,
                  QStringLiteral("choice line %1 is shorter than its four-character prefix").arg(letters[c]));
        else if (isBlank(q.choice(c)))
            error(q, 2 + c, QStringLiteral("choice %1 is empty").arg(letters[c]));
        else if (!line.startsWith(letters[c]))
            notice(q, 2 + c,
                   QStringLiteral("choice line %1 does not begin with its letter: records may be out of step")
                       .arg(letters[c]));
    }
    if (q.line(6) != u"~~")
        notice(q, 6, QStringLiteral("the separator line is not \u201C~~\u201D: records may be out of step"));
    return q;
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

    const QString &source = reader.text();
    RecordReader records(source, pool.problems);
    // Room for records of about 300 characters, the size of real ones, without a pass to count them.
    pool.questions.reserve(std::min<qsizetype>(kMaxQuestions, reader.rest().size() / 300 + 1));
    std::array<QStringView, kRecordLines> lines;
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
        lines[std::size_t(k)] = *reader.readLineView();
        if (++k == kRecordLines) {
            pool.questions.append(records.read(lines, lineNumber - (kRecordLines - 1)));
            k = 0;
        }
        ++lineNumber;
    }
    for (int i = 0; i < k; ++i)
        pool.leftoverLines.append(lines[std::size_t(i)].toString());
    if (k > 0)
        pool.problems.append({lineNumber - k,
                              {},
                              QStringLiteral("an incomplete last record of %1 line(s) is not counted").arg(k),
                              Problem::Severity::Notice});

    pool.index();
    const auto named = std::count_if(pool.questions.cbegin(), pool.questions.cend(),
                                     [](const Question &q) { return !q.id().isEmpty(); });
    const bool duplicates = named != pool.questionIds();
    for (int i = 0; duplicates && i < pool.questions.size(); ++i) {
        const Question &q = pool.questions[i];
        if (!q.id().isEmpty() && pool.indexOf(q.id()) != i)
            pool.problems.append({q.firstLine(), q.id().toString(),
                                  QStringLiteral("duplicate identifier (first at line %1)")
                                      .arg(pool.find(q.id())->firstLine()),
                                  Problem::Severity::Error});
    }
    // Found record by record, so in order unless a leftover or duplicate came last.
    const auto byLine = [](const Problem &a, const Problem &b) { return a.line < b.line; };
    if (!std::is_sorted(pool.problems.cbegin(), pool.problems.cend(), byLine))
        std::stable_sort(pool.problems.begin(), pool.problems.end(), byLine);
    return out;
}

} // namespace questions
