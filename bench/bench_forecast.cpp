// The chance to pass: the memory model over a large answer history, the exact pass chance
// over an exam of 50 groups, and the choice of a review from the largest pool.
#include "exam/review.h"
#include "forecast/exam_day.h"
#include "questions/pool.h"
#include "tests/pool_text.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

// `answers` answers spread over `questions` questions, each question's in time order, minutes
// to weeks apart and mostly right, as a long course of study leaves them.
QList<QList<forecast::Review>> history(int answers, int questions)
{
    QRandomGenerator random(7);
    QList<QList<forecast::Review>> result(questions);
    const QDateTime start = QDateTime::fromSecsSinceEpoch(1'780'000'000, Qt::UTC);
    for (QList<forecast::Review> &reviews : result) {
        const int count = answers / questions;
        QDateTime at = start.addSecs(random.bounded(86'400));
        for (int i = 0; i < count; ++i) {
            at = at.addSecs(60 + random.bounded(i % 5 == 0 ? 14 * 86'400 : 3'600));
            reviews.append({at, forecast::ratingFor(random.bounded(10) < 8, random.bounded(10) == 0)});
        }
    }
    return result;
}

// Identifiers of an Extra-shaped pool: 50 groups, as many questions as asked.
QStringList poolIds(int questions)
{
    QStringList ids;
    for (int i = 0; i < questions; ++i)
        ids.append(QStringLiteral("E%1%2%3")
                       .arg(i % 50 / 5)
                       .arg(QChar(u'A' + i % 5))
                       .arg(i / 50 + 1, 2, 10, QChar(u'0')));
    return ids;
}

QHash<QString, QList<forecast::Review>> byQuestion(const QStringList &ids, int answers)
{
    const auto reviews = history(answers, int(ids.size()));
    QHash<QString, QList<forecast::Review>> result;
    for (qsizetype i = 0; i < ids.size(); ++i)
        result.insert(ids[i], reviews[i]);
    return result;
}

// Every answer replayed (04:00 local study days) and each question's chance at the exam.
void recallOver(benchmark::State &state, int questions)
{
    const QStringList ids = poolIds(questions);
    const auto reviews = byQuestion(ids, 100'000);
    const QDateTime exam = reviews.value(ids.front()).constLast().at.addDays(1);
    const forecast::StudyDays days;
    for (auto _ : state)
        benchmark::DoNotOptimize(forecast::replayPool(ids, reviews, days).groupChances(exam));
}

// 100,000 answers over an Extra-sized pool, and all of them on one question.
void BM_RecallProbability_100k_500Questions(benchmark::State &state)
{
    recallOver(state, 500);
}
BENCHMARK(BM_RecallProbability_100k_500Questions)->Unit(benchmark::kMillisecond);

void BM_RecallProbability_100k_OneQuestion(benchmark::State &state)
{
    recallOver(state, 1);
}
BENCHMARK(BM_RecallProbability_100k_OneQuestion)->Unit(benchmark::kMillisecond);

void BM_ForecastExam_50Groups_20Questions(benchmark::State &state)
{
    QRandomGenerator random(11);
    QList<QList<double>> groups(50);
    for (QList<double> &group : groups) {
        for (int i = 0; i < 20; ++i)
            group.append(0.25 + 0.75 * random.generateDouble());
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(forecast::forecastExam(groups, 37));
}
BENCHMARK(BM_ForecastExam_50Groups_20Questions)->Unit(benchmark::kMicrosecond);

// A review of 20 from a 1501-question pool with 100,000 answers: the replay, every
// question's gain and the choice.
void BM_ChooseReview_20of1501_100k(benchmark::State &state)
{
    const QStringList ids = poolIds(questions::kMaxQuestions);
    QList<QByteArray> records;
    for (const QString &id : ids)
        records.append(id.toLatin1() + " (A)");
    const questions::Pool pool = questions::parsePool(testing::poolText(records)).pool;
    const auto reviews = byQuestion(ids, 100'000);
    const QDateTime now = reviews.value(ids.front()).constLast().at.addSecs(3600);
    const forecast::StudyDays days;
    for (auto _ : state) {
        const forecast::PoolMemory memory = forecast::replayPool(ids, reviews, days);
        benchmark::DoNotOptimize(exam::chooseReview(pool, memory, 37, now, now.addDays(1), 20, days));
    }
}
BENCHMARK(BM_ChooseReview_20of1501_100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
