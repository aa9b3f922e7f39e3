#include "progress/store.h"

#include "progress/schema.h"
#include "progress/store_impl.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>

#include <atomic>

namespace progress {
namespace {

constexpr int kBusyTimeoutMs = 1000;
// While another program holds the file, a try gives up at once instead of stalling the
// study window after every answer.
constexpr int kBusyTimeoutWhileLockedMs = 20;
// Answers waiting in memory while the file cannot be written; the oldest go beyond this.
constexpr int kMaxPending = 100000;

Fault faultOf(const QSqlError &error)
{
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return Fault::Locked;
    case 8: // SQLITE_READONLY
        return Fault::ReadOnly;
    case 10: // SQLITE_IOERR: a write refused, as by a file-size limit
    case 13: // SQLITE_FULL
        return Fault::DiskFull;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return Fault::Corrupt;
    default:
        return Fault::Unavailable;
    }
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// "progress.corrupt-20261208T152500.sqlite" beside the original, numbered when taken.
QString asideName(const QString &path)
{
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
    for (int n = 0;; ++n) {
        const QString name = QStringLiteral("%1.corrupt-%2%3.%4")
                                 .arg(info.completeBaseName(), stamp,
                                      n ? QStringLiteral("-%1").arg(n) : QString(), info.suffix());
        const QString candidate = info.dir().filePath(name);
        if (!QFileInfo::exists(candidate) && !QFileInfo::exists(candidate + QStringLiteral("-wal")))
            return candidate;
    }
}

} // namespace

QString modeName(Mode mode)
{
    switch (mode) {
    case Mode::Study:
        return QStringLiteral("study");
    case Mode::Exam:
        return QStringLiteral("exam");
    case Mode::Drill:
        return QStringLiteral("drill");
    case Mode::Review:
        return QStringLiteral("review");
    }
    return {};
}

std::optional<Mode> modeFromName(QStringView name)
{
    for (Mode mode : {Mode::Study, Mode::Exam, Mode::Drill, Mode::Review}) {
        if (name == modeName(mode))
            return mode;
    }
    return std::nullopt;
}

Store::Impl::Impl(Store &store) : q(store)
{
    static std::atomic<int> serial{0};
    connection = QStringLiteral("examora-progress-%1").arg(++serial);
}

Store::Impl::~Impl()
{
    close();
}

void Store::Impl::close()
{
    if (!db.isValid())
        return;
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

QSqlError Store::Impl::exec(const QString &sql)
{
    QSqlQuery query(db);
    return query.exec(sql) ? QSqlError() : query.lastError();
}

void Store::Impl::open()
{
    const QFileInfo file(q.m_path);
    if (!QDir().mkpath(file.absolutePath())) {
        report(Fault::Unavailable, QCoreApplication::translate("progress", "its folder cannot be made"));
        return;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        report(Fault::Unavailable,
               QCoreApplication::translate("progress", "the SQLite driver for Qt is missing"));
        return;
    }
    const bool readOnly =
        (file.exists() && !file.isWritable()) || !QFileInfo(file.absolutePath()).isWritable();
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(q.m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1%2")
                             .arg(kBusyTimeoutMs)
                             .arg(readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
    if (!db.open()) {
        report(readOnly ? Fault::ReadOnly : faultOf(db.lastError()), db.lastError().text());
        return;
    }
    const schema::Version version = schema::readVersion(db);
    if (version.error.isValid()) {
        fail(version.error);
        return;
    }
    if (version.value > schema::kVersion) {
        report(Fault::NewerVersion, QString::number(version.value));
        return;
    }
    if (readOnly) {
        report(Fault::ReadOnly, {});
        return;
    }
    prepare();
}

bool Store::Impl::prepare()
{
    // Switching a new file to WAL needs it alone for a moment, and SQLite answers "locked" at
    // once instead of waiting; a second copy starting at the same moment tries again briefly.
    QSqlError error;
    QElapsedTimer waited;
    waited.start();
    while ((error = exec(QStringLiteral("PRAGMA journal_mode = WAL"))).isValid() &&
           faultOf(error) == Fault::Locked && waited.elapsed() < kBusyTimeoutMs)
        QThread::msleep(10);
    if (!error.isValid())
        error = exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    if (!error.isValid())
        error = schema::migrate(db);
    if (error.isValid()) {
        fail(error);
        return false;
    }
    ready = true;
    return true;
}

bool Store::Impl::fail(const QSqlError &error)
{
    const Fault fault = faultOf(error);
    if (fault == Fault::Corrupt && setAside())
        return ready;
    report(fault, error.text());
    return false;
}

bool Store::Impl::setAside()
{
    if (setAsideOnce)
        return false;
    setAsideOnce = true;
    close();
    ready = false;
    const QString aside = asideName(q.m_path);
    if (!QFile::rename(q.m_path, aside))
        return false;
    for (const QString &suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(q.m_path + suffix))
            QFile::rename(q.m_path + suffix, aside + suffix);
    }
    report(Fault::Corrupt, aside);
    q.m_problem.saving = true;
    const Problem notice = q.m_problem;
    open();
    if (q.m_problem.fault == Fault::Corrupt) // the fresh file opened without a fault
        q.m_problem = notice;
    return true;
}

void Store::Impl::report(Fault fault, const QString &detail)
{
    const QString file = nativePath(q.m_path);
    QString message;
    switch (fault) {
    case Fault::None:
        return;
    case Fault::Corrupt:
        message = detail.isEmpty() || !QFileInfo::exists(detail)
                      ? QCoreApplication::translate("progress", "Progress is not being saved: %1 is damaged "
                                                                "and could not be set aside.")
                            .arg(file)
                      : QCoreApplication::translate("progress",
                                                    "The progress file %1 was damaged; it is kept as %2 "
                                                    "and a fresh one was started.")
                            .arg(file, nativePath(detail));
        break;
    case Fault::Locked:
        message =
            QCoreApplication::translate("progress", "Progress is not being saved: %1 is locked by another "
                                                    "program. Answers are kept until it is free.")
                .arg(file);
        break;
    case Fault::ReadOnly:
        message = QCoreApplication::translate("progress", "Progress is not being saved: %1 is read-only.")
                      .arg(file);
        break;
    case Fault::DiskFull:
        message =
            QCoreApplication::translate("progress", "Progress is not being saved: the disk holding %1 is "
                                                    "full or refused the write.")
                .arg(file);
        break;
    case Fault::NewerVersion:
        message = QCoreApplication::translate("progress", "Progress is not being saved: %1 was written by a "
                                                          "newer Examora (version %2).")
                      .arg(file, detail);
        break;
    case Fault::Unavailable:
        message =
            QCoreApplication::translate("progress", "Progress is not being saved: %1 cannot be opened (%2).")
                .arg(file, detail);
        break;
    }
    q.m_problem = {fault, false, message};
    if (!reported.contains(int(fault))) {
        reported.insert(int(fault));
        qWarning().noquote() << message;
    }
    if (fault == Fault::Locked && db.isValid())
        exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(kBusyTimeoutWhileLockedMs));
}

bool Store::Impl::writable() const
{
    switch (q.m_problem.fault) {
    case Fault::NewerVersion:
        return false;
    case Fault::Corrupt:
        return q.m_problem.saving;
    default:
        return db.isValid() || q.m_problem.fault == Fault::Unavailable;
    }
}

bool Store::Impl::flush()
{
    if (!writable())
        return false;
    if (!db.isValid()) { // the file could not be opened at all: try again
        open();
        if (!db.isValid())
            return false;
    }
    if (!ready && !prepare())
        return false;
    while (!pending.isEmpty()) {
        Pending &next = pending.first();
        if (const QSqlError error = write(next); error.isValid()) {
            if (fail(error)) // a damaged file set aside: try again on the fresh one
                continue;
            return false;
        }
        pending.removeFirst();
    }
    if (!q.m_problem.saving) {
        if (q.m_problem.fault == Fault::Locked)
            exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(kBusyTimeoutMs));
        q.m_problem = {};
    }
    return true;
}

void Store::Impl::enqueue(Pending entry)
{
    pending.append(std::move(entry));
    while (pending.size() > kMaxPending)
        pending.removeFirst();
}

Store::Store(const QString &path) : m_path(path), m_impl(std::make_unique<Impl>(*this))
{
    m_impl->open();
}

Store::~Store()
{
    if (!m_impl->pending.isEmpty()) // a last try, in case the fault has passed
        m_impl->flush();
}

QString Store::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("progress.sqlite"));
}

bool Store::record(const AnswerRecord &answer)
{
    m_impl->enqueue({std::nullopt, {answer}});
    return m_impl->flush();
}

bool Store::recordExam(ExamRecord &exam, const QList<AnswerRecord> &answers)
{
    m_impl->enqueue({exam, answers});
    if (!m_impl->flush())
        return false;
    exam.id = m_impl->lastExamId;
    return true;
}

} // namespace progress
