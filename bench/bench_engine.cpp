// The study engine's costs beside the cost of reading the same bytes.
#include "textio/text_reader.h"
#include "tests/engine/study_fixture.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

QByteArray shippedPool(const char *name)
{
    QFile file(QStringLiteral(EXAMORA_DATA_DIR "/") + QString::fromLatin1(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QByteArray fullPool()
{
    QList<QByteArray> ids;
    for (int i = 0; i < 1501; ++i)
        ids << "E9Z" + QByteArray::number(i) + " (B) [97.301(b), 97.305(c)]";
    QByteArray text = testing::poolText(ids);
    // Real questions are longer than the fixture's: pad each question line to ~120 characters.
    return text.replace("?\r\n", QByteArray(90, 'x') + "?\r\n");
}

// The fixture keeps "test.txt" in a temporary folder; /dev/shm keeps the disk's flush out of
// the loader's figure (the flush is measured on its own below).
struct Bench
{
    explicit Bench(const QByteArray &pool, const QString &exeDir = QStringLiteral("/dev/shm"))
        : f(exeDir)
    {
        f.writeStartFile(QStringLiteral("questech.txt"), pool);
        f.engine->RecordStartDirectory();
        f.engine->LoadPool(engine::ExamClass::Technician);
    }
    testing::StudyFixture f;
};

void readBytes(benchmark::State &state, const QByteArray &pool)
{
    Bench b(pool);
    const QString path = b.f.startDir.filePath(QStringLiteral("questech.txt"));
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetBytesProcessed(state.iterations() * pool.size());
}

void loadPool(benchmark::State &state, const QByteArray &pool, const QString &exeDir)
{
    Bench b(pool, exeDir);
    for (auto _ : state)
        benchmark::DoNotOptimize(b.f.engine->LoadPool(engine::ExamClass::Technician));
    state.counters["questions"] = double(b.f.state().questionCount);
    state.SetBytesProcessed(state.iterations() * pool.size());
}

void BM_ReadBytes_Extra(benchmark::State &s) { readBytes(s, shippedPool("quesextra.txt")); }
void BM_LoadPool_Extra(benchmark::State &s) { loadPool(s, shippedPool("quesextra.txt"), QStringLiteral("/dev/shm")); }
void BM_ReadBytes_1501(benchmark::State &s) { readBytes(s, fullPool()); }
void BM_LoadPool_1501(benchmark::State &s) { loadPool(s, fullPool(), QStringLiteral("/dev/shm")); }

// The same load with "test.txt" on the disk the program normally lives on: the flush that
// makes the remembered class durable dominates.
void BM_LoadPool_1501_DiskFlush(benchmark::State &s)
{
    QTemporaryDir onDisk(QStringLiteral(EXAMORA_DATA_DIR "/../build/bench-tmp-XXXXXX"));
    loadPool(s, fullPool(), onDisk.path());
}

void BM_ShowQuestion(benchmark::State &state)
{
    Bench b(shippedPool("quesextra.txt"));
    for (auto _ : state)
        b.f.engine->ShowQuestion();
}

void BM_CheckAnswer(benchmark::State &state)
{
    Bench b(shippedPool("quesextra.txt"));
    b.f.check1->m_value = 0;
    for (auto _ : state) {
        b.f.engine->CheckAnswer(QChar(u'A' + int(state.iterations() % 4)));
        b.f.engine->ShowQuestion();
    }
}

} // namespace

BENCHMARK(BM_ReadBytes_Extra);
BENCHMARK(BM_LoadPool_Extra);
BENCHMARK(BM_ReadBytes_1501);
BENCHMARK(BM_LoadPool_1501);
BENCHMARK(BM_LoadPool_1501_DiskFlush);
BENCHMARK(BM_ShowQuestion);
BENCHMARK(BM_CheckAnswer);
BENCHMARK_MAIN();
