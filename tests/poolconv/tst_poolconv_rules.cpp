// The converter's rules on small inputs: which releases it accepts and what it reports,
// how it reads Word's XML, and what --check says the study program would load.
#include "tools/poolconv/diagnostics.h"
#include "tools/poolconv/pool_check.h"
#include "tools/poolconv/pool_writer.h"
#include "tools/poolconv/release_parser.h"
#include "tools/poolconv/source_reader.h"

#include <QTest>

using namespace poolconv;

namespace {

QByteArray question(const QByteArray &idLine,
                    const QByteArray &choices = "A. one\nB. two\nC. three\nD. four\n")
{
    return idLine + "\nWhat is asked?\n" + choices + "~~\n";
}

QString joined(const Diagnostics &diag, Diagnostic::Severity severity)
{
    QStringList out;
    for (const Diagnostic &d : diag.all())
        if (d.severity == severity)
            out << d.toString();
    return out.join(u'\n');
}

Release parse(const QByteArray &text, Diagnostics &diag)
{
    return parseRelease(*readTextRelease(text).text, diag);
}

// A pool file of n generated records behind a standard header.
QByteArray generatedPool(int n)
{
    QByteArray out = "\"Title\",\"Dates\",\"Source\"\r\n";
    for (int i = 0; i < n; ++i)
        out += "T1A" + QByteArray::number(i) + " (B)\r\nQ?\r\nA.  a\r\nB.  b\r\nC.  c\r\nD.  d\r\n~~\r\n";
    return out;
}

} // namespace

class PoolconvRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void releaseParsing_data();
    void releaseParsing();
    void headingsMakeTheTableOfContents_data();
    void headingsMakeTheTableOfContents();
    void convertedRecordKeepsTheReleasedTextAndMapsHyphens();
    void moreThan1501QuestionsIsAnError();
    void documentXml_data();
    void documentXml();
    void entityExpansionBombFailsCleanly();
    void poolCheck_data();
    void poolCheck();
    void headerFieldsThatWouldShiftRecordsAreRefused();
    void contentsCheck_data();
    void contentsCheck();
};

void PoolconvRules::headingsMakeTheTableOfContents_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("contents"); // id|title|exam questions, joined by ";"
    const QByteArray q = question("T1A01 (C)");
    QTest::newRow("hyphens and the exam count")
        << "SUBELEMENT T1 - COMMISSION\xE2\x80\x99S RULES [6 Exam Questions - 6 Groups]\nT1A Purpose and "
           "use\n" +
               q
        << QStringLiteral("T1|COMMISSION\u2019S RULES|6;T1A|Purpose and use|0");
    QTest::newRow("en dashes, lower-case groups")
        << "SUBELEMENT T4 \xE2\x80\x93 PRACTICES [5 Exam Questions \xE2\x80\x93 5 groups]\n"
           "T4A \xE2\x80\x93 Station setup\n" +
               q
        << "T4|PRACTICES|5;T4A|Station setup|0";
    QTest::newRow("a dash before the count, singular")
        << "SUBELEMENT T0 - SAFETY - [1 exam question - 1 group]\nT0A Safety: RF\n" + q
        << "T0|SAFETY|1;T0A|Safety: RF|0";
    QTest::newRow("no count; a repeated heading counts once")
        << "SUBELEMENT T1 RULES\nT1A First\n" + q + "T1A Again\n" + question("T1A02 (A)")
        << "T1|RULES|0;T1A|First|0";
    QTest::newRow("errata before the pool are no heading")
        << "T1B - replace the group title\nSUBELEMENT T1 - RULES\n" + q << "T1|RULES|0";
}

void PoolconvRules::headingsMakeTheTableOfContents()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, contents);
    const SourceRead read = readTextRelease(input);
    QVERIFY(read.text);
    Diagnostics diag;
    QStringList got;
    for (const questions::TocEntry &e : parseRelease(*read.text, diag).contents)
        got << QStringLiteral("%1|%2|%3").arg(e.id, e.title).arg(e.examQuestions);
    QCOMPARE(got.join(u';'), contents);
}

void PoolconvRules::releaseParsing_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("error");  // a part of the error text; empty: no error
    QTest::addColumn<QString>("notice"); // a part of a notice; empty: not checked

    const QByteArray good = question("T1A01 (C) [97.1]");
    QTest::newRow("well-formed question") << good << 1 << QString() << QString();
    QTest::newRow("headings and blank lines between questions")
        << "SUBELEMENT T1 - RULES\n\nT1A Purpose\n\n" + good + "\n\nT1B Next group\n" + question("T1B01 (A)")
        << 2 << QString() << QString();
    QTest::newRow("no space before the rule reference")
        << question("T1D12 (A)[97.119(a)]") << 1 << QString() << QString();
    QTest::newRow("trailing spaces, leading tabs, CR LF")
        << QByteArray("\tT1A01 (C) \r\n\tWhat?  \r\nA. a \r\nB. b\r\nC. c\r\nD. d\r\n~~ \r\n") << 1
        << QString() << QString();
    QTest::newRow("choice text glued to its letter")
        << question("G2E02 (B)", "A. a\nB. b\nC. c\nD.A DX spotting system\n") << 1 << QString()
        << QStringLiteral("choice D has no space");
    QTest::newRow("release without ~~ lines (blank line between questions)")
        << QByteArray("T1A01 (C)\nQ?\nA. a\nB. b\nC. c\nD. d\n\nT1A02 (D)\nQ?\nA. a\nB. b\nC. c\nD. d\n") << 2
        << QString() << QString();
    QTest::newRow("withdrawn question skipped")
        << good + "T1A04  Question Deleted (section not renumbered)\n~~\n" + question("T1A05 (A)") << 2
        << QString() << QStringLiteral("withdrawn question skipped");
    QTest::newRow("removed question skipped (older wording)")
        << good + "T7D05 Question Removed (section not renumbered)\n~~\n"
        << 1 << QString() << QStringLiteral("T7D05: note: withdrawn question skipped");
    QTest::newRow("errata notes before the pool are not questions")
        << QByteArray("E1E10 - update the rule citation to read:\nE1E10 (C) [97.509(m)]\n"
                      "E1F03 - replace answer D to read:\nD. The amplifier\n") +
               question("E1A01 (D)")
        << 1 << QString() << QString();
    QTest::newRow("end-of-pool line ends the questions")
        << good + "~~~~End of question pool text~~~~\nT1A02 (C)\nQ?\nA. a\nB. b\nC. c\nD. d\n"
        << 1 << QString() << QString();

    QTest::newRow("three choices") << good + question("T1A02 (A)", "A. a\nB. b\nC. c\n") << 2
                                   << QStringLiteral("T1A02: error: 3 choice(s) A, B, C") << QString();
    QTest::newRow("five choices") << question("T1A01 (A)", "A. a\nB. b\nC. c\nD. d\nE. e\n") << 1
                                  << QStringLiteral("5 choice(s)") << QString();
    QTest::newRow("choices out of order") << question("T1A01 (A)", "A. a\nC. c\nB. b\nD. d\n") << 1
                                          << QStringLiteral("choices lettered A, C, B, D") << QString();
    QTest::newRow("empty choice") << question("T1A01 (A)", "A. a\nB. b\nC.\nD. d\n") << 1
                                  << QStringLiteral("line 5: T1A01: error: choice C is empty") << QString();
    QTest::newRow("empty question line") << QByteArray("T1A01 (A)\n\nA. a\nB. b\nC. c\nD. d\n~~\n") << 1
                                         << QStringLiteral("question line is missing or empty") << QString();
    QTest::newRow("answer letter outside A to D")
        << good + question("T1A02 (E)") << 2 << QStringLiteral("line 8: T1A02: error: the answer letter")
        << QString();
    QTest::newRow("lower-case answer letter")
        << question("T1A01 (c)") << 1 << QStringLiteral("outside A to D") << QString();
    QTest::newRow("no answer mark") << good + question("T1A02 [97.1]") << 2
                                    << QStringLiteral("no \u201C(X)\u201D answer mark") << QString();
    QTest::newRow("answer mark not closed")
        << question("T1A01 (CD) [97.1]") << 1 << QStringLiteral("malformed") << QString();
    QTest::newRow("first parenthesis is not the mark")
        << good + question("T1A02 C [97.119(a)]") << 2 << QStringLiteral("does not open the answer mark")
        << QString();
    QTest::newRow("duplicate identifier")
        << good + good << 2 << QStringLiteral("duplicate identifier (first at line 1)") << QString();
    QTest::newRow("question of another pool")
        << good + question("G1A01 (A)") << 2 << QStringLiteral("belongs to another pool") << QString();
    QTest::newRow("control character")
        << question("T1A01 (A)", "A. a\nB. b\x07\nC. c\nD. d\n") << 1
        << QStringLiteral("choice B holds a character the program cannot show as written (U+0007)")
        << QString();
    QTest::newRow("invalid UTF-8") << question("T1A01 (A)", "A. caf\xe9\nB. b\nC. c\nD. d\n") << 1
                                   << QStringLiteral("line 3: T1A01: error: the choice A is not valid UTF-8")
                                   << QString();
    QTest::newRow("lone CR line ends")
        << QByteArray(good).replace('\n', '\r') + question("T1A02 (A)").replace('\n', '\r') << 2 << QString()
        << QString();
    QByteArray utf16 = "\xFF\xFE";
    for (const char ch : good + question("T1A02 (A)"))
        utf16.append(ch).append('\0');
    QTest::newRow("UTF-16 with a byte-order mark") << utf16 << 2 << QString() << QString();
    // A release without separators: nothing is due after a question, so stray lines are notes.
    const QByteArray bare = "T1A01 (C)\nQ?\nA. a\nB. b\nC. c\nD. d\n";
    QTest::newRow("escape sequences in an ignored line are shown escaped")
        << bare + "\x1B]0;owned\x07\x1B[2J\x9B\xE2\x80\xAE"
                  "evil\n"
        << 1 << QString()
        << QStringLiteral("ignored: \u201C\\x1B]0;owned\\x07\\x1B[2J\uFFFD\\u202Eevil\u201D");
    QTest::newRow("ignored lines listed up to thirty")
        << bare + QByteArray("junk\n").repeated(45) << 1 << QString()
        << QStringLiteral("in.txt: note: 15 more ignored line(s) not listed");
    // Where a question is due, a line that is no identifier line is an error, never a note.
    QTest::newRow("letter l for digit 1")
        << good + question("TlA05 (C)") << 1 << QStringLiteral("line 8: error: a question is due here")
        << QString();
    QTest::newRow("one digit short") << good + question("T1A5 (C)") << 1
                                     << QStringLiteral("line 8: error: a question is due here") << QString();
    QTest::newRow("letter after the digits")
        << good + question("T1A05x (C)") << 1 << QStringLiteral("line 8: error: a question is due here")
        << QString();
    QTest::newRow("the first record after the headings")
        << "SUBELEMENT T1 - RULES\nT1A Purpose\n" + question("T1A5 (C)") + good << 1
        << QStringLiteral("line 3: error: a question is due here") << QString();
    QTest::newRow("after a withdrawn question")
        << good + "T1A02 Question Deleted\n~~\n" + question("T1A3 (C)") << 1
        << QStringLiteral("line 10: error: a question is due here") << QString();
    QTest::newRow("empty input") << QByteArray() << 0 << QStringLiteral("no questions found") << QString();
    QTest::newRow("binary input") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18) << 0
                                  << QStringLiteral("not valid UTF-8: not a text file?") << QString();
}

void PoolconvRules::releaseParsing()
{
    QFETCH(QByteArray, input);
    QFETCH(int, questions);
    QFETCH(QString, error);
    QFETCH(QString, notice);

    Diagnostics diag(QStringLiteral("in.txt"));
    const Release release = parse(input, diag);
    QCOMPARE(release.questions.size(), questions);
    const QString errors = joined(diag, Diagnostic::Severity::Error);
    if (error.isEmpty())
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
    else
        QVERIFY2(errors.contains(error), qPrintable(errors));
    const QString notices = joined(diag, Diagnostic::Severity::Notice);
    if (!notice.isEmpty())
        QVERIFY2(notices.contains(notice), qPrintable(notices));
    // What reaches the terminal holds no control character, and lists few ignored lines.
    const QString all = errors + u'\n' + notices;
    QVERIFY(std::none_of(all.begin(), all.end(), [](QChar ch) { return ch < u' ' && ch != u'\n'; }));
    QVERIFY(notices.count(QStringLiteral(": note: ignored: ")) <= 30);
}

void PoolconvRules::convertedRecordKeepsTheReleasedTextAndMapsHyphens()
{
    Diagnostics diag(QStringLiteral("in.txt"));
    const QByteArray text = "2024-2028 Extra Class Pool 4th Errata\nIssued February 4, 2026\n"
                            "E7G07 (C)[97.1] \n"
                            "What gain in Figure E7\u20113, \u201Cfor\u201D 10 \u2013 20 ohms?\n"
                            "A. - 43 dB\nB. b\nC. c\nD.A DX\n~~\n";
    const Release release = parse(text, diag);
    QVERIFY2(!diag.hasErrors(), qPrintable(joined(diag, Diagnostic::Severity::Error)));
    QCOMPARE(release.effective, QStringLiteral("7/1/2024 - 6/30/2028"));
    QCOMPARE(release.releaseName,
             QStringLiteral("NCVEC 2024-2028 Extra Class Pool 4th Errata, issued February 4, 2026"));

    const PoolHeader header{defaultTitle(release.element), release.effective, release.releaseName};
    QCOMPARE(formatPool(header, release.questions),
             QByteArray("\"Extra Pool (Element 4)\",\"7/1/2024 - 6/30/2028\","
                        "\"NCVEC 2024-2028 Extra Class Pool 4th Errata, issued February 4, 2026\"\r\n"
                        "E7G07 (C)[97.1]\r\n"
                        "What gain in Figure E7-3, \u201Cfor\u201D 10 \u2013 20 ohms?\r\n"
                        "A.  - 43 dB\r\nB.  b\r\nC.  c\r\nD.  A DX\r\n~~\r\n"));
}

void PoolconvRules::moreThan1501QuestionsIsAnError()
{
    // Distinct identifiers: T<subelement><group><number>.
    QByteArray text;
    int made = 0;
    for (char sub = '0'; sub <= '9' && made < 1502; ++sub)
        for (char group = 'A'; group <= 'Z' && made < 1502; ++group)
            for (int n = 1; n <= 99 && made < 1502; ++n, ++made)
                text += question(QByteArray("T") + sub + group +
                                 QByteArray::number(n).rightJustified(2, '0') + " (A)");
    Diagnostics diag(QStringLiteral("big.txt"));
    const Release release = parse(text, diag);
    QCOMPARE(release.questions.size(), 1502);
    QVERIFY(joined(diag, Diagnostic::Severity::Error).contains(QStringLiteral("more than 1501 questions")));

    Diagnostics ok(QStringLiteral("full.txt"));
    parse(text.left(text.size() - question("T0A01 (A)").size()), ok);
    QVERIFY2(!ok.hasErrors(), qPrintable(joined(ok, Diagnostic::Severity::Error)));
}

void PoolconvRules::documentXml_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("lines"); // empty with an error
    QTest::addColumn<QString>("error");

    QTest::newRow("runs of a paragraph are joined")
        << QByteArray(
               "<w:p><w:r><w:t>T1A</w:t></w:r><w:r><w:t xml:space=\"preserve\">01 (C) </w:t></w:r></w:p>")
        << QStringList{QStringLiteral("T1A01 (C) ")} << QString();
    QTest::newRow("each paragraph is a line")
        << QByteArray("<w:p><w:r><w:t>one</w:t></w:r></w:p><w:p/><w:p><w:r><w:t>two</w:t></w:r></w:p>")
        << QStringList{QStringLiteral("one"), QString(), QStringLiteral("two")} << QString();
    QTest::newRow("non-breaking hyphen kept for the checks to map")
        << QByteArray("<w:p><w:r><w:t>Figure E7</w:t></w:r><w:r><w:noBreakHyphen/><w:t>3</w:t></w:r></w:p>")
        << QStringList{QStringLiteral("Figure E7\u20113")} << QString();
    QTest::newRow("run tab is text, tab stop is not")
        << QByteArray("<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>"
                      "<w:r><w:tab/><w:t>B. b</w:t></w:r></w:p>")
        << QStringList{QStringLiteral("\tB. b")} << QString();
    QTest::newRow("line break splits a paragraph")
        << QByteArray("<w:p><w:r><w:t>a</w:t><w:br/><w:t>b</w:t></w:r></w:p>")
        << QStringList{QStringLiteral("a"), QStringLiteral("b")} << QString();
    QTest::newRow("deleted and moved-away text left out")
        << QByteArray("<w:p><w:del><w:r><w:delText>old</w:delText><w:t>old2</w:t></w:r></w:del>"
                      "<w:moveFrom><w:r><w:t>gone</w:t></w:r></w:moveFrom><w:ins><w:r><w:t>new</w:t></w:r></"
                      "w:ins></w:p>")
        << QStringList{QStringLiteral("new")} << QString();
    QTest::newRow("Symbol-font multiplication sign")
        << QByteArray("<w:p><w:r><w:t>P = I </w:t><w:sym w:font=\"Symbol\" w:char=\"F0B4\"/><w:t> "
                      "E</w:t></w:r></w:p>")
        << QStringList{QStringLiteral("P = I \u00D7 E")} << QString();
    QTest::newRow("not well-formed") << QByteArray("<w:p><w:r><w:t>open") << QStringList()
                                     << QStringLiteral("not well-formed XML");
}

void PoolconvRules::documentXml()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, lines);
    QFETCH(QString, error);

    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:body>" +
        body + (error.isEmpty() ? "</w:body></w:document>" : "");
    const SourceRead read = paragraphsFromDocumentXml(xml);
    if (!error.isEmpty()) {
        QVERIFY(!read.text);
        QVERIFY2(read.error.contains(error), qPrintable(read.error));
        return;
    }
    QVERIFY2(read.text, qPrintable(read.error));
    QStringList got;
    for (const SourceLine &line : read.text->lines)
        got << line.text;
    QCOMPARE(got, lines);
}

void PoolconvRules::entityExpansionBombFailsCleanly()
{
    QByteArray xml = "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        xml += "<!ENTITY l" + QByteArray::number(i) + " \"" +
               ("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    xml += "]><w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
           "<w:body><w:p><w:r><w:t>&l9;</w:t></w:r></w:p></w:body></w:document>";
    const SourceRead read = paragraphsFromDocumentXml(xml);
    QVERIFY(!read.text);
    QVERIFY2(read.error.contains(QStringLiteral("not well-formed XML")), qPrintable(read.error));
}

void PoolconvRules::poolCheck_data()
{
    QTest::addColumn<QByteArray>("pool");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("error"); // a part of the errors; empty: none

    const QByteArray header = "\"Technician Pool (Element 2)\",\"7/1/2026 - 6/30/2030\",\"src\"\r\n";
    const QByteArray rec1 = "T1A01 (C) [97.1]\r\nQ?\r\nA.  a\r\nB.  b\r\nC.  c\r\nD.  d\r\n~~\r\n";
    const QByteArray rec2 = "T1A02 (A)\r\nQ?\r\nA.  a\r\nB.  b\r\nC.  c\r\nD.  d\r\n~~\r\n";

    QTest::newRow("two records") << header + rec1 + rec2 << true << 2 << "T1A01"
                                 << "T1A02" << QString();
    QTest::newRow("header fields on lines of their own")
        << QByteArray("\"Title, with comma\"\r\n  \"Dates\"\r\n\"Source\"\r\n") + rec1 << true << 1 << "T1A01"
        << "T1A01" << QString();
    QTest::newRow("incomplete last record not counted") << header + rec1 + "T1A02 (A)\r\nQ?\r\n"
                                                        << true << 1 << "T1A01"
                                                        << "T1A01" << QString();
    QTest::newRow("no records") << header << true << 0 << ""
                                << "" << QStringLiteral("no complete question");
    QTest::newRow("two header fields only") << QByteArray("\"Title\",\"Dates\"\r\n") << false << 0 << ""
                                            << "" << QStringLiteral("no third field");
    QTest::newRow("line 0 without answer mark")
        << header + rec1 + QByteArray(rec2).replace("(A)", "A") << true << 2 << "T1A01"
        << "T1A02" << QStringLiteral("line 9: T1A02: error: line 0 has no");
    QTest::newRow("answer letter outside A to D")
        << header + QByteArray(rec1).replace("(C)", "(c)") << true << 1 << "T1A01"
        << "T1A01" << QStringLiteral("outside A to D");
    QTest::newRow("choice line shorter than its prefix")
        << header + QByteArray(rec1).replace("B.  b", "B.") << true << 1 << "T1A01"
        << "T1A01" << QStringLiteral("line 5: T1A01: error: choice line B is shorter");
    QTest::newRow("duplicate identifier")
        << header + rec1 + rec1 << true << 2 << "T1A01"
        << "T1A01" << QStringLiteral("duplicate identifier (first at line 2)");
    QTest::newRow("Windows-1252 text")
        << header + QByteArray(rec1).replace("Q?", "Ohm\x92s law?") << true << 1 << "T1A01"
        << "T1A01" << QString();
    QTest::newRow("exactly 1501 records") << generatedPool(1501) << true << 1501 << "T1A0"
                                          << "T1A1500" << QString();
    QTest::newRow("an empty line after 1501 records") << generatedPool(1501) + "\r\n"
                                                      << false << 1501 << "T1A0"
                                                      << "T1A1500" << QStringLiteral("follows record 1501");
}

void PoolconvRules::poolCheck()
{
    QFETCH(QByteArray, pool);
    QFETCH(bool, loads);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, error);

    Diagnostics diag(QStringLiteral("pool.txt"));
    const PoolCheck check = checkPool(pool, diag);
    QCOMPARE(check.loads, loads);
    QCOMPARE(check.questionCount, count);
    if (count > 0) {
        QCOMPARE(check.firstId, first);
        QCOMPARE(check.lastId, last);
    }
    const QString errors = joined(diag, Diagnostic::Severity::Error);
    if (error.isEmpty())
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
    else
        QVERIFY2(errors.contains(error), qPrintable(errors));
}

void PoolconvRules::headerFieldsThatWouldShiftRecordsAreRefused()
{
    QVERIFY(headerProblem({QStringLiteral("T"), QStringLiteral("E"), QStringLiteral("S")}).isEmpty());
    QVERIFY(!headerProblem({QStringLiteral("A \"quoted\" title"), QStringLiteral("E"), QStringLiteral("S")})
                 .isEmpty());
    QVERIFY(
        !headerProblem({QStringLiteral("T"), QStringLiteral("two\nlines"), QStringLiteral("S")}).isEmpty());
    QVERIFY(!headerProblem({QStringLiteral("T"), QStringLiteral("E"), QString()}).isEmpty());
}

void PoolconvRules::contentsCheck_data()
{
    QTest::addColumn<QByteArray>("toc");
    QTest::addColumn<int>("titled");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("whole") << QByteArray("# c\nT1\tRules\t1\nT1A\tPurpose\n") << 2 << QStringList();
    QTest::newRow("a stray line, a stray identifier, a group untitled")
        << QByteArray("T1\tRules\nnot an entry\nT9Z\tElsewhere\n") << 1
        << QStringList{"line 2: note: skipped", "T9Z: note: no subelement or group",
                       "1 subelement(s) or group(s) without a title: T1A"};
}

void PoolconvRules::contentsCheck()
{
    QFETCH(QByteArray, toc);
    QFETCH(int, titled);
    QFETCH(QStringList, notices);
    const QByteArray pool =
        "\"T\",\"E\",\"S\"\r\nT1A01 (A)\r\nQ?\r\nA.  a\r\nB.  b\r\nC.  c\r\nD.  d\r\n~~\r\n";
    Diagnostics poolDiag;
    const PoolCheck check = checkPool(pool, poolDiag);
    Diagnostics diag(QStringLiteral("pool.toc"));
    QCOMPARE(checkContents(check.pool, toc, diag), titled);
    const QString got = joined(diag, Diagnostic::Severity::Notice);
    QCOMPARE(diag.all().size(), notices.size());
    for (const QString &notice : notices)
        QVERIFY2(got.contains(notice), qPrintable(got));
}

QTEST_APPLESS_MAIN(PoolconvRules)
#include "tst_poolconv_rules.moc"
