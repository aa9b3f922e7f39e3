// The pool model: parsing and its errors, the record checks, figures, look-up, groups and
// subelements, and the table of contents.
#include "questions/pool_file.h"
#include "questions/record_line.h"
#include "questions/table_of_contents.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using questions::Problem;

namespace {
const QByteArray kHeader = "\"Pool\",\"7/1/2026 - 6/30/2030\",\"src\"\r\n";

QByteArray rec(const QByteArray &line0, const QByteArray &question = "Q?")
{
    return line0 + "\r\n" + question + "\r\nA.  a\r\nB.  b\r\nC.  c\r\nD.  d\r\n~~\r\n";
}

QByteArray records(int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += rec("T1A" + QByteArray::number(i).rightJustified(2, '0') + " (A)");
    return out;
}
} // namespace

class PoolModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reading_stops_where_the_file_does_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("leftover");
        QTest::addColumn<int>("headerFields");
        QTest::addColumn<int>("errorLine"); // -1: loads
        QTest::addColumn<QString>("error");
        QTest::newRow("two records") << kHeader + records(2) << 2 << 0 << 3 << -1 << "";
        QTest::newRow("incomplete last record kept aside") << kHeader + records(1) + "T1A09 (B)\r\nQ?\r\n"
                                                           << 1 << 2 << 3 << -1 << "";
        QTest::newRow("empty file") << QByteArray() << 0 << 0 << 0 << 1 << "no title field";
        QTest::newRow("two header fields")
            << QByteArray("\"T\",\"E\"\r\n") << 0 << 0 << 2 << 2 << "no third field";
        QTest::newRow("quoted field never closed")
            << QByteArray("\"T\"\r\n\"E\r\nx\r\n") << 0 << 0 << 1 << 4 << "no effective-dates field";
        QTest::newRow("exactly 1501") << kHeader + records(1501) << 1501 << 0 << 3 << -1 << "";
        QTest::newRow("an empty line after 1501") << kHeader + records(1501) + "\r\n"
                                                  << 1501 << 0 << 3 << 2 + 1501 * 7 << "follows record 1501";
    }
    void reading_stops_where_the_file_does()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(int, leftover);
        QFETCH(int, headerFields);
        QFETCH(int, errorLine);
        QFETCH(QString, error);
        const questions::PoolParse parse = questions::parsePool(file);
        QCOMPARE(parse.pool.questions.size(), count);
        QCOMPARE(parse.pool.leftoverLines.size(), leftover);
        QCOMPARE(parse.headerFields, headerFields);
        QCOMPARE(parse.ok(), errorLine < 0);
        if (parse.error) {
            QCOMPARE(parse.error->line, errorLine);
            QVERIFY2(parse.error->message.contains(error), qPrintable(parse.error->message));
        }
    }

    void a_record_becomes_a_question()
    {
        const QByteArray file = "\"Pool\"\r\n\"Dates\"\r\n\"Note\"\r\n" +
                                rec("T6C02 (B) [97.3(a)]", "What is component 1 in figure t\xE2\x80\x91"
                                                           "1?");
        const questions::PoolParse parse = questions::parsePool(file);
        QVERIFY(parse.ok());
        QCOMPARE(parse.pool.note, "Note");
        const questions::Question &q = parse.pool.questions.at(0);
        QCOMPARE(q.id().toString(), "T6C02");
        QCOMPARE(q.subelement().toString(), "T6");
        QCOMPARE(q.group().toString(), "T6C");
        QCOMPARE(q.correct(), QChar(u'B'));
        QCOMPARE(q.reference().toString(), "[97.3(a)]");
        QCOMPARE(q.choice(3).toString(), "d");
        QCOMPARE(q.figure(), "T-1");
        QCOMPARE(q.line(0).toString(), "T6C02 (B) [97.3(a)]");
        QCOMPARE(q.firstLine(), 4);
        QVERIFY(parse.pool.problems.isEmpty());
    }

    void malformed_records_are_reported_at_their_line_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QChar>("correct");
        const QByteArray good = rec("T1A01 (C) [97.1]");
        QTest::newRow("no answer mark") << rec("T1A01 C") << 2 << true << "no \u201C(X)\u201D" << QChar();
        QTest::newRow("mark not closed") << rec("T1A01 (C") << 2 << true << "malformed" << QChar();
        QTest::newRow("letter outside A-D") << rec("T1A01 (c)") << 2 << true << "outside A to D" << QChar();
        QTest::newRow("empty question")
            << rec("T1A01 (C)", "  ") << 3 << true << "question is empty" << QChar(u'C');
        QTest::newRow("short choice line") << QByteArray(good).replace("B.  b", "B.") << 5 << true
                                           << "choice line B is shorter" << QChar(u'C');
        QTest::newRow("empty choice")
            << QByteArray(good).replace("D.  d", "D.   ") << 7 << true << "choice D is empty" << QChar(u'C');
        QTest::newRow("choice out of step") << QByteArray(good).replace("C.  c", "X.  c") << 6 << false
                                            << "does not begin with its letter" << QChar(u'C');
        QTest::newRow("separator") << QByteArray(good).replace("~~", "--") << 8 << false << "separator"
                                   << QChar(u'C');
        QTest::newRow("identifier not NCVEC")
            << rec("Q17 (A)") << 2 << false << "not of the form" << QChar(u'A');
        QTest::newRow("duplicate") << good + good << 9 << true << "duplicate identifier (first at line 2)"
                                   << QChar(u'C');
    }
    void malformed_records_are_reported_at_their_line()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, line);
        QFETCH(bool, error);
        QFETCH(QString, message);
        QFETCH(QChar, correct);
        const questions::PoolParse parse = questions::parsePool(kHeader + record);
        QVERIFY(parse.ok()); // a malformed record still loads, as the window shows it
        QCOMPARE(parse.pool.problems.size(), 1);
        const Problem &p = parse.pool.problems.first();
        QCOMPARE(p.line, line);
        QCOMPARE(p.severity, error ? Problem::Severity::Error : Problem::Severity::Notice);
        QVERIFY2(p.message.contains(message), qPrintable(p.message));
        QCOMPARE(parse.pool.questions.first().correct(), correct);
    }

    void figures_are_found_in_any_case_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("figure");
        QTest::newRow("lower case") << "What is component 1 in figure T-1?"
                                    << "T-1";
        QTest::newRow("capital, two digits") << "In Figure E6-3, which is..."
                                             << "E6-3";
        QTest::newRow("any case, en dash") << "see FIGURE g7\u20131."
                                           << "G7-1";
        QTest::newRow("no hyphen") << "a figure VHF band"
                                   << "";
        QTest::newRow("a word after") << "the figure of merit"
                                      << "";
        QTest::newRow("glued to a word") << "configure T-1"
                                         << "";
        QTest::newRow("digits run on") << "figure T-1A"
                                       << "";
        // The word search skips ahead by the character under the word's end: the word at the
        // very start, after a near miss that shares its letters, and in mixed case.
        QTest::newRow("word first") << "Figure T-2 shows"
                                    << "T-2";
        QTest::newRow("after a near miss") << "figur, refigured, figure G1-4"
                                           << "G1-4";
        QTest::newRow("mixed case") << "fIgUrE E9-1"
                                    << "E9-1";
        QTest::newRow("cut short") << "in figur"
                                   << "";
    }
    void figures_are_found_in_any_case()
    {
        QFETCH(QString, text);
        QFETCH(QString, figure);
        QCOMPARE(questions::figureNameIn(text), figure);
        if (!figure.isEmpty())
            QCOMPARE(questions::figureFileName(figure), figure.toLower() + ".png");
    }

    void groups_subelements_and_look_up_follow_the_identifiers()
    {
        const QByteArray file = kHeader + rec("T1A01 (A)") + rec("T1B01 (A)") + rec("T1A02 (A)") +
                                rec("T2A01 (A)") + rec("odd (A)");
        questions::Pool pool = questions::parsePool(file).pool;
        QCOMPARE(pool.groups.size(), 3);
        QCOMPARE(pool.groups[0].questions, QList<int>({0, 2}));
        QCOMPARE(pool.subelements.size(), 2);
        QCOMPARE(pool.subelements[0].groups, QList<int>({0, 1}));
        QCOMPARE(pool.subelements[1].title, "T2"); // no table of contents: the identifier
        QCOMPARE(pool.indexOf(u"T1A02"), 2);
        QCOMPARE(pool.find(u"odd")->correct(), QChar(u'A'));
        QVERIFY(!pool.find(u"T9Z99"));
        QCOMPARE(pool.element(), "T");
        QCOMPARE(pool.key(), "T 2026-2030");
        pool.questions.append(questions::parsePool(kHeader + rec("G1A01 (A)")).pool.questions);
        pool.index();
        QCOMPARE(pool.element(), "");
        QCOMPARE(pool.key(), "2026-2030");
    }

    void views_outlive_the_pool_through_a_copy()
    {
        questions::Pool copy;
        QStringView text;
        QStringView choice;
        {
            const questions::Pool original = questions::parsePool(kHeader + records(3)).pool;
            copy = original;
            text = original.questions[2].text();
            choice = original.find(u"T1A01")->choice(1);
        }
        const QList<questions::Question> kept = copy.questions;
        copy = {};
        QCOMPARE(text.toString(), "Q?");
        QCOMPARE(choice.toString(), "b");
        QCOMPARE(kept[1].line(0).toString(), "T1A01 (A)");
        QCOMPARE(kept[1].group().toString(), "T1A");
    }

    void one_rule_reads_the_identifier_line_data()
    {
        QTest::addColumn<QString>("line0");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QChar>("answer");      // what the pool model and the exams take
        QTest::addColumn<QChar>("studyAnswer"); // what the study window takes
        QTest::addColumn<QString>("heading");
        QTest::newRow("well formed") << "T1A01 (B) [97.1]"
                                     << "T1A01" << QChar(u'B') << QChar(u'B') << "T1A01  [97.1]";
        QTest::newRow("mark at the end") << "T1A01 (D)"
                                         << "T1A01" << QChar(u'D') << QChar(u'D') << "T1A01 ";
        QTest::newRow("glued mark, tab") << "T1A01(C)\tx"
                                         << "T1A01" << QChar(u'C') << QChar(u'C') << "T1A01\tx";
        QTest::newRow("lower-case letter") << "T1A01 (c)"
                                           << "T1A01" << QChar() << QChar(u'c') << "T1A01 ";
        QTest::newRow("letter outside A-D") << "T1A01 (X) [1]"
                                            << "T1A01" << QChar() << QChar(u'X') << "T1A01  [1]";
        QTest::newRow("mark not closed") << "T1A01 (BC"
                                         << "T1A01" << QChar() << QChar(u'B') << "T1A01 ";
        QTest::newRow("mark cut short") << "T1A01 (B"
                                        << "T1A01" << QChar() << QChar(u'B') << "";
        QTest::newRow("bracket at the end") << "T1A01 ("
                                            << "T1A01" << QChar() << QChar() << "";
        QTest::newRow("no mark") << "T1A01 B"
                                 << "T1A01" << QChar() << QChar() << "";
        QTest::newRow("second mark ignored") << "X (A) (B)"
                                             << "X" << QChar(u'A') << QChar(u'A') << "X  (B)";
        QTest::newRow("empty") << ""
                               << "" << QChar() << QChar() << "";
    }
    void one_rule_reads_the_identifier_line()
    {
        QFETCH(QString, line0);
        QFETCH(QString, id);
        QFETCH(QChar, answer);
        QFETCH(QChar, studyAnswer);
        QFETCH(QString, heading);
        QCOMPARE(questions::identifierOf(line0).toString(), id);
        QCOMPARE(questions::answerLetter(line0), answer);
        QCOMPARE(questions::studyAnswerLetter(line0), studyAnswer);
        QCOMPARE(questions::headingOf(line0), heading);
        // The model keeps the well-formed letter only.
        QCOMPARE(questions::parsePool(kHeader + rec(line0.toUtf8())).pool.questions[0].correct(), answer);
    }

    void the_table_of_contents_names_what_it_can_data()
    {
        QTest::addColumn<QByteArray>("toc");
        QTest::addColumn<QStringList>("titles"); // T1, T1A, T1B
        QTest::addColumn<int>("examQuestions");
        const QByteArray good = "# test\nT1\tCOMMISSION'S RULES\t6\nT1A\tPurpose\nT1B\tAllocations\n";
        QTest::newRow("whole") << good << QStringList{"COMMISSION'S RULES", "Purpose", "Allocations"} << 6;
        QTest::newRow("missing") << QByteArray() << QStringList{"T1", "T1A", "T1B"} << 0;
        QTest::newRow("CR LF, unknown ids and junk skipped")
            << QByteArray(
                   "T1\tRules\tmany\r\nT9Z\tNone\r\nT1A\r\nt1b\tlower\r\n\x01\x02\xFF\r\nT1B\t\x07\r\n")
            << QStringList{"Rules", "T1A", "T1B"} << 0;
        QTest::newRow("binary") << QByteArray("\x00\xFF\xFE\t\t\n\x89PNG", 10)
                                << QStringList{"T1", "T1A", "T1B"} << 0;
        // Far larger than any table of contents: not read at all, by the program or poolconv.
        QTest::newRow("over a megabyte") << good + QByteArray("# padding\n").repeated(110 * 1024) + good
                                         << QStringList{"T1", "T1A", "T1B"} << 0;
    }
    void the_table_of_contents_names_what_it_can()
    {
        QFETCH(QByteArray, toc);
        QFETCH(QStringList, titles);
        QFETCH(int, examQuestions);
        QTemporaryDir dir;
        const QString pool = dir.filePath("questech.txt");
        QFile poolFile(pool);
        QVERIFY(poolFile.open(QIODevice::WriteOnly));
        poolFile.write(kHeader + rec("T1A01 (A)") + rec("T1B01 (B)"));
        poolFile.close();
        if (!toc.isEmpty()) {
            QFile tocFile(dir.filePath("questech.toc"));
            QVERIFY(tocFile.open(QIODevice::WriteOnly));
            tocFile.write(toc);
        }
        questions::PoolParse parse = questions::loadPoolFile(pool);
        QVERIFY(parse.ok());
        const questions::Pool &p = parse.pool;
        QCOMPARE((QStringList{p.subelements[0].title, p.groups[0].title, p.groups[1].title}), titles);
        QCOMPARE(p.subelements[0].examQuestions, examQuestions);
        if (toc.size() > questions::kMaxTocBytes)
            QVERIFY(questions::readTableOfContents(toc).entries.isEmpty());
        parse.pool.index(); // titles survive a rebuild
        QCOMPARE(parse.pool.groups[0].title, titles[1]);
    }

    void a_written_table_of_contents_reads_back()
    {
        const QList<questions::TocEntry> entries{{"E0", "SAFETY", 1}, {"E0A", "Safety:\tRF  hazards", 0}};
        const QList<questions::TocEntry> back =
            questions::parseTableOfContents(questions::formatTableOfContents(entries, "from\nthe release"));
        QCOMPARE(back.size(), 2);
        QCOMPARE(back[0].examQuestions, 1);
        QCOMPARE(back[1].title, "Safety: RF hazards");
        QCOMPARE(questions::tableOfContentsPath("dir.v2/quesgen.txt"), "dir.v2/quesgen.toc");
    }

    void each_element_has_one_pool_file_data()
    {
        QTest::addColumn<QChar>("element");
        QTest::addColumn<QString>("file");
        QTest::newRow("Technician") << QChar(u'T') << "questech.txt";
        QTest::newRow("General") << QChar(u'G') << "quesgen.txt";
        QTest::newRow("Extra") << QChar(u'E') << "quesextra.txt";
        QTest::newRow("lower case is none") << QChar(u't') << "";
        QTest::newRow("no element") << QChar() << "";
    }
    void each_element_has_one_pool_file()
    {
        QFETCH(QChar, element);
        QFETCH(QString, file);
        QCOMPARE(questions::poolFileName(element), file);
        QCOMPARE(questions::poolFileNames().contains(file), !file.isEmpty());
    }

    void a_pool_has_the_exam_rules_of_the_element_its_groups_name_data()
    {
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QString>("element"); // empty: no exam rules
        QTest::addColumn<int>("passMark");
        QTest::addColumn<bool>("grouped"); // the pool has groups, exam or not
        QTest::newRow("Technician") << records(3) << "T" << 26 << true;
        QTest::newRow("General") << rec("G1A01 (A)") + rec("G2B03 (B)") << "G" << 26 << true;
        QTest::newRow("Extra") << rec("E9H12 (A)") << "E" << 37 << true;
        QTest::newRow("first record of no exam") << rec("Q-1 (A)") + records(2) << "T" << 26 << true;
        QTest::newRow("another element") << rec("X1A01 (A)") + rec("X1A02 (A)") << "" << 0 << true;
        QTest::newRow("a lower-case letter") << rec("t1A01 (A)") << "" << 0 << false;
        QTest::newRow("no NCVEC identifier") << rec("Q-1 (A)") + rec("Q-2 (B)") << "" << 0 << false;
        QTest::newRow("two elements") << rec("T1A01 (A)") + rec("G1A01 (A)") << "" << 0 << true;
    }
    void a_pool_has_the_exam_rules_of_the_element_its_groups_name()
    {
        QFETCH(QByteArray, records);
        QFETCH(QString, element);
        QFETCH(int, passMark);
        QFETCH(bool, grouped);
        const questions::Pool pool = questions::parsePool(kHeader + records).pool;
        const auto rules = questions::examRulesFor(pool);
        QCOMPARE(rules.has_value(), !element.isEmpty());
        QCOMPARE(questions::examElementOf(pool), element.isEmpty() ? QChar() : element.front());
        if (rules) {
            QCOMPARE(rules->passMark, passMark);
            QCOMPARE(rules->questions, element == "E" ? 50 : 35);
        }
        for (const questions::Question &q : pool.questions) {
            // An NCVEC identifier names its exam group; another element's is grouped all the same.
            QCOMPARE(questions::groupOf(q.id()),
                     questions::isNcvecId(q.id()) ? q.group().toString() : QString());
            QCOMPARE(questions::subelementOf(q.id()),
                     questions::isNcvecId(q.id()) ? q.subelement().toString() : QString());
        }
        QCOMPARE(!pool.groups.isEmpty(), grouped);
    }

    void an_unreadable_pool_file_says_why()
    {
        const questions::PoolParse parse = questions::loadPoolFile(QStringLiteral("/nonexistent/pool.txt"));
        QVERIFY(!parse.ok());
        QCOMPARE(parse.error->line, 0);
        QCOMPARE(parse.error->message, "no such file");
    }
};

QTEST_GUILESS_MAIN(PoolModelTest)
#include "tst_pool_model.moc"
