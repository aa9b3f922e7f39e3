#pragma once
// The progress store: one SQLite file per user (progress.sqlite in the application data
// folder) holding every recorded answer, the practice exams taken and a few settings per
// pool. Each answer is committed on its own in WAL mode, so a crash loses at most the
// answer being written and two running copies can both record.
//
// A fault (a corrupt, locked or read-only file, a full disk) never stops the program: the
// store keeps the answers it could not write in memory, retries them with the next answer,
// and reports why progress is not being saved through problem(). It never deletes or
// overwrites the user's file; a corrupt one is renamed aside and a fresh one started.

#include <QChar>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QIODevice;

namespace progress {

enum class Mode { Study, Exam, Drill };

QString modeName(Mode mode); // "study", "exam", "drill"
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

enum class Fault { None, Corrupt, Locked, ReadOnly, DiskFull, NewerVersion, Unavailable };

// The store's last fault. A corrupt file set aside and replaced by a fresh one is reported
// while saving goes on; every other fault means answers are waiting in memory.
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
    bool isSaving() const { return m_problem.saving; }

    // Commits one answer. False when it could not be written now; it is then kept in
    // memory and written with the next successful record.
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
// answered_at, pool, question, chosen, correct, hinted, mode. False when writing failed.
bool writeCsv(QIODevice &out, const QList<AnswerRecord> &answers);

} // namespace progress
