#include "forecast/exam_day.h"

#include <QRandomGenerator>
#include <QTest>

using Groups = QList<QList<double>>;

class TestPassChance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void small_exams_match_the_hand_count_data();
    void small_exams_match_the_hand_count();
    void the_chance_matches_simulated_exams_data();
    void the_chance_matches_simulated_exams();
    void the_line_shows_whole_percent_and_expected_score_data();
    void the_line_shows_whole_percent_and_expected_score();
    void a_pool_is_gathered_into_its_groups();
    void the_swing_of_a_group_is_the_chance_with_it_right_less_wrong_data();
    void the_swing_of_a_group_is_the_chance_with_it_right_less_wrong();
};

void TestPassChance::small_exams_match_the_hand_count_data()
{
    QTest::addColumn<Groups>("groups");
    QTest::addColumn<int>("passMark");
    QTest::addColumn<double>("pass");
    QTest::addColumn<double>("expected");
    // Chances a = 0.5, b = 0.8, c = 0.25; two of three: ab(1-c) + a(1-b)c + (1-a)bc + abc.
    QTest::newRow("two of three") << Groups{{0.5}, {0.8}, {0.25}} << 2 << 0.3 + 0.025 + 0.1 + 0.1 << 1.55;
    QTest::newRow("a group is the mean of its questions")
        << Groups{{1.0, 0.0}, {0.6, 1.0, 0.8}, {0.25}} << 2 << 0.525 << 1.55;
    QTest::newRow("three of three") << Groups{{0.5}, {0.8}, {0.25}} << 3 << 0.1 << 1.55;
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
    QCOMPARE(result.passProbability + 1, pass + 1); // +1: an absolute comparison near zero
    QCOMPARE(result.expectedScore + 1, expected + 1);
    QCOMPARE(result.questions, groups.size());
}

void TestPassChance::the_chance_matches_simulated_exams_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("passMark");
    QTest::addColumn<double>("low"); // question chances drawn from [low, high)
    QTest::addColumn<double>("high");
    QTest::newRow("Technician, well studied") << 35 << 26 << 0.55 << 1.0;
    QTest::newRow("General, near the mark") << 35 << 26 << 0.45 << 0.95;
    QTest::newRow("Extra, near the mark") << 50 << 37 << 0.5 << 0.95;
}

// Sits 100,000 exams drawn as the real one is (a random question from each group, right with
// its chance) and compares the pass rate with the exact figure within 4.5 standard errors.
void TestPassChance::the_chance_matches_simulated_exams()
{
    QFETCH(int, groups);
    QFETCH(int, passMark);
    QFETCH(double, low);
    QFETCH(double, high);
    QRandomGenerator random(static_cast<quint32>(groups * 1000 + qRound(low * 100)));
    Groups chances(groups);
    for (QList<double> &group : chances) {
        group.resize(3 + random.bounded(12));
        for (double &chance : group)
            chance = low + (high - low) * random.generateDouble();
    }
    const forecast::ExamForecast exact = forecast::forecastExam(chances, passMark);
    QVERIFY(exact.passProbability > 0.01 && exact.passProbability < 0.99); // not a foregone case

    const int exams = 100'000;
    int passed = 0;
    for (int n = 0; n < exams; ++n) {
        int right = 0;
        for (const QList<double> &group : chances)
            right += random.generateDouble() < group[random.bounded(group.size())] ? 1 : 0;
        passed += right >= passMark ? 1 : 0;
    }
    const double error = std::sqrt(exact.passProbability * (1 - exact.passProbability) / exams);
    QVERIFY2(
        std::abs(double(passed) / exams - exact.passProbability) < 4.5 * error,
        qPrintable(
            QStringLiteral("exact %1, simulated %2").arg(exact.passProbability).arg(double(passed) / exams)));
}

void TestPassChance::the_line_shows_whole_percent_and_expected_score_data()
{
    QTest::addColumn<double>("pass");
    QTest::addColumn<QString>("line");
    QTest::newRow("typical") << 0.8312 << "Chance to pass: 83 %, expected 28.4 of 35";
    QTest::newRow("nearly certain is not certain") << 0.9996 << "Chance to pass: > 99 %, expected 28.4 of 35";
    QTest::newRow("nearly hopeless is not hopeless")
        << 0.0004 << "Chance to pass: < 1 %, expected 28.4 of 35";
    QTest::newRow("a new user's chance") << 1.3e-9 << "Chance to pass: < 1 %, expected 28.4 of 35";
    QTest::newRow("just under half a percent") << 0.0049 << "Chance to pass: < 1 %, expected 28.4 of 35";
    QTest::newRow("half a percent") << 0.005 << "Chance to pass: 1 %, expected 28.4 of 35";
    QTest::newRow("99.5 %") << 0.995 << "Chance to pass: 99 %, expected 28.4 of 35";
    QTest::newRow("above 99.5 %") << 0.9951 << "Chance to pass: > 99 %, expected 28.4 of 35";
    QTest::newRow("certain") << 1.0 << "Chance to pass: > 99 %, expected 28.4 of 35";
}

void TestPassChance::the_line_shows_whole_percent_and_expected_score()
{
    QFETCH(double, pass);
    QFETCH(QString, line);
    QCOMPARE(forecast::describe({pass, 28.449, 35, 26}), line);
}

void TestPassChance::a_pool_is_gathered_into_its_groups()
{
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1'780'000'000, Qt::UTC);
    const QHash<QString, QList<forecast::Review>> answers = {
        {QStringLiteral("T1B02"), {{now, forecast::Rating::Good}}}};
    const QStringList pool = {QStringLiteral("T1A01"), QStringLiteral("T1B01"), QStringLiteral("T1A02"),
                              QStringLiteral("T1B02")};
    QCOMPARE(forecast::groupChances(pool, answers, now), (Groups{{0.25, 0.25}, {0.25, 1.0}}));
    const forecast::ExamForecast result = forecast::forecastExamDay(pool, answers, 26, now);
    QCOMPARE(result.questions, 2);
    QCOMPARE(result.passMark, 26);
    QCOMPARE(result.passProbability, 0.0);
}

void TestPassChance::the_swing_of_a_group_is_the_chance_with_it_right_less_wrong_data()
{
    QTest::addColumn<QList<double>>("chances");
    QTest::addColumn<int>("passMark");
    QTest::newRow("one group") << QList<double>{0.4} << 1;
    QTest::newRow("pass mark 0: nothing swings") << QList<double>{0.4, 0.7} << 0;
    QTest::newRow("out of reach") << QList<double>{0.4, 0.7} << 3;
    QTest::newRow("every group needed") << QList<double>{0.9, 0.5, 0.2} << 3;
    QTest::newRow("certain and hopeless groups") << QList<double>{1.0, 0.0, 0.6, 0.3} << 2;
    QList<double> exam;
    QRandomGenerator random(35);
    for (int g = 0; g < 35; ++g)
        exam.append(0.25 + 0.75 * random.generateDouble());
    QTest::newRow("a Technician exam") << exam << 26;
}

void TestPassChance::the_swing_of_a_group_is_the_chance_with_it_right_less_wrong()
{
    QFETCH(QList<double>, chances);
    QFETCH(int, passMark);
    const QList<double> swings = forecast::passSwings(chances, passMark);
    QCOMPARE(swings.size(), chances.size());
    for (qsizetype g = 0; g < chances.size(); ++g) {
        Groups right, wrong;
        for (qsizetype k = 0; k < chances.size(); ++k) {
            right.append(QList<double>{k == g ? 1.0 : chances[k]});
            wrong.append(QList<double>{k == g ? 0.0 : chances[k]});
        }
        const double expected = forecast::forecastExam(right, passMark).passProbability -
                                forecast::forecastExam(wrong, passMark).passProbability;
        QVERIFY2(std::abs(swings[g] - expected) < 1e-12, qPrintable(QStringLiteral("group %1").arg(g)));
    }
}

QTEST_GUILESS_MAIN(TestPassChance)
#include "tst_pass_chance.moc"
