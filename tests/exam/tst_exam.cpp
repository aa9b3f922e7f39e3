// The practice exam without widgets: the draw, the grading at the pass marks, the drill
// order, and pools that cannot make an exam.
#include "exam/draw.h"
#include "exam/session.h"
#include "exam/shuffle.h"
#include "tests/exam/exam_fixture.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using examtest::makePool;

class TestExam final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void draw_takes_one_question_from_each_group_in_pool_order_data();
    void draw_takes_one_question_from_each_group_in_pool_order();
    void draw_makes_every_question_of_a_group_equally_likely();
    void grading_passes_at_the_pass_mark_and_not_below_data();
    void grading_passes_at_the_pass_mark_and_not_below();
    void drill_asks_every_question_of_the_subelement_once_in_random_order();
    void a_pool_that_cannot_make_an_exam_says_why_data();
    void a_pool_that_cannot_make_an_exam_says_why();
    void shuffling_keeps_a_choice_that_refers_to_the_others_in_place_data();
    void shuffling_keeps_a_choice_that_refers_to_the_others_in_place();
};

void TestExam::draw_takes_one_question_from_each_group_in_pool_order_data()
{
    QTest::addColumn<QChar>("element");
    QTest::addColumn<int>("perGroup");
    QTest::addColumn<int>("expected");
    QTest::newRow("Technician, one question a group") << QChar(u'T') << 1 << 35;
    QTest::newRow("General, eleven a group") << QChar(u'G') << 11 << 35;
    QTest::newRow("Extra, fifty groups") << QChar(u'E') << 7 << 50;
}

void TestExam::draw_takes_one_question_from_each_group_in_pool_order()
{
    QFETCH(QChar, element);
    QFETCH(int, perGroup);
    QFETCH(int, expected);
    const questions::Pool pool = makePool(element, expected, perGroup);
    const exam::PlanOutcome outcome = exam::planExam(pool);
    QVERIFY2(outcome.ok(), qPrintable(outcome.error));
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        const QList<int> drawn = exam::drawExam(*outcome.plan, random);
        QCOMPARE(drawn.size(), expected);
        for (int i = 0; i < drawn.size(); ++i)
            QCOMPARE(pool.questions[drawn[i]].group().toString(), pool.groups[i].id);
    }
}

void TestExam::draw_makes_every_question_of_a_group_equally_likely()
{
    // Groups of 2 to 11 questions; chi-square critical values at p = 0.001 for 1..10 degrees of freedom.
    const double critical[] = {10.83, 13.82, 16.27, 18.47, 20.52, 22.46, 24.32, 26.12, 27.88, 29.59};
    QList<int> sizes(35, 3);
    for (int i = 0; i < 10; ++i)
        sizes[i] = i + 2;
    const questions::Pool pool = makePool(u'T', sizes);
    const exam::ExamPlan plan = *exam::planExam(pool).plan;

    QHash<int, int> seen;
    const int draws = 20000;
    QRandomGenerator random(20261208);
    for (int round = 0; round < draws; ++round)
        for (int index : exam::drawExam(plan, random))
            ++seen[index];
    for (int g = 0; g < 10; ++g) {
        const QList<int> &group = pool.groups[g].questions;
        const double expected = double(draws) / group.size();
        double chiSquare = 0;
        for (int index : group)
            chiSquare += (seen[index] - expected) * (seen[index] - expected) / expected;
        QVERIFY2(chiSquare < critical[group.size() - 2],
                 qPrintable(QStringLiteral("group of %1: chi-square %2").arg(group.size()).arg(chiSquare)));
    }
}

void TestExam::grading_passes_at_the_pass_mark_and_not_below_data()
{
    QTest::addColumn<QChar>("element");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("unanswered");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("passMark");
    QTest::newRow("Technician 25 of 35 fails") << QChar(u'T') << 25 << 0 << "25 of 35: failed"
                                               << "The pass mark is 26 of 35.";
    QTest::newRow("Technician 26 of 35 passes") << QChar(u'T') << 26 << 0 << "26 of 35: passed"
                                                << "The pass mark is 26 of 35.";
    QTest::newRow("General 26 of 35 passes, the rest unanswered")
        << QChar(u'G') << 26 << 9 << "26 of 35: passed"
        << "The pass mark is 26 of 35.";
    QTest::newRow("Extra 36 of 50 fails") << QChar(u'E') << 36 << 0 << "36 of 50: failed"
                                          << "The pass mark is 37 of 50.";
    QTest::newRow("Extra 37 of 50 passes") << QChar(u'E') << 37 << 0 << "37 of 50: passed"
                                           << "The pass mark is 37 of 50.";
    QTest::newRow("nothing answered fails") << QChar(u'T') << 0 << 35 << "0 of 35: failed"
                                            << "The pass mark is 26 of 35.";
}

void TestExam::grading_passes_at_the_pass_mark_and_not_below()
{
    QFETCH(QChar, element);
    QFETCH(int, right);
    QFETCH(int, unanswered);
    QFETCH(QString, summary);
    QFETCH(QString, passMark);
    const questions::ExamRules rules = *questions::examRulesFor(element);
    const questions::Pool pool = makePool(element, rules.questions, 2);
    const QList<int> drawn = exam::drawExam(*exam::planExam(pool).plan, *QRandomGenerator::global());

    // The first `right` are answered A (right), the last `unanswered` left blank, the rest wrong.
    exam::ExamSession session(rules, drawn, QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    for (int i = 0; i < rules.questions - unanswered; ++i) {
        session.goTo(i);
        session.choose(i < right ? u'A' : u'C');
    }
    QCOMPARE(session.unanswered(), unanswered);
    const exam::ExamResult result = session.handIn(pool, QDateTime(QDate(2026, 12, 8), QTime(10, 12, 5)));
    QCOMPARE(result.right, right);
    QCOMPARE(result.summary(), summary);
    QCOMPARE(result.passMarkText(), passMark);
    QCOMPARE(result.timeTakenText(), QStringLiteral("Time taken: 12 min 5 s"));

    // Five groups to a subelement: the first subelements hold the right answers.
    int rightSum = 0;
    for (const exam::SubelementScore &score : result.bySubelement) {
        QCOMPARE(score.total, 5);
        QCOMPARE(score.title, QStringLiteral("Title of ") + score.id);
        rightSum += score.right;
    }
    QCOMPARE(rightSum, right);
    QCOMPARE(result.bySubelement.first().right, qMin(right, 5));
}

void TestExam::drill_asks_every_question_of_the_subelement_once_in_random_order()
{
    const questions::Pool pool = makePool(u'T', {4, 3, 5, 2, 6, 3, 3});
    QList<int> expected;
    for (int i = 0; i < pool.questions.size(); ++i)
        if (pool.questions[i].subelement() == u"T1")
            expected.append(i);
    QCOMPARE(expected.size(), 20);

    QSet<QList<int>> orders;
    for (quint32 seed = 1; seed <= 5; ++seed) {
        QRandomGenerator random(seed);
        QList<int> order = exam::drillOrder(pool, u"T1", random);
        orders.insert(order);
        std::sort(order.begin(), order.end());
        QCOMPARE(order, expected);
    }
    QCOMPARE(orders.size(), 5);
    QRandomGenerator random(1);
    QVERIFY(exam::drillOrder(pool, u"T9", random).isEmpty());
}

void TestExam::a_pool_that_cannot_make_an_exam_says_why_data()
{
    QTest::addColumn<questions::Pool>("pool");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty pool") << questions::Pool{} << "it holds no questions";
    QTest::newRow("three questions") << makePool(u'T', 3, 1)
                                     << "one question from each of 35 groups, and this pool has 3 groups "
                                        "(3 questions)";
    QTest::newRow("an Extra pool short of a group")
        << makePool(u'E', 49, 2) << "one question from each of 50 groups, and this pool has 49 groups";

    QTest::newRow("no NCVEC identifiers")
        << makePool(u'T', 35, 1, [](int, QByteArray &line0, QByteArray &) { line0 = "(A)"; })
        << "no question identifier has the NCVEC form";
    QTest::newRow("a group with no answer marks")
        << makePool(u'T', 35, 2,
                    [](int i, QByteArray &line0, QByteArray &) {
                        if (i == 6 || i == 7)
                            line0 = line0.left(5) + (i == 6 ? "" : " (X)");
                    })
        << "group T1D has no question that can be asked";
    QTest::newRow("two elements") << makePool(u'T', 35, 1, [](int i, QByteArray &line0, QByteArray &) {
        if (i == 0)
            line0 = "G1A01 (A)";
    }) << "more than one element (G, T)";
}

void TestExam::a_pool_that_cannot_make_an_exam_says_why()
{
    QFETCH(questions::Pool, pool);
    QFETCH(QString, reason);
    const exam::PlanOutcome outcome = exam::planExam(pool);
    QVERIFY(!outcome.ok());
    QVERIFY2(outcome.error.contains(reason), qPrintable(outcome.error));
    QVERIFY(outcome.error.startsWith(QStringLiteral("No practice exam can be made from this pool")));
}

void TestExam::shuffling_keeps_a_choice_that_refers_to_the_others_in_place_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<int>("fixedFrom"); // choices from here on never move (4: all may)
    const QStringList plain{"A 50-ohm load", "Only a licensed amateur", "Both the E and H fields", "Four"};
    QTest::newRow("plain choices all move, the article A included") << plain << 4;
    QTest::newRow("all these choices, last, stays last")
        << QStringList{"One", "Two", "Three", "All these choices are correct"} << 3;
    QTest::newRow("none of these, last, stays last")
        << QStringList{"One", "Two", "Three", "None of these choices is correct; a reason"} << 3;
    QTest::newRow("all of the above, not last: pool order")
        << QStringList{"One", "All of the above", "Three", "Four"} << 0;
    QTest::newRow("a choice naming two letters: pool order")
        << QStringList{"One", "Two", "Three", "Both A and B are correct"} << 0;
    QTest::newRow("a choice naming an answer: pool order")
        << QStringList{"One", "Two", "Answer C, but only at night", "Four"} << 0;
}

void TestExam::shuffling_keeps_a_choice_that_refers_to_the_others_in_place()
{
    QFETCH(QStringList, choices);
    QFETCH(int, fixedFrom);
    const std::array<QString, 4> c{choices[0], choices[1], choices[2], choices[3]};
    QRandomGenerator random(5);
    QSet<QList<int>> seen;
    for (int round = 0; round < 200; ++round) {
        const exam::ChoiceOrder order = exam::shuffledOrder(c, random);
        QCOMPARE(QSet<int>(order.begin(), order.end()), QSet<int>({0, 1, 2, 3}));
        for (int i = fixedFrom; i < 4; ++i)
            QCOMPARE(order[std::size_t(i)], i);
        // The recorded letter is the pool's: shown and pool letters map back and forth.
        for (int i = 0; i < 4; ++i) {
            const QChar shown(u'A' + i);
            QCOMPARE(exam::shownLetter(order, exam::poolLetter(order, shown)), shown);
            QCOMPARE(c[std::size_t(exam::poolLetter(order, shown).unicode() - u'A')],
                     c[std::size_t(order[i])]);
        }
        seen.insert(QList<int>(order.begin(), order.end()));
    }
    const int movable = fixedFrom == 4 ? 4 : fixedFrom;
    const int orders[] = {1, 1, 2, 6, 24};
    QCOMPARE(int(seen.size()), orders[movable]); // every order of the movable choices occurs
    QCOMPARE(exam::poolLetter(exam::kPoolOrder, QChar()), QChar());
}

QTEST_GUILESS_MAIN(TestExam)
#include "tst_exam.moc"
