#pragma once
// The store's connection and the answers waiting to be written. Private to the library.

#include "progress/store.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace progress {

// One transaction's worth: an answer alone, or a practice exam with its answers.
struct Pending
{
    std::optional<ExamRecord> exam;
    QList<AnswerRecord> answers;
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
    void readFailed(const QSqlError &error) const;

    bool writable() const;
    void enqueue(Pending entry);
    bool flush(); // writes what waits, oldest first; true when nothing is left
    QSqlError write(const Pending &entry);

    Store &q;
    QString connection;
    QSqlDatabase db;
    bool ready = false;
    bool checked = false;  // the file passed inspect()
    bool readOnly = false; // the connection was opened read-only
    bool setAsideOnce = false;
    mutable QString readFault;
    QSet<int> reported; // faults already told on stderr
    QList<Pending> pending;
    qint64 lastExamId = 0;
};

// Runs a statement; a connection that is not open gives an error too (Qt leaves none).
QSqlError execOn(const QSqlDatabase &db, const QString &sql);
QSqlError failureOf(const QSqlQuery &query);

// "2026-12-08T15:25:31.123Z"
QString isoUtc(const QDateTime &moment);
QDateTime fromIsoUtc(QStringView text);

} // namespace progress
