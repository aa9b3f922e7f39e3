#pragma once
// The progress store: one SQLite file per user (progress.sqlite in the application data
// folder) holding every recorded answer, the practice exams taken and a few settings per
// pool. Each answer is committed on its own in WAL mode, so a crash loses at most the
// answer being written and two running copies can both record.
//
// The store is used on the study window's thread, so no call waits on another program's lock
// for more than a few tens of milliseconds; the switch to WAL that a new file needs is retried
// on a thread of its own.
//
// A fault (a corrupt, locked or read-only file, a full disk) never stops the program: the
// store keeps the answers it could not write in memory, retries them with the next answer and
// on a timer of its own (on a thread with an event loop) until they are written, makes a last
// try when it is destroyed, and reports why progress is not being saved through problem(). It
// never deletes or overwrites the user's file; a corrupt one, or a database that is not a
// progress file, is renamed aside and a fresh one started, with the answers that could still
// be read. A file that can be read but not written is read. A read that fails is told through
// readFault(), never passed off as "no answers".

#include <QChar>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QIODevice;

namespace progress {

enum class Mode { Study, Exam, Drill, Review };

QString modeName(Mode mode); // "study", "exam", "drill", "review"
std::optional<Mode> modeFromName(QStringView name);

struct AnswerRecord
{
    QDateTime answeredAt; // stored in UTC
    QString pool;         // "T 2026-2030"
    QString question;     // "T1A01"
    QChar chosen;         // 'A'..'D'; null for a practice exam question left unanswered
    bool correct = false;
    bool hinted = false; // a hint removed a choice before the answer
    Mode mode = Mode::Study;
};

struct ExamRecord
{
    qint64 id = 0; // set by Store::recordExam
    QString pool;
    QDateTime startedAt, finishedAt;
    int score = 0, total = 0, passMark = 0;
    bool passed = false;
};

// One recorded answer as the Progress window and the forecast read it.
struct AnswerMark
{
    QDateTime answeredAt;
    bool correct = false;
    bool hinted = false;
};

enum class Fault {
    None,
    Corrupt,
    Locked,
    ReadOnly,
    DiskFull,
    NewerVersion,
    Unavailable,
    UnknownVersion, // a version this program never wrote: read, never written
    Foreign,        // another program's database at the store's path, set aside
};

// The store's last fault. A corrupt or foreign file set aside and replaced by a fresh one is
// reported while saving goes on; every other fault means answers are waiting in memory.
struct Problem
{
    Fault fault = Fault::None;
    bool saving = true;
    QString message; // for the user, naming the file
};

class Store final
{
public:
    // Opens (creating when needed) the store at `path`; the default is progress.sqlite in
    // QStandardPaths::AppDataLocation. Never throws: a fault shows in problem().
    explicit Store(const QString &path = defaultPath());
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    static QString defaultPath();
    QString path() const { return m_path; }

    Problem problem() const { return m_problem; }
    // Why the latest read failed, for the user; empty when it succeeded. What it returned
    // holds only the answers waiting in memory and what was read before the failure.
    QString readFault() const;
    bool isSaving() const { return m_problem.saving; }
    // Answers and practice exams waiting in memory to be written (an exam with its answers
    // counts one).
    int waitingWrites() const;

    // Commits one answer. False when it could not be written now; it is then kept in
    // memory and written by a later try.
    bool record(const AnswerRecord &answer);
    // The exam and its answers in one transaction; sets exam.id. On failure nothing of
    // the exam is written now: it waits in memory like an answer, and its id stays 0.
    bool recordExam(ExamRecord &exam, const QList<AnswerRecord> &answers);

    // Recorded answers of a pool, oldest first (answers waiting in memory included).
    QList<AnswerRecord> answers(const QString &pool) const;
    // A pool's answers by question, each question's oldest first. Read in one pass that
    // SQLite groups by question, so the Progress window opens quickly over many answers.
    QHash<QString, QList<AnswerMark>> answersByQuestion(const QString &pool) const;
    // Every recorded answer of every pool, oldest first.
    QList<AnswerRecord> allAnswers() const;
    // The same in batches of up to `batchSize`, each handed to `take`, which returns false to
    // stop; `total` is told the number of answers first (-1 when it cannot be counted).
    // False when a read failed (readFault() says why) or `take` stopped it.
    bool readAllAnswers(const std::function<bool(const QList<AnswerRecord> &batch)> &take,
                        const std::function<void(qint64 total)> &total = {}, int batchSize = 4096) const;
    // Practice exams of a pool, oldest first.
    QList<ExamRecord> exams(const QString &pool) const;

    // Removes a pool's answers, exams and settings.
    bool forget(const QString &pool);

    // The exam moment the user chose for a pool, when there is one.
    std::optional<QDateTime> examMoment(const QString &pool) const;
    bool setExamMoment(const QString &pool, const QDateTime &moment);

private:
    struct Impl;
    QString m_path;
    Problem m_problem;
    std::unique_ptr<Impl> m_impl;
};

// Writes answers as RFC 4180 CSV: a header row, then one row per answer with the columns
// answered_at, pool, question, chosen, correct, hinted, mode. A text field that a spreadsheet
// would take for a formula (starting with =, +, -, @, tab or CR) gets a leading apostrophe.
// False when writing failed.
bool writeCsv(QIODevice &out, const QList<AnswerRecord> &answers);
QByteArray csvHeader();
QByteArray csvRows(const QList<AnswerRecord> &answers);

} // namespace progress
