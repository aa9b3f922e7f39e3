// The practice exam's draw: checking the pool's groups and taking one question from each.
#include "exam/draw.h"
#include "tests/exam/exam_fixture.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

// An Extra pool of the shipped size: 50 groups, about 600 questions.
const questions::Pool &extraPool()
{
    static const questions::Pool pool = examtest::makePool(u'E', 50, 12);
    return pool;
}

void BM_DrawExam_Extra(benchmark::State &state)
{
    QRandomGenerator random(1);
    for (auto _ : state) {
        const exam::PlanOutcome outcome = exam::planExam(extraPool());
        benchmark::DoNotOptimize(exam::drawExam(*outcome.plan, random));
    }
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
