// Every text reader over 10 MB of text whose lines end in a lone CR, LF or CR LF: each
// must be linear whatever the line ends, so the three rows of a reader stay close.
#include "textio/text_reader.h"
#include "tests/engine/study_fixture.h"
#include "tools/poolconv/diagnostics.h"
#include "tools/poolconv/pool_check.h"
#include "tools/poolconv/source_reader.h"

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kTextBytes = 10 * 1024 * 1024;

// Pool-shaped text: a header, then seven-line records until 10 MB.
QByteArray poolText(const char *lineEnd)
{
    const QByteArray end(lineEnd);
    QByteArray text = "\"Bench Pool\",\"July 1, 2026\",\"source\"" + end;
    text.reserve(kTextBytes + 1024);
    for (int i = 0; text.size() < kTextBytes; ++i) {
        text += "T1A" + QByteArray::number(i) + " (B) [97.1]" + end;
        text += "Which of the following is a question long enough to be real?" + end;
        for (const char *choice : {"A.  One", "B.  Two", "C.  Three", "D.  Four"})
            text += choice + end;
        text += "~~" + end;
    }
    return text;
}

void BM_TextReaderLines(benchmark::State &state, const char *lineEnd)
{
    const QByteArray bytes = poolText(lineEnd);
    for (auto _ : state) {
        textio::TextReader reader(textio::decodeText(bytes));
        qsizetype lines = 0;
        while (reader.readLineView())
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_TextReaderFields(benchmark::State &state, const char *lineEnd)
{
    const QByteArray bytes = poolText(lineEnd);
    for (auto _ : state) {
        textio::TextReader reader(textio::decodeText(bytes));
        qsizetype fields = 0;
        while (reader.readField())
            ++fields;
        benchmark::DoNotOptimize(fields);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// The study program's start on an oversized pool: it reads 1501 records, then fails.
void BM_LoadPool(benchmark::State &state, const char *lineEnd)
{
    testing::StudyFixture f(QStringLiteral("/dev/shm"));
    f.writeStartFile(QStringLiteral("questech.txt"), poolText(lineEnd));
    f.engine->RecordStartDirectory();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.engine->LoadPool(engine::ExamClass::Technician));
}

void BM_PoolconvCheck(benchmark::State &state, const char *lineEnd)
{
    const QByteArray bytes = poolText(lineEnd);
    for (auto _ : state) {
        poolconv::Diagnostics diag;
        benchmark::DoNotOptimize(poolconv::checkPool(bytes, diag));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_PoolconvReadRelease(benchmark::State &state, const char *lineEnd)
{
    const QByteArray bytes = poolText(lineEnd);
    for (auto _ : state)
        benchmark::DoNotOptimize(poolconv::readTextRelease(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

#define EXAMORA_LINE_END_ROWS(reader)                                                                        \
    BENCHMARK_CAPTURE(reader, CR, "\r")->Unit(benchmark::kMillisecond);                                      \
    BENCHMARK_CAPTURE(reader, LF, "\n")->Unit(benchmark::kMillisecond);                                      \
    BENCHMARK_CAPTURE(reader, CRLF, "\r\n")->Unit(benchmark::kMillisecond)

EXAMORA_LINE_END_ROWS(BM_TextReaderLines);
EXAMORA_LINE_END_ROWS(BM_TextReaderFields);
EXAMORA_LINE_END_ROWS(BM_LoadPool);
EXAMORA_LINE_END_ROWS(BM_PoolconvCheck);
EXAMORA_LINE_END_ROWS(BM_PoolconvReadRelease);
BENCHMARK_MAIN();
