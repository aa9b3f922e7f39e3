// The chance to pass: the memory model over a large answer history and the exact pass chance
// over an exam of 50 groups.
#include "forecast/fsrs.h"
#include "forecast/pass_chance.h"

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

void recallOver(benchmark::State &state, int questions)
{
    const auto reviews = history(100'000, questions);
    const QDateTime exam = reviews.constFirst().constLast().at.addDays(1);
    for (auto _ : state) {
        double sum = 0;
        for (const QList<forecast::Review> &question : reviews)
            sum += forecast::answerChance(question, exam);
        benchmark::DoNotOptimize(sum);
    }
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

} // namespace

BENCHMARK_MAIN();
