#include "progress/store.h"

#include "progress/schema.h"
#include "progress/store_impl.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>

#include <QUrl>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <limits>
#include <optional>

#include <sys/stat.h>

namespace progress {
namespace {

// The longest a statement waits for another connection's lock; the store is used on the
// study window's thread, and a second copy's commit takes a millisecond or two.
constexpr int kBusyTimeoutMs = 40;
// While another program is known to hold the file, a try gives up almost at once instead of
// stalling the study window after every answer.
constexpr int kBusyTimeoutWhileLockedMs = 5;
// The switch to WAL on its own thread: each try's wait, and how long it goes on trying.
constexpr int kWalTryMs = 20;
constexpr int kWalPatienceMs = 1000;
// What waits in memory is tried again soon, then less and less often.
constexpr int kFirstRetryMs = 100;
constexpr int kLastRetryMs = 5000;
// Answers waiting in memory while the file cannot be written; the oldest go beyond this.
constexpr int kMaxPending = 100000;
// Answers read at a time from a damaged file, and the most reads it is given.
constexpr int kSalvageRun = 4096;
constexpr int kSalvagePasses = 2000;

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
QString asideName(const QString &path, const QString &kind)
{
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
    for (int n = 0;; ++n) {
        const QString name = QStringLiteral("%1.%2-%3%4.%5")
                                 .arg(info.completeBaseName(), kind, stamp,
                                      n ? QStringLiteral("-%1").arg(n) : QString(), info.suffix());
        const QString candidate = info.dir().filePath(name);
        if (!QFileInfo::exists(candidate) && !QFileInfo::exists(candidate + QStringLiteral("-wal")))
            return candidate;
    }
}

// What stands at `path` when it is not a file SQLite can use, in words; empty when it is a
// regular file, a link to one, or nothing. SQLite would block on a FIFO, fail on a folder
// without saying why, and write into a device.
QString notAFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info
    {
    };
    if (::lstat(name.constData(), &info) != 0)
        return {};
    const bool link = S_ISLNK(info.st_mode);
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ELOOP)
            return QCoreApplication::translate("progress", "%1 is a symbolic link that loops")
                .arg(nativePath(path));
        return link ? QCoreApplication::translate("progress", "%1 is a symbolic link to nothing")
                          .arg(nativePath(path))
                    : QString();
    }
    if (S_ISREG(info.st_mode))
        return {};
    if (S_ISDIR(info.st_mode))
        return QCoreApplication::translate("progress", "%1 is a folder").arg(nativePath(path));
    if (S_ISFIFO(info.st_mode))
        return QCoreApplication::translate("progress", "%1 is a FIFO, not a file").arg(nativePath(path));
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QCoreApplication::translate("progress", "%1 is a device, not a file").arg(nativePath(path));
    return QCoreApplication::translate("progress", "%1 is not a regular file").arg(nativePath(path));
}

const QStringList &sideFiles()
{
    static const QStringList suffixes = {QStringLiteral("-wal"), QStringLiteral("-shm"),
                                         QStringLiteral("-journal")};
    return suffixes;
}

// The tables each version of the file holds.
QStringList tablesOf(int version)
{
    QStringList tables;
    if (version >= 1)
        tables << QStringLiteral("answers");
    if (version >= 2)
        tables << QStringLiteral("exams") << QStringLiteral("settings");
    return tables;
}

} // namespace

QSqlError failureOf(const QSqlQuery &query)
{
    if (query.lastError().isValid())
        return query.lastError();
    // Qt gives no error for a statement on a connection that is not open.
    return QSqlError(QStringLiteral("progress"), QStringLiteral("the database is not open"),
                     QSqlError::ConnectionError, QStringLiteral("21")); // SQLITE_MISUSE
}

QSqlError execOn(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    return query.exec(sql) ? QSqlError() : failureOf(query);
}

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

void WalSwitch::start(const QString &databaseName, const QString &connection)
{
    stop();
    m_started = true;
    m_done = false;
    m_stop = false;
    m_thread = std::thread([this, databaseName, connection] {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(databaseName);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1;QSQLITE_OPEN_URI").arg(kWalTryMs));
            QElapsedTimer waited;
            waited.start();
            // Two connections switching at the same moment make SQLite answer "locked" at
            // once to one of them, without waiting: hence the loop.
            for (bool open = db.open(); open && !m_stop;) {
                const QSqlError error = execOn(db, QStringLiteral("PRAGMA journal_mode = WAL"));
                if (!error.isValid() || faultOf(error) != Fault::Locked || waited.elapsed() >= kWalPatienceMs)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        QSqlDatabase::removeDatabase(connection);
        m_done = true;
    });
}

void WalSwitch::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

Store::Impl::Impl(Store &store) : q(store), retryInterval(kFirstRetryMs)
{
    static std::atomic<int> serial{0};
    connection = QStringLiteral("examora-progress-%1").arg(++serial);
    retry.setSingleShot(true);
    retry.callOnTimeout([this] {
        if (!walSwitch.running()) // the last try failed: the next one comes later
            retryInterval = std::min(2 * retryInterval, kLastRetryMs);
        flush();
    });
}

Store::Impl::~Impl()
{
    close();
}

void Store::Impl::close()
{
    walSwitch.reset();
    if (!db.isValid())
        return;
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
    ready = false;
}

QSqlError Store::Impl::exec(const QString &sql)
{
    return execOn(db, sql);
}

bool Store::Impl::openConnection(bool openReadOnly, bool immutable, const QString &readOnlyCause)
{
    close();
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    // A file that cannot take the WAL's shared-memory file beside it (a read-only folder) is
    // read as it stands on disk.
    db.setDatabaseName(
        immutable ? QUrl::fromLocalFile(QFileInfo(q.m_path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
                        QStringLiteral("?immutable=1")
                  : q.m_path);
    QStringList options = {QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs),
                           QStringLiteral("QSQLITE_OPEN_URI")};
    if (openReadOnly)
        options << QStringLiteral("QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options.join(u';'));
    readOnly = openReadOnly;
    busyTimeout = kBusyTimeoutMs;
    if (db.open())
        return true;
    const QSqlError error = db.lastError();
    close();
    report(openReadOnly ? Fault::ReadOnly : faultOf(error), openReadOnly ? readOnlyCause : error.text());
    return false;
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
    for (const QString &path : QStringList{q.m_path} + [&] {
             QStringList sides;
             for (const QString &suffix : sideFiles())
                 sides << q.m_path + suffix;
             return sides;
         }()) {
        if (const QString what = notAFile(path); !what.isEmpty()) {
            report(Fault::Unavailable, what);
            return;
        }
    }
    // What keeps the file from being written, when something does; it is then only read.
    QString readOnlyCause;
    const QString folder = file.absolutePath();
    if (file.exists() && !file.isWritable())
        readOnlyCause = nativePath(q.m_path);
    else if (const QFileInfo shm(q.m_path + QStringLiteral("-shm")); shm.exists() && !shm.isWritable())
        readOnlyCause = nativePath(shm.filePath());
    else if (!QFileInfo(folder).isWritable())
        readOnlyCause = QCoreApplication::translate("progress", "the folder %1").arg(nativePath(folder));
    if (readOnlyCause.isEmpty()) {
        if (openConnection(false, false, {}))
            prepare();
        return;
    }
    if (!file.exists()) {
        report(Fault::ReadOnly, readOnlyCause);
        return;
    }
    if (!openConnection(true, false, readOnlyCause))
        return;
    schema::Version version = schema::readVersion(db);
    if (version.error.isValid() && faultOf(version.error) != Fault::Locked &&
        faultOf(version.error) != Fault::Corrupt && openConnection(true, true, readOnlyCause))
        version = schema::readVersion(db);
    if (version.error.isValid())
        readFailed(version.error);
    else if (version.value < 0 || version.value > schema::kVersion)
        report(version.value < 0 ? Fault::UnknownVersion : Fault::NewerVersion,
               QString::number(version.value));
    else
        report(Fault::ReadOnly, readOnlyCause);
}

// The rows of one statement's first column; the statement is gone when it returns, so the
// connection can be closed and the file set aside after it.
static std::optional<QStringList> column(const QSqlDatabase &db, const QString &sql, QSqlError &error)
{
    QSqlQuery query(db);
    if (!query.exec(sql)) {
        error = failureOf(query);
        return std::nullopt;
    }
    QStringList rows;
    while (query.next())
        rows << query.value(0).toString();
    if (query.lastError().isValid()) {
        error = query.lastError();
        return std::nullopt;
    }
    return rows;
}

bool Store::Impl::inspect()
{
    // The version and the tables from one snapshot: another copy may be creating the file
    // meanwhile, and its first tables must not pass for another program's.
    QSqlError error = exec(QStringLiteral("BEGIN"));
    schema::Version snapshot;
    std::optional<QStringList> tables;
    if (!error.isValid()) {
        snapshot = schema::readVersion(db);
        error = snapshot.error;
    }
    if (!error.isValid())
        tables =
            column(db,
                   QStringLiteral(
                       "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"),
                   error);
    exec(QStringLiteral("COMMIT"));
    if (error.isValid()) {
        fail(error);
        return false;
    }
    const int version = snapshot.value;
    if (version < 0 || version > schema::kVersion) {
        report(version < 0 ? Fault::UnknownVersion : Fault::NewerVersion, QString::number(version));
        return false;
    }
    if (version == 0 && !tables->isEmpty()) { // tables this program did not make
        setAside(Fault::Foreign);
        return false;
    }
    for (const QString &table : tablesOf(version)) {
        if (!tables->contains(table)) {
            setAside(Fault::Corrupt,
                     QCoreApplication::translate("progress", "it has no %1 table").arg(table));
            return false;
        }
    }
    if (version == 0)
        return true;
    // A damaged page is found here rather than part-way through a read or a write.
    const std::optional<QStringList> problems = column(db, QStringLiteral("PRAGMA quick_check(10)"), error);
    if (!problems) {
        fail(error);
        return false;
    }
    if (*problems == QStringList{QStringLiteral("ok")})
        return true;
    setAside(Fault::Corrupt);
    return false;
}

bool Store::Impl::prepare()
{
    const schema::Version version = schema::readVersion(db);
    if (version.error.isValid())
        return fail(version.error);
    if (version.value < 0 || version.value > schema::kVersion) {
        report(version.value < 0 ? Fault::UnknownVersion : Fault::NewerVersion,
               QString::number(version.value));
        return false;
    }
    if (!checked) {
        if (!inspect())
            return ready;
        checked = true;
    }
    // Switching a new file to WAL needs it alone for a moment. This connection tries once; when
    // another connection holds the file, the switch goes on being tried on another thread, and
    // a later try here (the retry timer's, or the next answer's) finds it done.
    if (walSwitch.running())
        return false;
    QSqlError error = exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    if (error.isValid() && faultOf(error) == Fault::Locked && !walSwitch.started()) {
        walSwitch.start(db.databaseName(), connection + QStringLiteral("-wal"));
        return false;
    }
    if (!error.isValid())
        error = exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    if (!error.isValid())
        error = schema::migrate(db);
    if (error.isValid())
        return fail(error);
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

bool Store::Impl::setAside(Fault why, const QString &cause)
{
    if (setAsideOnce) {
        report(Fault::Corrupt, cause);
        return false;
    }
    setAsideOnce = true;
    close();
    const QString aside =
        asideName(q.m_path, why == Fault::Foreign ? QStringLiteral("other") : QStringLiteral("corrupt"));
    if (!QFile::rename(q.m_path, aside)) {
        report(Fault::Corrupt, cause);
        return false;
    }
    for (const QString &suffix : sideFiles()) {
        if (QFileInfo::exists(q.m_path + suffix))
            QFile::rename(q.m_path + suffix, aside + suffix);
    }
    q.m_problem = {};
    open();
    if (!ready) // the fresh file could not be started: that fault is the one to tell
        return false;
    if (why == Fault::Foreign) {
        report(Fault::Foreign, aside);
        q.m_problem.saving = true;
    } else {
        salvage(aside, cause);
    }
    return true;
}

// Copies what can still be read of the damaged file into the fresh one, a range of answers at
// a time; a range that fails is halved until the rows that cannot be read are found.
namespace {

// What could still be read of a damaged file.
struct Salvage
{
    QList<QVariantList> answers, exams, settings;
    qint64 count = -1; // the answers it says it holds, when that can be read
};

// Reads a damaged file through a connection of its own, so the damage it meets leaves the
// fresh file's connection alone. Answers are read in id order, a run at a time; where a read
// fails, the next readable id is found by seeks at growing distances, then narrowed back
// towards the damage.
Salvage salvageFrom(const QString &path, const QString &connection)
{
    Salvage out;
    {
        QSqlDatabase old = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        old.setDatabaseName(
            QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            QStringLiteral("?mode=ro"));
        old.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
        if (old.open()) {
            const auto rows = [&old](const QString &sql, int columns, QList<QVariantList> &into) {
                QSqlQuery query(old);
                if (!query.exec(sql))
                    return;
                while (query.next()) {
                    QVariantList row;
                    for (int c = 0; c < columns; ++c)
                        row << query.value(c);
                    into << row;
                }
            };
            QList<QVariantList> single;
            rows(QStringLiteral("PRAGMA user_version"), 1, single);
            const int version = single.isEmpty() ? 0 : single[0][0].toInt();
            single.clear();
            rows(QStringLiteral("SELECT COUNT(*) FROM answers"), 1, single);
            out.count = single.isEmpty() ? -1 : single[0][0].toLongLong();
            if (version >= 2) {
                rows(QStringLiteral(
                         "SELECT id, pool, started_at, finished_at, score, total, pass_mark, passed FROM "
                         "exams"),
                     8, out.exams);
                rows(QStringLiteral("SELECT pool, name, value FROM settings"), 3, out.settings);
            }
            const QString runSql =
                QStringLiteral(
                    "SELECT id, answered_at, pool, question, CASE WHEN chosen IN ('A', 'B', 'C', 'D') "
                    "THEN chosen ELSE '' END, correct, hinted, mode, %1 FROM answers WHERE id >= ? "
                    "ORDER BY id LIMIT %2")
                    .arg(version >= 2 ? QStringLiteral("exam_id") : QStringLiteral("NULL"))
                    .arg(kSalvageRun);
            // The first id from `id` on: nullopt when the seek fails, an empty optional inside
            // when there is none.
            const auto nextId = [&old](qint64 id) -> std::optional<std::optional<qint64>> {
                QSqlQuery probe(old);
                probe.prepare(QStringLiteral("SELECT id FROM answers WHERE id >= ? ORDER BY id LIMIT 1"));
                probe.addBindValue(id);
                if (!probe.exec())
                    return std::nullopt;
                if (probe.next())
                    return std::optional(probe.value(0).toLongLong());
                if (probe.lastError().isValid())
                    return std::nullopt;
                return std::optional<qint64>();
            };
            constexpr qint64 kMax = std::numeric_limits<qint64>::max();
            std::optional<qint64> from = std::numeric_limits<qint64>::min();
            // Every pass moves past at least one id; a file damaged beyond reason still ends.
            for (int pass = 0; from && pass < kSalvagePasses; ++pass) {
                QSqlQuery run(old);
                run.setForwardOnly(true);
                run.prepare(runSql);
                run.addBindValue(*from);
                qint64 rowsRead = 0;
                std::optional<qint64> last, seen;
                bool disordered = false;
                const bool started = run.exec();
                while (started && run.next()) {
                    ++rowsRead;
                    const qint64 id = run.value(0).toLongLong();
                    seen = std::max(seen.value_or(id), id);
                    // A damaged cell reads as a row of garbage: one without a readable time
                    // is not an answer.
                    if (!fromIsoUtc(run.value(1).toString()).isValid())
                        continue;
                    if (id < *from || (last && id <= *last)) {
                        disordered = true; // a tree too damaged to keep its order
                        break;
                    }
                    last = id;
                    QVariantList row;
                    for (int c = 0; c < 9; ++c)
                        row << run.value(c);
                    out.answers << row;
                }
                if (started && !disordered && !run.lastError().isValid()) {
                    from = rowsRead == kSalvageRun && seen && *seen < kMax ? std::optional(*seen + 1)
                                                                           : std::nullopt;
                    continue;
                }
                // A read failed after `start`: seek past it, at growing distances when even the
                // seek fails, then back towards the damage for what the long step passed over.
                const qint64 start = std::max(seen.value_or(*from), *from);
                from.reset();
                if (start == kMax)
                    break;
                if (const auto next = nextId(start + 1)) {
                    if (*next)
                        from = std::max(**next, start + 1);
                    continue;
                }
                qint64 step = 2;
                while (start <= kMax - step && step < (qint64(1) << 62) && !nextId(start + step))
                    step *= 2;
                if (start > kMax - step || !nextId(start + step))
                    break;
                qint64 good = start + step;
                for (qint64 low = start + step / 2 + 1, high = good - 1; low <= high;) {
                    const qint64 middle = low + (high - low) / 2;
                    if (nextId(middle)) {
                        good = middle;
                        high = middle - 1;
                    } else {
                        low = middle + 1;
                    }
                }
                from = good;
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return out;
}

} // namespace

// Carries what can still be read of the damaged file into the fresh one, and says how much.
void Store::Impl::salvage(const QString &aside, const QString &cause)
{
    const Salvage found = salvageFrom(aside, connection + QStringLiteral("-salvage"));
    qint64 saved = 0;
    const qint64 count = found.count;
    if (!found.answers.isEmpty() || !found.exams.isEmpty() || !found.settings.isEmpty()) {
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        const auto insertAll = [this](const QString &sql, const QList<QVariantList> &rows) {
            qint64 inserted = 0;
            QSqlQuery insert(db);
            insert.prepare(sql);
            for (const QVariantList &row : rows) {
                for (int c = 0; c < row.size(); ++c)
                    insert.bindValue(c, row[c]);
                if (insert.exec())
                    inserted += insert.numRowsAffected();
            }
            return inserted;
        };
        insertAll(
            QStringLiteral("INSERT OR IGNORE INTO exams (id, pool, started_at, finished_at, score, total, "
                           "pass_mark, passed) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
            found.exams);
        insertAll(QStringLiteral("INSERT OR IGNORE INTO settings (pool, name, value) VALUES (?, ?, ?)"),
                  found.settings);
        saved = insertAll(
            QStringLiteral("INSERT OR IGNORE INTO answers (id, answered_at, pool, question, chosen, "
                           "correct, hinted, mode, exam_id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            found.answers);
        if (exec(QStringLiteral("COMMIT")).isValid()) {
            exec(QStringLiteral("ROLLBACK"));
            saved = 0;
        }
    }
    const QString file = nativePath(q.m_path);
    const qint64 lost = std::max<qint64>(0, count - saved);
    QString message =
        cause.isEmpty()
            ? QCoreApplication::translate("progress", "The progress file %1 was damaged").arg(file)
            : QCoreApplication::translate("progress", "The progress file %1 was damaged (%2)")
                  .arg(file, cause);
    message += QCoreApplication::translate("progress", "; it is kept as %1 and a fresh one was started")
                   .arg(nativePath(aside));
    if (count > 0 || saved > 0) {
        message += count < 0
                       ? QCoreApplication::translate("progress", " with the %1 answers that could be read.")
                             .arg(saved)
                       : QCoreApplication::translate("progress",
                                                     " with the %1 answers that could be read; %2 were lost.")
                             .arg(saved)
                             .arg(lost);
    } else {
        message += u'.';
    }
    q.m_problem = {Fault::Corrupt, true, message};
    qWarning().noquote() << message;
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
    case Fault::Foreign:
        message = QCoreApplication::translate("progress", "%1 was not a progress file of this program; it is "
                                                          "kept as %2 and a fresh one was started.")
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
                      .arg(detail.isEmpty() ? file : detail);
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
    case Fault::UnknownVersion:
        message =
            QCoreApplication::translate("progress", "Progress is not being saved: %1 has a version this "
                                                    "program does not know (%2).")
                .arg(file, detail);
        break;
    case Fault::Unavailable:
        message =
            detail.startsWith(file)
                ? QCoreApplication::translate("progress", "Progress is not being saved: %1.").arg(detail)
                : QCoreApplication::translate("progress",
                                              "Progress is not being saved: %1 cannot be opened (%2).")
                      .arg(file, detail);
        break;
    }
    q.m_problem = {fault, false, message};
    if (!reported.contains(int(fault))) {
        reported.insert(int(fault));
        qWarning().noquote() << message;
    }
    if (fault == Fault::Locked)
        setBusyTimeout(kBusyTimeoutWhileLockedMs);
}

void Store::Impl::setBusyTimeout(int ms)
{
    if (ms != busyTimeout && db.isValid() &&
        !exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(ms)).isValid())
        busyTimeout = ms;
}

void Store::Impl::readFailed(const QSqlError &error)
{
    const QString file = nativePath(q.m_path);
    switch (faultOf(error)) {
    case Fault::Locked:
        readFault = QCoreApplication::translate("progress", "Progress could not be read: %1 is locked by "
                                                            "another program.")
                        .arg(file);
        setBusyTimeout(kBusyTimeoutWhileLockedMs);
        break;
    case Fault::Corrupt:
        readFault =
            QCoreApplication::translate("progress", "Progress could not be read: %1 is damaged.").arg(file);
        break;
    default:
        readFault = QCoreApplication::translate("progress", "Progress could not be read from %1 (%2).")
                        .arg(file, error.text());
        break;
    }
    static QSet<QString> told;
    if (!told.contains(readFault)) {
        told.insert(readFault);
        qWarning().noquote() << readFault;
    }
}

bool Store::Impl::writable() const
{
    switch (q.m_problem.fault) {
    case Fault::NewerVersion:
    case Fault::UnknownVersion:
        return false;
    case Fault::Corrupt:
    case Fault::Foreign:
        return q.m_problem.saving;
    default:
        return true;
    }
}

bool Store::Impl::flush()
{
    if (writeWaiting()) {
        retry.stop();
        retryInterval = kFirstRetryMs;
        return true;
    }
    // Tried again later without waiting for another answer, while the file may yet take it.
    if (writable() && (!pending.isEmpty() || walSwitch.running()) && !retry.isActive() &&
        QAbstractEventDispatcher::instance(retry.thread()))
        retry.start(retryInterval);
    return false;
}

bool Store::Impl::writeWaiting()
{
    if (!writable())
        return false;
    if (!db.isValid() || readOnly) { // not opened, or only for reading: try again
        open();
        if (!db.isValid() || readOnly)
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
    setBusyTimeout(kBusyTimeoutMs);
    if (!q.m_problem.saving)
        q.m_problem = {};
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
    if (m_impl->pending.isEmpty())
        return;
    // A last try, in case the fault has passed: a switch to WAL still being tried elsewhere
    // gives way to one try here, which waits as long as an answer's would.
    m_impl->walSwitch.stop();
    m_impl->setBusyTimeout(kBusyTimeoutMs);
    m_impl->writeWaiting();
}

int Store::waitingWrites() const
{
    return int(m_impl->pending.size());
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
