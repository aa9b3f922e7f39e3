// The progress store and window: one answer recorded (each call timed: the median as
// median_us, the slowest as max_us, the calls over 10 ms as over_10ms), the store opened over
// 100,000 answers, one answer recorded while another connection holds the file's write lock,
// and the Progress window opened over 100,000 recorded answers of a pool of 500 questions in
// 10 subelements and 50 groups (built, filled, shown and painted), and its refresh over the
// same answers and 10 practice exams, each with the forecast made before it.
#include "progress/store.h"
#include "progresswindow/progress_window.h"
#include "questions/pool.h"
#include "tests/pool_text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QString kKey = QStringLiteral("E 2024-2028");
const QDateTime kStart(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC);

questions::Pool syntheticPool()
{
    QList<QByteArray> ids;
    for (int s = 0; s < 10; ++s)
        for (char g = 'A'; g < 'F'; ++g)
            for (int n = 1; n <= 10; ++n)
                ids << "E" + QByteArray::number((s + 1) % 10) + g +
                           QByteArray::number(n).rightJustified(2, '0') + " (A)";
    questions::Pool pool = questions::parsePool(testing::poolText(ids)).pool;
    pool.title = QStringLiteral("Synthetic Extra pool");
    for (questions::Subelement &s : pool.subelements)
        s.title = QStringLiteral("Subelement %1").arg(s.id);
    return pool;
}

void BM_Progress_RecordAnswer(benchmark::State &state)
{
    QTemporaryDir dir;
    progress::Store store(dir.filePath(QStringLiteral("progress.sqlite")));
    std::vector<qint64> ns;
    QElapsedTimer timer;
    int i = 0;
    for (auto _ : state) {
        const progress::AnswerRecord answer{QDateTime::currentDateTimeUtc(),
                                            kKey,
                                            QStringLiteral("E1A%1").arg(i++ % 10 + 1, 2, 10, QChar(u'0')),
                                            u'B',
                                            i % 3 != 0,
                                            false,
                                            progress::Mode::Study};
        timer.start();
        if (!store.record(answer))
            state.SkipWithError("an answer was not recorded");
        ns.push_back(timer.nsecsElapsed());
    }
    std::nth_element(ns.begin(), ns.begin() + long(ns.size() / 2), ns.end());
    state.counters["median_us"] = double(ns[ns.size() / 2]) / 1000;
    state.counters["max_us"] = double(*std::max_element(ns.begin(), ns.end())) / 1000;
    state.counters["over_10ms"] =
        double(std::count_if(ns.begin(), ns.end(), [](qint64 n) { return n > 10'000'000; }));
}

// Another connection holds the write lock, as a second copy of the program or a database tool
// would, while answers are recorded: first_ms is the first answer after the lock was taken (no
// fault known yet), later_ms each of the five after it; medians over the lock episodes.
void BM_Progress_RecordWhileLocked(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("progress.sqlite"));
    progress::Store store(path);
    std::vector<qint64> first, later;
    {
        auto holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        holder.setDatabaseName(path);
        holder.open();
        QElapsedTimer timer;
        int i = 0;
        const auto answer = [&i] {
            return progress::AnswerRecord{QDateTime::currentDateTimeUtc(),
                                          kKey,
                                          QStringLiteral("E1A%1").arg(i++ % 10 + 1, 2, 10, QChar(u'0')),
                                          u'B',
                                          true,
                                          false,
                                          progress::Mode::Study};
        };
        for (auto _ : state) {
            if (!store.record(answer())) // writes what waited and clears the fault
                state.SkipWithError("the store did not recover after the lock");
            if (!QSqlQuery(holder).exec(QStringLiteral("BEGIN IMMEDIATE")))
                state.SkipWithError("the lock could not be taken");
            for (int n = 0; n < 6; ++n) {
                timer.start();
                store.record(answer());
                (n == 0 ? first : later).push_back(timer.nsecsElapsed());
            }
            QSqlQuery(holder).exec(QStringLiteral("ROLLBACK"));
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    const auto medianMs = [](std::vector<qint64> &ns) {
        std::nth_element(ns.begin(), ns.begin() + long(ns.size() / 2), ns.end());
        return ns.empty() ? 0.0 : double(ns[ns.size() / 2]) / 1e6;
    };
    state.counters["first_ms"] = medianMs(first);
    state.counters["later_ms"] = medianMs(later);
}

// A store of 100,000 answers to the pool, 30 seconds apart, and `exams` practice exams
// spread over them.
void fillStore(const QString &path, const questions::Pool &pool, int exams)
{
    {
        progress::Store create(path);
    }
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        query.exec(QStringLiteral("BEGIN"));
        query.prepare(
            QStringLiteral("INSERT INTO answers (answered_at, pool, question, chosen, correct, hinted, "
                           "mode) VALUES (?, ?, ?, 'A', ?, ?, 'study')"));
        for (int i = 0; i < 100000; ++i) {
            query.addBindValue(kStart.addSecs(i * 30).toString(Qt::ISODateWithMs));
            query.addBindValue(kKey);
            query.addBindValue(pool.questions[(i * 7) % pool.questions.size()].id().toString());
            query.addBindValue(i % 4 != 0);
            query.addBindValue(i % 9 == 0);
            query.exec();
        }
        QSqlQuery(db).exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    progress::Store store(path);
    for (int e = 0; e < exams; ++e) {
        const QDateTime at = kStart.addSecs(qint64(e + 1) * 100'000 * 30 / (exams + 1));
        progress::ExamRecord exam{0, kKey, at, at.addSecs(1200), 38, 50, 37, true};
        store.recordExam(exam, {});
    }
}

// Opening the store over 100,000 answers: the file's checks and the connection, on the thread
// that will use it.
void BM_Progress_OpenStore_100k(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("progress.sqlite"));
    fillStore(path, syntheticPool(), 0);
    for (auto _ : state) {
        std::optional<progress::Store> store(std::in_place, path);
        state.PauseTiming(); // closing checkpoints the WAL: not part of the opening
        store.reset();
        state.ResumeTiming();
    }
}

void BM_Progress_OpenWindow_100k(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("progress.sqlite"));
    const questions::Pool pool = syntheticPool();
    fillStore(path, pool, 0);
    progress::Store store(path);
    for (auto _ : state) {
        progresswindow::ProgressWindow window(store);
        window.setPool(&pool, kKey);
        window.show();
        QCoreApplication::processEvents(); // the first paint
    }
}

} // namespace

BENCHMARK(BM_Progress_RecordAnswer)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Progress_RecordWhileLocked)->Iterations(5)->Unit(benchmark::kMillisecond);
void BM_Progress_Refresh_100k_10Exams(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("progress.sqlite"));
    const questions::Pool pool = syntheticPool();
    fillStore(path, pool, 10);
    progress::Store store(path);
    progresswindow::ProgressWindow window(store);
    window.setPool(&pool, kKey);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.refresh();
        QCoreApplication::processEvents(); // the repaint
    }
}

BENCHMARK(BM_Progress_OpenStore_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Progress_OpenWindow_100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Progress_Refresh_100k_10Exams)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
