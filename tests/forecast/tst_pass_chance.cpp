#include "forecast/pass_chance.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using Groups = QList<QList<double>>;

class TestPassChance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void small_exams_match_the_hand_count_data();
    void small_exams_match_the_hand_count();
    void the_chance_matches_a_simulation_of_drawn_exams_data();
    void the_chance_matches_a_simulation_of_drawn_exams();
    void the_line_shows_a_whole_percentage_and_the_expected_score_data();
    void the_line_shows_a_whole_percentage_and_the_expected_score();
};

void TestPassChance::small_exams_match_the_hand_count_data()
{
    QTest::addColumn<Groups>("groups");
    QTest::addColumn<int>("passMark");
    QTest::addColumn<double>("pass");
    QTest::addColumn<double>("expected");
    // Group chances 0.5, 0.8, 0.25; two of three: 0.5*0.8*0.75 + 0.5*0.2*0.25 + 0.5*0.8*0.25 + 0.5*0.8*0.25
    QTest::newRow("three groups, two to pass")
        << Groups{{0.5}, {0.8}, {0.25}} << 2 << 0.3 + 0.025 + 0.1 + 0.1 << 1.55;
    QTest::newRow("a group is the mean of its questions")
        << Groups{{1.0, 0.0}, {0.6, 1.0, 0.8}, {0.25, 0.25}} << 2 << 0.525 << 1.55;
    QTest::newRow("all three needed") << Groups{{0.5}, {0.8}, {0.25}} << 3 << 0.1 << 1.55;
    QTest::newRow("no groups, nothing to pass") << Groups{} << 0 << 1.0 << 0.0;
    QTest::newRow("no groups, a mark to reach") << Groups{} << 1 << 0.0 << 0.0;
    QTest::newRow("a mark above the questions") << Groups{{1.0}, {1.0}} << 3 << 0.0 << 2.0;
    QTest::newRow("an empty group is never right") << Groups{{1.0}, {}, {1.0}} << 3 << 0.0 << 2.0;
    QTest::newRow("chances outside 0..1 are clamped") << Groups{{1.5}, {-0.5}, {qQNaN()}} << 1 << 1.0 << 1.0;
}

void TestPassChance::small_exams_match_the_hand_count()
{
    QFETCH(Groups, groups);
    QFETCH(int, passMark);
    QFETCH(double, pass);
    QFETCH(double, expected);
    const forecast::ExamForecast result = forecast::forecastExam(groups, passMark);
    QCOMPARE(result.passProbability + 1, pass + 1); // +1: compare near zero on an absolute scale
    QCOMPARE(result.expectedScore + 1, expected + 1);
    QCOMPARE(result.questions, groups.size());
    QCOMPARE(result.passMark, passMark);
}

void TestPassChance::the_chance_matches_a_simulation_of_drawn_exams_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("passMark");
    QTest::addColumn<double>("low"); // range of a question's chance
    QTest::addColumn<double>("high");
    QTest::newRow("Technician, well studied") << 35 << 26 << 0.55 << 1.0;
    QTest::newRow("General, near the mark") << 35 << 26 << 0.45 << 0.95;
    QTest::newRow("Extra, near the mark") << 50 << 37 << 0.5 << 0.95;
}

// Draws whole exams the way the real one is drawn (one question from each group, answered
// right with its chance) and compares the pass rate with the exact figure.
void TestPassChance::the_chance_matches_a_simulation_of_drawn_exams()
{
    QFETCH(int, groups);
    QFETCH(int, passMark);
    QFETCH(double, low);
    QFETCH(double, high);
    QRandomGenerator random(20261208u + static_cast<quint32>(groups * 100 + passMark));
    Groups chances(groups);
    for (QList<double> &group : chances) {
        group.resize(3 + random.bounded(12));
        for (double &chance : group)
            chance = low + (high - low) * random.generateDouble();
    }
    const forecast::ExamForecast exact = forecast::forecastExam(chances, passMark);

    const int exams = 100'000;
    int passed = 0;
    double score = 0;
    for (int n = 0; n < exams; ++n) {
        int right = 0;
        for (const QList<double> &group : chances)
            right += random.generateDouble() < group[random.bounded(group.size())] ? 1 : 0;
        passed += right >= passMark ? 1 : 0;
        score += right;
    }
    const double rate = double(passed) / exams;
    const double error = std::sqrt(exact.passProbability * (1 - exact.passProbability) / exams);
    QVERIFY2(exact.passProbability > 0.01 && exact.passProbability < 0.99,
             "the case should not be a foregone one");
    QVERIFY2(std::abs(rate - exact.passProbability) < 4.5 * error,
             qPrintable(QStringLiteral("exact %1, simulated %2, standard error %3")
                            .arg(exact.passProbability)
                            .arg(rate)
                            .arg(error)));
    QVERIFY(std::abs(score / exams - exact.expectedScore) < 0.05);
}

void TestPassChance::the_line_shows_a_whole_percentage_and_the_expected_score_data()
{
    QTest::addColumn<double>("pass");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("line");
    QTest::newRow("typical") << 0.8312 << 28.449 << "Chance to pass: 83 %, expected 28.4 of 35";
    QTest::newRow("rounds to the nearest") << 0.495 << 25.96 << "Chance to pass: 50 %, expected 26.0 of 35";
    QTest::newRow("nearly certain is not certain")
        << 0.9996 << 34.0 << "Chance to pass: 99 %, expected 34.0 of 35";
    QTest::newRow("nearly hopeless is not hopeless")
        << 0.0004 << 8.75 << "Chance to pass: 1 %, expected 8.8 of 35";
    QTest::newRow("certain") << 1.0 << 35.0 << "Chance to pass: 100 %, expected 35.0 of 35";
    QTest::newRow("impossible") << 0.0 << 0.0 << "Chance to pass: 0 %, expected 0.0 of 35";
}

void TestPassChance::the_line_shows_a_whole_percentage_and_the_expected_score()
{
    QFETCH(double, pass);
    QFETCH(double, expected);
    QFETCH(QString, line);
    QCOMPARE(forecast::describe({pass, expected, 35, 26}), line);
}

QTEST_GUILESS_MAIN(TestPassChance)
#include "tst_pass_chance.moc"
