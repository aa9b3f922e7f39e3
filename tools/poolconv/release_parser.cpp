#include "tools/poolconv/release_parser.h"

#include "tools/poolconv/diagnostics.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace poolconv {

namespace {

const QRegularExpression &idPattern()
{
    static const QRegularExpression re(QStringLiteral("^([TGE][0-9][A-Z][0-9]{2})(?![0-9A-Za-z])"));
    return re;
}

const QRegularExpression &choicePattern()
{
    static const QRegularExpression re(QStringLiteral("^([A-Z])\\."));
    return re;
}

const QRegularExpression &withdrawnPattern()
{
    static const QRegularExpression re(QStringLiteral("^\\s*Question\\s+(Deleted|Removed)\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &headingPattern()
{
    // "SUBELEMENT T1 - ..." and group headings such as "T1A Purpose ..." or "G1A – General ...".
    static const QRegularExpression re(QStringLiteral("^(SUBELEMENT\\b|[TGE][0-9][A-Z](?![0-9A-Za-z]))"));
    return re;
}

const QRegularExpression &subelementHeadingPattern()
{
    static const QRegularExpression re(
        QStringLiteral("^SUBELEMENT\\s+([TGE][0-9])(?![0-9A-Za-z])\\s*[-\u2011\u2013\u2014:]?\\s*(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &examQuestionsPattern()
{
    // "[6 Exam Questions - 6 Groups]", "[1 exam question - 1 group]"
    static const QRegularExpression re(QStringLiteral("\\[\\s*([0-9]+)\\s+exam\\s+questions?\\b[^\\]]*\\]"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &groupHeadingPattern()
{
    static const QRegularExpression re(
        QStringLiteral("^([TGE][0-9][A-Z])(?![0-9A-Za-z])\\s*[-\u2011\u2013\u2014:]?\\s*(.+)$"));
    return re;
}

// A heading's title without the dashes and spaces that stood between it and what followed.
QString headingTitle(QString text)
{
    text.replace(QChar(0x2011), u'-');
    static const QRegularExpression trailing(QStringLiteral("[\\s\u2013\u2014-]+$"));
    return text.remove(trailing).simplified();
}

const QRegularExpression &endPattern()
{
    // "~~~~End of question pool text~~~~": what follows are notes and figures.
    static const QRegularExpression re(QStringLiteral("^~+\\s*end of question pool text\\s*~+$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &yearsPattern()
{
    static const QRegularExpression re(
        QStringLiteral("^(20[0-9]{2})\\s*[-\u2013]\\s*(20[0-9]{2})\\s.*\\bClass\\b"));
    return re;
}

const QRegularExpression &issuedPattern()
{
    static const QRegularExpression re(QStringLiteral("^Issued\\s+(.+)$"));
    return re;
}

// "ABD" -> "A, B, D"
QString listed(const QString &letters)
{
    QStringList out;
    for (const QChar letter : letters)
        out.append(letter);
    return out.join(QStringLiteral(", "));
}

bool isChoice(const QString &line)
{
    return choicePattern().match(line).hasMatch();
}

QString quoted(const QString &text)
{
    constexpr qsizetype kMax = 60;
    return u'\u201C' + (text.size() > kMax ? text.left(kMax) + u'\u2026' : text) + u'\u201D';
}

struct Line
{
    const SourceLine *source;
    QString text; // without surrounding white space (tabs and no-break spaces included)
};

class Parser
{
public:
    Parser(const SourceText &text, Diagnostics &diagnostics) : m_text(text), m_diag(diagnostics)
    {
        for (const SourceLine &line : text.lines) {
            QString trimmed = line.text.trimmed();
            if (!trimmed.isEmpty())
                m_lines.append({&line, std::move(trimmed)});
        }
    }

    Release run();

private:
    QString place(qsizetype i) const { return m_text.place(*m_lines[i].source); }
    const QString &at(qsizetype i) const { return m_lines[i].text; }
    bool has(qsizetype i) const { return i < m_lines.size(); }

    // Errata notes before the pool quote identifiers, questions and single choices, so
    // the pool begins at the first question with every part in place (or at the
    // SUBELEMENT heading above it); from there on, anything shaped like a question is
    // read as one and its faults reported.
    qsizetype poolStart() const;
    bool isWholeQuestion(qsizetype i, const QString &rest) const;
    bool looksLikeQuestion(qsizetype i, const QString &rest) const;
    void readPreambleLine(const QString &line);
    qsizetype readQuestion(qsizetype i, const QString &id);
    // Adds a subelement or group heading to the table of contents; false when it is none.
    bool readHeading(const QString &line);
    void checkMark(qsizetype i, const QString &id, Question &q);
    // Checks one line of text that goes into the pool; maps what must be mapped.
    QString shipped(qsizetype i, const QString &id, QString text, const QString &what);

    const SourceText &m_text;
    Diagnostics &m_diag;
    QList<Line> m_lines;
    Release m_release;
    QHash<QString, QString> m_seen; // identifier -> place of its first appearance
    QSet<QString> m_headed;         // subelements and groups with a heading read
    QString m_previousLine;
    // Ignored lines are listed up to a few dozen; a binary file would bury the rest.
    static constexpr qsizetype kIgnoredListed = 30;
    qsizetype m_ignored = 0;
};

bool Parser::isWholeQuestion(qsizetype i, const QString &rest) const
{
    if (!rest.trimmed().startsWith(u'(') || !has(i + 5) || isChoice(at(i + 1)))
        return false;
    for (int c = 0; c < 4; ++c) {
        const QRegularExpressionMatch choice = choicePattern().match(at(i + 2 + c));
        if (!choice.hasMatch() || choice.captured(1) != QChar(u'A' + c))
            return false;
    }
    return true;
}

bool Parser::looksLikeQuestion(qsizetype i, const QString &rest) const
{
    const auto isChoiceA = [this](qsizetype k) { return has(k) && at(k).startsWith(QStringLiteral("A.")); };
    return rest.trimmed().startsWith(u'(') || isChoiceA(i + 1) || (isChoiceA(i + 2) && !isChoice(at(i + 1)));
}

void Parser::readPreambleLine(const QString &line)
{
    if (m_release.effective.isEmpty()) {
        const QRegularExpressionMatch years = yearsPattern().match(line);
        if (years.hasMatch())
            m_release.effective =
                QStringLiteral("7/1/%1 - 6/30/%2").arg(years.captured(1), years.captured(2));
    }
    if (m_release.releaseName.isEmpty()) {
        const QRegularExpressionMatch issued = issuedPattern().match(line);
        if (issued.hasMatch() && !m_previousLine.isEmpty())
            m_release.releaseName =
                QStringLiteral("NCVEC %1, issued %2").arg(m_previousLine, issued.captured(1).trimmed());
    }
    m_previousLine = line;
}

QString Parser::shipped(qsizetype i, const QString &id, QString text, const QString &what)
{
    if (m_lines[i].source->invalidUtf8) {
        m_diag.error(place(i), id, QStringLiteral("the %1 is not valid UTF-8").arg(what));
        return text;
    }
    if (text.contains(QChar(0x2011))) {
        // Word's non-breaking hyphen is missing from many fonts; "Figure E7-3" must survive.
        text.replace(QChar(0x2011), u'-');
        m_diag.notice(place(i), id,
                      QStringLiteral("non-breaking hyphen in the %1 written as a plain hyphen").arg(what));
    }
    for (const QChar ch : std::as_const(text)) {
        const QChar::Category category = ch.category();
        if (ch == QChar::ReplacementCharacter || category == QChar::Other_Control ||
            category == QChar::Other_Surrogate || category == QChar::Other_PrivateUse ||
            category == QChar::Other_NotAssigned) {
            m_diag.error(
                place(i), id,
                QStringLiteral("the %1 holds a character the program cannot show as written (U+%2)")
                    .arg(what,
                         QStringLiteral("%1").arg(uint(ch.unicode()), 4, 16, QLatin1Char('0')).toUpper()));
            break;
        }
    }
    return text;
}

void Parser::checkMark(qsizetype i, const QString &id, Question &q)
{
    const QString &line = at(i);
    // The program takes the answer from the character after the first "(" of the line.
    const qsizetype open = line.indexOf(u'(');
    if (open < 0) {
        m_diag.error(place(i), id, QStringLiteral("the identifier line has no \u201C(X)\u201D answer mark"));
    } else if (!line.mid(id.size(), open - id.size()).trimmed().isEmpty()) {
        m_diag.error(
            place(i), id,
            QStringLiteral("the first \u201C(\u201D of the identifier line does not open the answer mark"));
    } else if (open + 2 >= line.size() || line[open + 2] != u')') {
        m_diag.error(
            place(i), id,
            QStringLiteral(
                "the answer mark %1 is malformed: it must be \u201C(\u201D, a letter A to D, \u201C)\u201D")
                .arg(u'\u201C' + line.mid(open, 4) + u'\u201D'));
    } else if (const QChar letter = line[open + 1]; letter < u'A' || letter > u'D') {
        m_diag.error(
            place(i), id,
            QStringLiteral("the answer letter in \u201C%1\u201D is outside A to D").arg(line.mid(open, 3)));
    } else {
        q.answer = letter;
    }
}

qsizetype Parser::readQuestion(qsizetype i, const QString &id)
{
    Question q;
    q.place = place(i);
    q.id = id;
    q.idLine = shipped(i, id, at(i), QStringLiteral("identifier line"));
    checkMark(i, id, q);

    if (const auto first = m_seen.constFind(id); first != m_seen.cend())
        m_diag.error(place(i), id, QStringLiteral("duplicate identifier (first at %1)").arg(*first));
    else
        m_seen.insert(id, place(i));
    if (m_release.element.isNull())
        m_release.element = id[0];
    else if (id[0] != m_release.element)
        m_diag.error(place(i), id,
                     QStringLiteral("the identifier belongs to another pool than the first question's (%1)")
                         .arg(m_release.element));

    qsizetype j = i + 1;
    if (!has(j) || isChoice(at(j))) {
        m_diag.error(place(i), id, QStringLiteral("the question line is missing or empty"));
    } else {
        q.question = shipped(j, id, at(j), QStringLiteral("question"));
        if (withdrawnPattern().match(q.question).hasMatch())
            m_diag.error(
                place(j), id,
                QStringLiteral("the question reads as a withdrawal marker: %1").arg(quoted(q.question)));
        ++j;
    }

    QString letters;
    const qsizetype firstChoice = j;
    for (; has(j) && isChoice(at(j)); ++j) {
        const QString &line = at(j);
        const QChar letter = line[0];
        letters += letter;
        const int slot = int(letters.size()) - 1;
        const QString text = line.mid(2).trimmed();
        if (text.isEmpty())
            m_diag.error(place(j), id, QStringLiteral("choice %1 is empty").arg(letter));
        else if (!line[2].isSpace())
            m_diag.notice(place(j), id,
                          QStringLiteral("choice %1 has no space after its letter; read as %2")
                              .arg(letter)
                              .arg(quoted(QStringLiteral("%1. %2").arg(letter).arg(text))));
        if (slot < 4)
            q.choices[std::size_t(slot)] = shipped(j, id, text, QStringLiteral("choice %1").arg(letter));
    }
    if (letters.size() != 4)
        m_diag.error(place(has(firstChoice) ? firstChoice : i), id,
                     QStringLiteral("%1 choice(s) %2; a question needs exactly four, A to D")
                         .arg(letters.size())
                         .arg(letters.isEmpty() ? QStringLiteral("found") : listed(letters)));
    else if (letters != u"ABCD")
        m_diag.error(
            place(firstChoice), id,
            QStringLiteral("choices lettered %1; they must be A, B, C, D in order").arg(listed(letters)));

    if (has(j) && at(j) == u"~~")
        ++j;
    m_release.questions.append(std::move(q));
    if (m_release.questions.size() == kMaxQuestions + 1)
        m_diag.error(
            place(i), id,
            QStringLiteral("more than %1 questions: the program holds at most %1").arg(kMaxQuestions));
    return j;
}

bool Parser::readHeading(const QString &line)
{
    questions::TocEntry entry;
    if (const QRegularExpressionMatch m = subelementHeadingPattern().match(line); m.hasMatch()) {
        QString rest = m.captured(2);
        if (const QRegularExpressionMatch exam = examQuestionsPattern().match(rest); exam.hasMatch()) {
            entry.examQuestions = exam.captured(1).toInt();
            rest.remove(exam.capturedStart(), exam.capturedLength());
        }
        entry.id = m.captured(1).toUpper();
        entry.title = headingTitle(rest);
    } else if (const QRegularExpressionMatch g = groupHeadingPattern().match(line); g.hasMatch()) {
        entry.id = g.captured(1);
        entry.title = headingTitle(g.captured(2));
    } else {
        return false;
    }
    if (!entry.title.isEmpty() && !m_headed.contains(entry.id)) {
        m_headed.insert(entry.id);
        m_release.contents.append(std::move(entry));
    }
    return true;
}

qsizetype Parser::poolStart() const
{
    qsizetype whole = m_lines.size();
    for (qsizetype i = 0; i < m_lines.size() && whole == m_lines.size(); ++i) {
        const QRegularExpressionMatch id = idPattern().match(at(i));
        if (id.hasMatch() && isWholeQuestion(i, at(i).mid(id.capturedLength(1))))
            whole = i;
    }
    // The heading of the first question's subelement, so that a faulty first question
    // is still read, and reported.
    for (qsizetype i = whole - 1; i >= 0; --i)
        if (at(i).startsWith(QStringLiteral("SUBELEMENT")))
            return i;
    return whole == m_lines.size() ? 0 : whole;
}

Release Parser::run()
{
    const qsizetype start = poolStart();
    // Without a heading to start from, a faulty first question would vanish unnoticed.
    const bool headed = has(start) && at(start).startsWith(QStringLiteral("SUBELEMENT"));
    qsizetype i = 0;
    for (; i < start; ++i) {
        const QRegularExpressionMatch idMatch = idPattern().match(at(i));
        if (!headed && idMatch.hasMatch() && looksLikeQuestion(i, at(i).mid(idMatch.capturedLength(1))))
            m_diag.notice(place(i), idMatch.captured(1),
                          QStringLiteral("question-like lines before the first whole question skipped"));
        readPreambleLine(at(i));
    }
    // A question record is due after a "~~" separator and at the first heading of the pool:
    // a line there that is neither an identifier line nor a heading is a damaged identifier
    // ("TlA05", "T1A5"), whose question would otherwise vanish as ignored lines.
    bool due = headed;
    while (has(i)) {
        if (m_diag.tooMany()) {
            m_diag.error(place(i), {}, QStringLiteral("too many errors; stopped here"));
            break;
        }
        const QString &line = at(i);
        if (endPattern().match(line).hasMatch())
            break;
        const QRegularExpressionMatch idMatch = idPattern().match(line);
        if (!idMatch.hasMatch()) {
            if (line == u"~~") {
                due = true;
            } else if (!readHeading(line) && !headingPattern().match(line).hasMatch()) {
                if (due)
                    m_diag.error(place(i), {},
                                 QStringLiteral("a question is due here, but %1 is no identifier and answer "
                                                "mark such as \u201CT1A01 (C)\u201D")
                                     .arg(quoted(line)));
                else if (++m_ignored <= kIgnoredListed)
                    m_diag.notice(place(i), {}, QStringLiteral("ignored: %1").arg(quoted(line)));
                due = false;
            }
            ++i;
            continue;
        }
        due = false;
        const QString id = idMatch.captured(1);
        const QString rest = line.mid(id.size());
        if (withdrawnPattern().match(rest).hasMatch()) {
            m_diag.notice(place(i), id,
                          QStringLiteral("withdrawn question skipped (%1)").arg(quoted(rest.trimmed())));
            if (m_seen.contains(id))
                m_diag.error(place(i), id,
                             QStringLiteral("duplicate identifier (first at %1)").arg(m_seen.value(id)));
            else
                m_seen.insert(id, place(i));
            m_release.withdrawn.append(id);
            ++i;
            if (has(i) && at(i) == u"~~") {
                ++i;
                due = true;
            }
        } else if (looksLikeQuestion(i, rest)) {
            i = readQuestion(i, id);
            due = at(i - 1) == u"~~";
        } else {
            m_diag.error(place(i), id,
                         QStringLiteral("identifier line not followed by a question and its choices"));
            ++i;
        }
    }

    if (m_ignored > kIgnoredListed)
        m_diag.notice({}, {},
                      QStringLiteral("%1 more ignored line(s) not listed").arg(m_ignored - kIgnoredListed));
    if (m_release.questions.isEmpty()) {
        qsizetype invalid = 0;
        for (const SourceLine &source : m_text.lines)
            invalid += source.invalidUtf8 ? 1 : 0;
        m_diag.error(
            {}, {},
            invalid > 0
                ? QStringLiteral("no questions found; %1 line(s) are not valid UTF-8: not a text file?")
                      .arg(invalid)
                : QStringLiteral("no questions found: not a question pool in the NCVEC layout"));
    }
    return std::move(m_release);
}

} // namespace

Release parseRelease(const SourceText &text, Diagnostics &diagnostics)
{
    return Parser(text, diagnostics).run();
}

} // namespace poolconv
