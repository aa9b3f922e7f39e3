#pragma once
// The store's connection and the answers waiting to be written. Private to the library.

#include "progress/store.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>

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
    bool prepare(); // WAL, then the schema; true when writes can go ahead
    void close();
    QSqlError exec(const QString &sql);

    // A failed statement: a corrupt file is set aside once, any other fault reported.
    // True when a fresh file took the damaged one's place and writes can go on.
    bool fail(const QSqlError &error);
    bool setAside();
    void report(Fault fault, const QString &detail);

    bool writable() const;
    void enqueue(Pending entry);
    bool flush(); // writes what waits, oldest first; true when nothing is left
    QSqlError write(const Pending &entry);

    Store &q;
    QString connection;
    QSqlDatabase db;
    bool ready = false;
    bool setAsideOnce = false;
    QSet<int> reported; // faults already told on stderr
    QList<Pending> pending;
    qint64 lastExamId = 0;
};

// "2026-12-08T15:25:31.123Z"
QString isoUtc(const QDateTime &moment);
QDateTime fromIsoUtc(QStringView text);

} // namespace progress
