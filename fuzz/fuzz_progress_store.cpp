// Any bytes as progress.sqlite: the store opens it (refusing, setting aside or salvaging
// what it must), the Progress window's reads and summary run over it, and one answer, an
// exam and a Forget are written.
#include "progress/store.h"
#include "progress/summary.h"
#include "questions/pool.h"
#include "tests/pool_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

questions::Pool smallPool()
{
    questions::Pool pool =
        questions::parsePool(testing::poolText({"T1A01 (A)", "T1A02 (A)", "T1B01 (A)", "T2A01 (A)"})).pool;
    pool.title = QStringLiteral("Fuzz pool");
    return pool;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_progress_store";
    static char *argv[] = {name, nullptr};
    static auto *app = new QCoreApplication(argc, argv);
    static auto *dir = new QTemporaryDir;
    static const questions::Pool pool = smallPool();
    Q_UNUSED(app);

    QDir folder(dir->path());
    folder.removeRecursively();
    QDir().mkpath(dir->path());
    const QString path = folder.filePath(QStringLiteral("progress.sqlite"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QString key = QStringLiteral("T 2026-2030");
    const QDateTime now(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC);
    progress::Store store(path);
    const progress::PoolSummary summary = progress::summarize(pool, store.answersByQuestion(key));
    progress::forecastFor(summary, now.addDays(1));
    store.exams(key);
    store.examMoment(key);
    store.allAnswers();
    store.record({now, key, QStringLiteral("T1A01"), u'B', false, false, progress::Mode::Study});
    progress::ExamRecord exam{0, key, now, now, 1, 2, 1, true};
    store.recordExam(exam,
                     {{now, key, QStringLiteral("T1A02"), QChar(), false, false, progress::Mode::Exam}});
    store.setExamMoment(key, now.addDays(2));
    store.forget(QStringLiteral("G 2023-2027"));
    store.answers(key);
    return 0;
}
