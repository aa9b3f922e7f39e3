// The practice exam's draw over the shipped Extra pool (50 groups, 599 questions): checking
// the pool's groups and taking one question from each, and a subelement's drill order.
#include "exam/draw.h"
#include "questions/pool_file.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

const questions::Pool &extraPool()
{
    static const questions::Pool pool =
        questions::loadPoolFile(QStringLiteral(EXAMORA_DATA_DIR "/quesextra.txt")).pool;
    return pool;
}

void BM_DrawExam_Extra(benchmark::State &state)
{
    QRandomGenerator random(1);
    for (auto _ : state) {
        const exam::PlanOutcome outcome = exam::planExam(extraPool());
        benchmark::DoNotOptimize(exam::drawExam(*outcome.plan, random));
    }
    state.counters["questions"] = double(extraPool().questions.size());
}
BENCHMARK(BM_DrawExam_Extra)->Unit(benchmark::kMicrosecond);

void BM_DrillOrder_Subelement(benchmark::State &state)
{
    QRandomGenerator random(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(exam::drillOrder(extraPool(), u"E1", random));
}
BENCHMARK(BM_DrillOrder_Subelement)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
