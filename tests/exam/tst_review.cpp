// Choosing a review: the questions of greatest gain in the chance to pass, checked against
// the gain worked out here from its definition, and a simulated candidate for whom the
// review raises the forecast at least as fast as the pool's order does.
#include "exam/review.h"
#include "tests/exam/exam_fixture.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using forecast::Rating;
using forecast::Review;
using History = QHash<QString, QList<Review>>;

namespace {

const QDateTime start = QDateTime::fromString(QStringLiteral("2026-09-01T22:00:00Z"), Qt::ISODate);

// A seeded history over the pool: some questions never answered, some missed last, most
// right, answered over two weeks.
History seededHistory(const questions::Pool &pool, quint32 seed, int answers)
{
    QRandomGenerator random(seed);
    History history;
    for (int n = 0; n < answers; ++n) {
        const questions::Question &q = pool.questions[random.bounded(int(pool.questions.size()) * 2 / 3)];
        history[q.id().toString()].append({start.addSecs(qint64(random.bounded(14 * 86'400))),
                                           random.bounded(10) < 7 ? Rating::Good : Rating::Again});
    }
    return history;
}

QStringList idsOf(const questions::Pool &pool)
{
    QStringList ids;
    for (const questions::Question &q : pool.questions)
        ids.append(q.id().toString());
    return ids;
}

double chanceToPass(const questions::Pool &pool, const History &history, const QDateTime &when, int passMark)
{
    return forecast::forecastExamDay(forecast::replayPool(idsOf(pool), history), passMark, when)
        .passProbability;
}

} // namespace

class TestReview final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void the_choice_is_the_top_of_the_gain_data();
    void the_choice_is_the_top_of_the_gain();
    void reviewing_raises_the_forecast_at_least_as_fast_as_pool_order_data();
    void reviewing_raises_the_forecast_at_least_as_fast_as_pool_order();
};

void TestReview::the_choice_is_the_top_of_the_gain_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("answers");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("passMark");
    QTest::newRow("early days") << 1u << 60 << 20 << 26;
    QTest::newRow("well studied") << 2u << 900 << 20 << 26;
    QTest::newRow("a small pass mark") << 3u << 300 << 5 << 10;
    QTest::newRow("more asked than the pool holds") << 4u << 100 << 1000 << 26;
}

void TestReview::the_choice_is_the_top_of_the_gain()
{
    QFETCH(quint32, seed);
    QFETCH(int, answers);
    QFETCH(int, count);
    QFETCH(int, passMark);
    const questions::Pool pool = examtest::makePool(u'T', 35, 6);
    const History history = seededHistory(pool, seed, answers);
    const forecast::StudyDays days;
    const QDateTime now = start.addDays(15), exam = now.addDays(2);
    const forecast::PoolMemory memory = forecast::replayPool(idsOf(pool), history, days);
    const QList<QList<double>> groups = memory.groupChances(exam);

    // The gain from its definition: the pass chance with the group forced right and wrong,
    // and the question's chance after a right answer now, replayed from its reviews.
    QList<std::pair<double, int>> gains; // (-gain, pool index): sorts greatest first, then pool order
    for (int g = 0; g < groups.size(); ++g) {
        QList<QList<double>> right = groups, wrong = groups;
        right[g] = {1.0};
        wrong[g] = {0.0};
        const double swing = forecast::forecastExam(right, passMark).passProbability -
                             forecast::forecastExam(wrong, passMark).passProbability;
        for (int k = 0; k < groups[g].size(); ++k) {
            const int index = pool.groups[g].questions[k];
            QList<Review> reviews = history.value(pool.questions[index].id().toString());
            reviews.append({now, Rating::Good});
            const double after = forecast::withGuessing(*forecast::recallProbability(reviews, exam, days));
            gains.append({-swing * (after - groups[g][k]) / double(groups[g].size()), index});
        }
    }
    std::sort(gains.begin(), gains.end());
    const QList<int> chosen = exam::chooseReview(pool, memory, passMark, now, exam, count, days);
    QCOMPARE(chosen.size(), std::min<qsizetype>(count, pool.questions.size()));
    // Gains equal to the last bit may come in either order; anything else is a wrong choice.
    const QList<exam::ReviewCandidate> byIndex = exam::reviewGains(pool, memory, passMark, now, exam, days);
    for (int i = 0; i < chosen.size(); ++i)
        QVERIFY2(std::abs(byIndex[chosen[i]].gain + gains[i].first) < 1e-12, qPrintable(QString::number(i)));
}

void TestReview::reviewing_raises_the_forecast_at_least_as_fast_as_pool_order_data()
{
    QTest::addColumn<int>("answers");
    QTest::newRow("half way") << 700;
    QTest::newRow("nearly ready") << 1500;
}

void TestReview::reviewing_raises_the_forecast_at_least_as_fast_as_pool_order()
{
    // Two copies of one candidate answer 20 questions right each evening for five evenings:
    // one the review's choice, the other the next 20 in pool order. (Far below the pass mark,
    // under 1 %, the chance grows faster from whole groups made sure than from the best single
    // answers; the gain looks one answer ahead, so a beginner is no row here.)
    QFETCH(int, answers);
    const questions::Pool pool = examtest::makePool(u'T', 35, 8);
    History reviewed = seededHistory(pool, 9, answers), inOrder = reviewed;
    const forecast::StudyDays days;
    const QDateTime exam = start.addDays(21);
    int next = 0;
    for (int evening = 0; evening < 5; ++evening) {
        const QDateTime now = start.addDays(15 + evening);
        const forecast::PoolMemory memory = forecast::replayPool(idsOf(pool), reviewed, days);
        const QList<int> chosen = exam::chooseReview(pool, memory, 26, now, exam, 20, days);
        QCOMPARE(QSet<int>(chosen.cbegin(), chosen.cend()).size(), chosen.size());
        for (int i = 0; i < 20; ++i) {
            reviewed[pool.questions[chosen[i]].id().toString()].append({now.addSecs(30 * i), Rating::Good});
            inOrder[pool.questions[next++ % pool.questions.size()].id().toString()].append(
                {now.addSecs(30 * i), Rating::Good});
        }
        const double byReview = chanceToPass(pool, reviewed, exam, 26);
        const double byOrder = chanceToPass(pool, inOrder, exam, 26);
        QVERIFY2(byReview >= byOrder,
                 qPrintable(QStringLiteral("evening %1: %2 < %3").arg(evening).arg(byReview).arg(byOrder)));
    }
}

QTEST_GUILESS_MAIN(TestReview)
#include "tst_review.moc"
