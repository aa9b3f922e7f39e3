#pragma once
// The store's connection and the answers waiting to be written. Private to the library.

#include "progress/store.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

#include <atomic>
#include <thread>

namespace progress {

// One transaction's worth: an answer alone, or a practice exam with its answers.
struct Pending
{
    std::optional<ExamRecord> exam;
    QList<AnswerRecord> answers;
};

// Switches the file to WAL through a connection of its own on another thread, trying again for
// a while when another connection keeps it from switching, so that no retry sleeps on the
// thread that uses the store.
class WalSwitch
{
public:
    ~WalSwitch() { stop(); }
    void start(const QString &databaseName, const QString &connection);
    bool started() const { return m_started; }
    bool running() const { return m_thread.joinable() && !m_done; }
    void stop(); // asks it to give up and waits for it: at most one short try
    void reset()
    {
        stop();
        m_started = false;
    }

private:
    std::thread m_thread;
    std::atomic<bool> m_done{false}, m_stop{false};
    bool m_started = false;
};

struct Store::Impl
{
    explicit Impl(Store &store);
    ~Impl();

    void open();
    bool openConnection(bool readOnly, bool immutable, const QString &readOnlyCause);
    // Checks the file once (version, tables, quick_check), then WAL and the schema; true
    // when writes can go ahead.
    bool prepare();
    bool inspect(); // false when the file was refused or set aside
    void close();
    QSqlError exec(const QString &sql);

    // A failed statement: a corrupt file is set aside once, any other fault reported.
    // True when a fresh file took the damaged one's place and writes can go on.
    bool fail(const QSqlError &error);
    // Renames the file aside, starts a fresh one and carries into it what can still be read.
    bool setAside(Fault why = Fault::Corrupt, const QString &cause = {});
    void salvage(const QString &aside, const QString &cause);
    void report(Fault fault, const QString &detail);
    // A read that failed: remembered for readFault(), told once on stderr.
    void readFailed(const QSqlError &error);

    bool writable() const;
    void enqueue(Pending entry);
    // Writes what waits, oldest first; true when nothing is left. When something is left and
    // the file may yet take it, the retry timer tries again later.
    bool flush();
    bool writeWaiting();
    QSqlError write(const Pending &entry);
    // How long a statement waits for another connection's lock: short once a lock is known.
    void setBusyTimeout(int ms);

    Store &q;
    QString connection;
    QSqlDatabase db;
    bool ready = false;
    bool checked = false;  // the file passed inspect()
    bool readOnly = false; // the connection was opened read-only
    bool setAsideOnce = false;
    int busyTimeout = 0;
    QString readFault;
    QSet<int> reported; // faults already told on stderr
    QList<Pending> pending;
    qint64 lastExamId = 0;
    WalSwitch walSwitch;
    QTimer retry;
    int retryInterval = 0;
};

// Runs a statement; a connection that is not open gives an error too (Qt leaves none).
QSqlError execOn(const QSqlDatabase &db, const QString &sql);
QSqlError failureOf(const QSqlQuery &query);

// "2026-12-08T15:25:31.123Z"
QString isoUtc(const QDateTime &moment);
QDateTime fromIsoUtc(QStringView text);

} // namespace progress
