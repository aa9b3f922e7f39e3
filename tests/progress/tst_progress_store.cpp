// The progress store: what goes in comes out, older files are brought up to date, and no
// fault stops recording or harms the user's file.
#include "progress/store.h"
#include "tests/support/child_process.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using progress::AnswerRecord;
using progress::ExamRecord;
using progress::Fault;
using progress::Mode;
using progress::Store;

namespace {

const QString kTech = "T 2026-2030";
const QDateTime kMorning(QDate(2026, 12, 8), QTime(9, 30, 0, 125), Qt::UTC);

AnswerRecord answer(const QString &question, int minute = 0, Mode mode = Mode::Study,
                    const QString &pool = kTech)
{
    return {kMorning.addSecs(60 * minute), pool, question, 'B', minute % 2 == 0, minute % 3 == 0, mode};
}

// Runs SQL on the file directly, as another program would.
QVariant sqlValue(const QString &path, const QString &sql)
{
    QVariant value;
    {
        auto db = QSqlDatabase::addDatabase("QSQLITE", "direct");
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql) && query.next())
                value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase("direct");
    return value;
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                          : QByteArray();
}

int lastCount(QProcess &writer)
{
    const QList<QByteArray> lines = writer.readAllStandardOutput().trimmed().split('\n');
    return lines.isEmpty() ? 0 : lines.last().toInt();
}

// Root writes through permission bits; the immutable flag stops it too.
bool makeReadOnly(const QString &path, bool readOnly)
{
    QFile::setPermissions(path, readOnly ? QFile::ReadOwner | QFile::ReadOther
                                         : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    if (::geteuid() != 0)
        return true;
    return QProcess::execute("chattr", {readOnly ? "+i" : "-i", path}) == 0;
}

// A folder that cannot be written, even by root; undone by passing false.
bool lockFolder(const QString &path, bool locked)
{
    const auto open = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(path, locked ? open : open | QFile::WriteOwner);
    if (::geteuid() != 0)
        return true;
    return QProcess::execute("chattr", {locked ? "+i" : "-i", path}) == 0;
}

// The number in "with the 2980 answers that could be read", or -1.
int savedCount(const QString &message)
{
    const QRegularExpressionMatch match = QRegularExpression("with the (\\d+) answers").match(message);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class ProgressStoreTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QString &name = "progress.sqlite") const { return m_dir.filePath(name); }

private Q_SLOTS:
    void cleanup()
    {
        lockFolder(m_dir.path(), false);
        const QDir dir(m_dir.path());
        for (const QString &name :
             dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
            makeReadOnly(m_dir.filePath(name), false);
            if (!QFile::remove(m_dir.filePath(name)))
                QDir(m_dir.filePath(name)).removeRecursively();
        }
    }

    // Each row leaves the store nothing it can write to; in a child, since the first of these
    // crashed and the others hung at the first answer.
    void a_store_it_cannot_use_is_told_and_studying_goes_on_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("says");
        QTest::newRow("negative version")
            << "version -5" << int(Fault::UnknownVersion) << "does not know (-5)";
        QTest::newRow("lowest version")
            << "version -2147483648" << int(Fault::UnknownVersion) << "does not know";
        QTest::newRow("folder") << "folder" << int(Fault::Unavailable) << "progress.sqlite is a folder";
        QTest::newRow("FIFO") << "fifo" << int(Fault::Unavailable) << "is a FIFO";
        QTest::newRow("device") << "device" << int(Fault::Unavailable) << "is a device";
        QTest::newRow("dangling link") << "dangling" << int(Fault::Unavailable) << "link to nothing";
        QTest::newRow("looping link") << "loop" << int(Fault::Unavailable) << "loops";
        QTest::newRow("journal is a folder")
            << "journal folder" << int(Fault::Unavailable) << "progress.sqlite-journal is a folder";
        QTest::newRow("read-only folder, no file yet")
            << "locked folder" << int(Fault::ReadOnly) << "the folder";
        QTest::newRow("read-only shared-memory file")
            << "locked shm" << int(Fault::ReadOnly) << "progress.sqlite-shm is read-only";
    }
    void a_store_it_cannot_use_is_told_and_studying_goes_on()
    {
        QFETCH(QString, kind);
        QFETCH(int, fault);
        QFETCH(QString, says);
        const QByteArray path = QFile::encodeName(file());
        if (kind.startsWith("version"))
            sqlValue(file(), "PRAGMA user_version = " + kind.section(' ', 1));
        else if (kind == "folder")
            QVERIFY(QDir(m_dir.path()).mkdir("progress.sqlite"));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", file()));
        else if (kind == "dangling")
            QVERIFY(QFile::link(file("gone"), file()));
        else if (kind == "loop")
            QVERIFY(QFile::link(file(), file()));
        else if (kind == "journal folder")
            QVERIFY(QDir(m_dir.path()).mkdir("progress.sqlite-journal"));
        else if (kind == "locked folder" && !lockFolder(m_dir.path(), true))
            QSKIP("cannot make a folder read-only here");
        if (kind == "locked shm") {
            {
                Store(file()).record(answer("T1A01"));
            }
            QFile shm(file("progress.sqlite-shm"));
            QVERIFY(shm.open(QIODevice::WriteOnly));
            shm.close();
            if (!makeReadOnly(shm.fileName(), true))
                QSKIP("cannot make a file read-only here");
        }
        const testing::ChildOutcome outcome = testing::runInChild(
            [&] {
                Store store(file());
                ExamRecord exam{0, kTech, kMorning, kMorning, 30, 35, 26, true};
                const bool wrote = store.record(answer("T1A02", 1)) || store.setExamMoment(kTech, kMorning) ||
                                   store.recordExam(exam, {answer("T1A03", 2)}) || store.forget("G");
                if (wrote || store.answers(kTech).size() < 2)
                    return 2;
                if (int(store.problem().fault) != fault || !store.problem().message.contains(says)) {
                    qWarning().noquote() << int(store.problem().fault) << store.problem().message;
                    return 3;
                }
                return 0;
            },
            std::chrono::seconds(20));
        QVERIFY2(outcome.ok(), qPrintable(outcome.describe()));
    }

    // What the file holds is read even when it cannot be written, and a read that fails is
    // told rather than shown as no answers.
    void what_can_be_read_is_read_and_a_failed_read_is_told_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("readable");
        QTest::newRow("read-only folder") << "folder" << true;
        QTest::newRow("read-only file") << "file" << true;
        QTest::newRow("rollback journal locked by another program") << "locked" << false;
    }
    void what_can_be_read_is_read_and_a_failed_read_is_told()
    {
        QFETCH(QString, kind);
        QFETCH(bool, readable);
        {
            Store store(file());
            for (int i = 0; i < 500; ++i)
                QVERIFY(store.record(answer(QString("T1A%1").arg(i, 3, 10, QChar('0')), i)));
        }
        QProcess holder;
        if (kind == "folder" && !lockFolder(m_dir.path(), true))
            QSKIP("cannot make a folder read-only here");
        if (kind == "file" && !makeReadOnly(file(), true))
            QSKIP("cannot make a file read-only here");
        if (kind == "locked") {
            sqlValue(file(), "PRAGMA journal_mode = DELETE");
            holder.start(PROGRESS_WRITER, {"hold", file()});
            QVERIFY(holder.waitForReadyRead(10000));
        }
        Store store(file());
        QVERIFY(!store.record(answer("T9Z99", 600)));
        const QList<AnswerRecord> answers = store.answers(kTech);
        QCOMPARE(answers.size(), readable ? 501 : 1); // the one waiting in memory is always there
        QCOMPARE(store.readFault().isEmpty(), readable);
        QCOMPARE(store.answersByQuestion(kTech).size(), readable ? 501 : 1);
        QCOMPARE(store.readFault().isEmpty(), readable);
        if (!readable)
            QVERIFY2(store.readFault().contains("locked"), qPrintable(store.readFault()));
        QCOMPARE(store.readAllAnswers([](const QList<AnswerRecord> &) { return true; }), readable);
        holder.closeWriteChannel();
        holder.waitForFinished(10000);
    }

    // A damaged file found at open is set aside whole and the fresh file starts with every
    // answer that could still be read.
    void a_damaged_file_is_set_aside_with_what_can_be_read()
    {
        {
            Store store(file());
            ExamRecord exam{0, kTech, kMorning, kMorning, 30, 35, 26, true};
            QVERIFY(store.recordExam(exam, {answer("T0A00")}));
            QVERIFY(store.setExamMoment(kTech, kMorning.addDays(2)));
            for (int i = 1; i < 3000; ++i)
                QVERIFY(store.record(answer(QString("T1A%1").arg(i, 4, 10, QChar('0')), i)));
        }
        // One leaf page of the answers, in the middle, overwritten.
        const int leaves =
            sqlValue(file(), "SELECT COUNT(*) FROM dbstat WHERE name = 'answers' AND pagetype = 'leaf'")
                .toInt();
        QVERIFY(leaves > 10);
        const int page =
            sqlValue(file(), QString("SELECT pageno FROM dbstat WHERE name = 'answers' AND pagetype = "
                                     "'leaf' ORDER BY pageno LIMIT 1 OFFSET %1")
                                 .arg(leaves / 2))
                .toInt();
        QFile db(file());
        QVERIFY(db.open(QIODevice::ReadWrite));
        db.seek(qint64(page - 1) * 4096 + 8);
        db.write(QByteArray(4000, '\xA5'));
        db.close();
        QVERIFY(sqlValue(file(), "PRAGMA quick_check").toString() != "ok");
        const QByteArray before = digest(file());

        Store store(file());
        QCOMPARE(store.problem().fault, Fault::Corrupt);
        QVERIFY(store.isSaving());
        const int saved = savedCount(store.problem().message);
        QVERIFY2(saved > 2500 && saved < 3000, qPrintable(store.problem().message));
        QVERIFY(store.problem().message.contains(QString("%1 were lost").arg(3000 - saved)));
        QCOMPARE(store.answers(kTech).size(), saved);
        QCOMPARE(store.exams(kTech).size(), 1);
        QCOMPARE(store.examMoment(kTech), kMorning.addDays(2));
        QVERIFY(store.record(answer("T9Z99", 4000)));
        QCOMPARE(sqlValue(file(), "PRAGMA integrity_check").toString(), "ok");
        const QStringList aside = QDir(m_dir.path()).entryList({"progress.corrupt-*.sqlite"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(digest(m_dir.filePath(aside[0])), before);
    }

    // The moment is read by its length, whatever it holds, and huge values are cut.
    void every_stored_answer_is_read_once_data()
    {
        QTest::addColumn<QString>("answeredAt");
        QTest::newRow("comma") << "2026-12-08T09:30:00.125Z,1";
        QTest::newRow("colon and digits") << "12:3:";
        QTest::newRow("beyond the BMP") << "2026-\U0001F600-08";
        QTest::newRow("empty") << "";
        QTest::newRow("a megabyte") << QString(1 << 20, '7');
    }
    void every_stored_answer_is_read_once()
    {
        QFETCH(QString, answeredAt);
        {
            Store store(file());
            QVERIFY(store.record(answer("T1A01")));
        }
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "odd");
            db.setDatabaseName(file());
            QVERIFY(db.open());
            QSqlQuery query(db);
            query.prepare("INSERT INTO answers (answered_at, pool, question, chosen, correct, hinted, mode) "
                          "VALUES (?, ?, 'T1A01', 'C', 1, 0, 'study')");
            query.addBindValue(answeredAt);
            query.addBindValue(kTech);
            QVERIFY(query.exec());
            query.prepare("INSERT INTO answers (answered_at, pool, question, chosen, correct, hinted, mode) "
                          "VALUES ('2026-12-08T09:30:00.125Z', ?, ?, 'C', 1, 0, 'study')");
            query.addBindValue(kTech);
            query.addBindValue(QString(1 << 20, 'Q'));
            QVERIFY(query.exec());
            db.close();
        }
        QSqlDatabase::removeDatabase("odd");
        Store store(file());
        const auto byQuestion = store.answersByQuestion(kTech);
        QCOMPARE(byQuestion.value("T1A01").size(), 2);
        QVERIFY(byQuestion.value("T1A01")[0].correct || byQuestion.value("T1A01")[1].correct);
        const QList<AnswerRecord> all = store.allAnswers();
        QCOMPARE(all.size(), 3);
        for (const AnswerRecord &a : all)
            QVERIFY(a.question.size() <= 65536);
    }

    void answers_exams_and_the_exam_moment_come_back_as_recorded()
    {
        {
            Store store(file());
            QVERIFY2(store.isSaving(), qPrintable(store.problem().message));
            QVERIFY(store.record(answer("T1A02", 2)));
            QVERIFY(store.record(answer("T1A01", 1)));
            QVERIFY(store.record(answer("G1A01", 1, Mode::Drill, "G 2023-2027")));
            ExamRecord exam{0, kTech, kMorning, kMorning.addSecs(900), 27, 35, 26, true};
            QVERIFY(store.recordExam(exam, {answer("T5B01", 5, Mode::Exam), answer("T5C01", 6, Mode::Exam)}));
            QVERIFY(exam.id > 0);
            QVERIFY(store.setExamMoment(kTech, kMorning.addDays(3)));
        }
        Store store(file()); // a later run
        const QList<AnswerRecord> tech = store.answers(kTech);
        QCOMPARE(tech.size(), 4);
        QCOMPARE(tech[0].question, "T1A01"); // oldest first
        QCOMPARE(tech[0].answeredAt, kMorning.addSecs(60));
        QCOMPARE(tech[0].chosen, QChar('B'));
        QCOMPARE(tech[0].correct, false);
        QCOMPARE(tech[2].mode, Mode::Exam);
        QCOMPARE(tech[3].correct, true);
        QCOMPARE(tech[3].hinted, true);
        QCOMPARE(store.allAnswers().size(), 5);
        QCOMPARE(store.exams(kTech).size(), 1);
        QCOMPARE(store.exams(kTech)[0].score, 27);
        QCOMPARE(store.exams(kTech)[0].passed, true);
        QCOMPARE(store.examMoment(kTech), kMorning.addDays(3));
        QCOMPARE(store.examMoment("G 2023-2027"), std::nullopt);
        QCOMPARE(sqlValue(file(), "SELECT answered_at FROM answers ORDER BY id").toString(),
                 "2026-12-08T09:32:00.125Z");

        QVERIFY(store.forget(kTech));
        QCOMPARE(store.answers(kTech).size(), 0);
        QCOMPARE(store.exams(kTech).size(), 0);
        QCOMPARE(store.examMoment(kTech), std::nullopt);
        QCOMPARE(store.answers("G 2023-2027").size(), 1);
    }

    void older_files_are_brought_up_to_date_and_newer_ones_left_alone_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("saving");
        QTest::newRow("new file") << -1 << true;
        QTest::newRow("version 1, answers only") << 1 << true;
        QTest::newRow("version 2, choices always given") << 2 << true;
        QTest::newRow("written by a newer program") << 99 << false;
    }
    void older_files_are_brought_up_to_date_and_newer_ones_left_alone()
    {
        QFETCH(int, version);
        QFETCH(bool, saving);
        if (version >= 0) {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "old");
            db.setDatabaseName(file());
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec("CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, "
                               "pool TEXT NOT NULL, question TEXT NOT NULL, chosen TEXT NOT NULL, "
                               "correct INTEGER NOT NULL, hinted INTEGER NOT NULL, mode TEXT NOT NULL)"));
            QVERIFY(query.exec("INSERT INTO answers VALUES (1, '2026-01-02T03:04:05.006Z', 'T 2026-2030', "
                               "'T1A01', 'C', 1, 0, 'study')"));
            if (version >= 2) {
                QVERIFY(query.exec(
                    "CREATE TABLE exams (id INTEGER PRIMARY KEY, pool TEXT NOT NULL, "
                    "started_at TEXT NOT NULL, finished_at TEXT NOT NULL, score INTEGER NOT NULL, "
                    "total INTEGER NOT NULL, pass_mark INTEGER NOT NULL, passed INTEGER NOT NULL)"));
                QVERIFY(query.exec("ALTER TABLE answers ADD COLUMN exam_id INTEGER REFERENCES exams (id)"));
                QVERIFY(query.exec("CREATE TABLE settings (pool TEXT NOT NULL, name TEXT NOT NULL, "
                                   "value TEXT NOT NULL, PRIMARY KEY (pool, name))"));
            }
            QVERIFY(query.exec(QString("PRAGMA user_version = %1").arg(version)));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase("old");
        }
        const QByteArray before = digest(file());
        Store store(file());
        QCOMPARE(store.isSaving(), saving);
        const ExamRecord examTemplate{0, kTech, kMorning, kMorning, 30, 35, 26, true};
        ExamRecord exam = examTemplate;
        AnswerRecord unanswered = answer("T2A02", 1, Mode::Exam);
        unanswered.chosen = QChar();
        unanswered.correct = false;
        QCOMPARE(store.recordExam(exam, {answer("T2A01"), unanswered}), saving);
        if (!saving) {
            QCOMPARE(store.problem().fault, Fault::NewerVersion);
            QVERIFY(store.problem().message.contains("newer"));
            QCOMPARE(digest(file()), before);
            return;
        }
        QCOMPARE(sqlValue(file(), "PRAGMA user_version").toInt(), 3);
        QCOMPARE(sqlValue(file(), "PRAGMA journal_mode").toString(), "wal");
        const QList<AnswerRecord> answers = store.answers(kTech);
        QCOMPARE(answers.size(), version < 0 ? 2 : 3);
        QCOMPARE(answers.first().chosen, version < 0 ? QChar('B') : QChar('C')); // kept through the rebuild
        QCOMPARE(answers.last().chosen, QChar());
        QCOMPARE(answers.last().correct, false);
        QCOMPARE(sqlValue(file(), "SELECT COUNT(*) FROM answers WHERE chosen = ''").toInt(), 1);
        QVERIFY(!sqlValue(file(), "SELECT 1 FROM answers WHERE chosen = 'X'").isValid());
        QCOMPARE(store.exams(kTech).size(), 1);
    }

    void a_fault_keeps_the_file_and_the_answers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("saving");
        QTest::newRow("not a database") << "garbage" << int(Fault::Corrupt) << true;
        QTest::newRow("damaged pages") << "damaged" << int(Fault::Corrupt) << true;
        QTest::newRow("another program's database") << "foreign" << int(Fault::Foreign) << true;
        QTest::newRow("version 3 without its tables") << "no tables" << int(Fault::Corrupt) << true;
        QTest::newRow("read-only file") << "readonly" << int(Fault::ReadOnly) << false;
        QTest::newRow("locked by another copy") << "locked" << int(Fault::Locked) << false;
    }
    void a_fault_keeps_the_file_and_the_answers()
    {
        QFETCH(QString, kind);
        QFETCH(int, fault);
        QFETCH(bool, saving);
        {
            Store store(file());
            for (int i = 0; i < 300; ++i) // several pages, so damage can land inside the file
                QVERIFY(store.record(answer(QString("T1A%1").arg(i, 3, 10, QChar('0')), i)));
        }
        if (kind == "foreign" || kind == "no tables") {
            QFile::remove(file());
            sqlValue(file(), kind == "foreign" ? "CREATE TABLE answers (a, b)" : "PRAGMA user_version = 3");
        }
        QFile db(file());
        QVERIFY(db.open(QIODevice::ReadWrite));
        if (kind == "garbage") {
            db.resize(0);
            db.write(QByteArray(5000, 'x'));
        } else if (kind == "damaged") {
            db.seek(db.size() - 4096 - 1000);
            db.write(QByteArray(2000, '\xA5'));
            db.seek(2 * 4096); // a b-tree page header
            db.write(QByteArray(8, '\xFF'));
        }
        db.close();
        const QByteArray before = digest(file());
        QProcess holder;
        if (kind == "readonly") {
            if (!makeReadOnly(file(), true))
                QSKIP("cannot make a file read-only here");
        } else if (kind == "locked") {
            holder.start(PROGRESS_WRITER, {"hold", file()});
            QVERIFY(holder.waitForReadyRead(10000));
            QCOMPARE(holder.readLine().trimmed(), "held");
        }

        QElapsedTimer timer;
        timer.start();
        std::optional<Store> open(file());
        Store &store = *open;
        const bool written = store.record(answer("T9Z99", 500));
        QVERIFY2(timer.elapsed() < 3000, "a fault must not stall the study window");
        QCOMPARE(int(store.problem().fault), fault);
        QCOMPARE(store.isSaving(), saving);
        QCOMPARE(written, saving);
        QVERIFY(!store.problem().message.isEmpty());
        QCOMPARE(store.answers(kTech).last().question, "T9Z99"); // kept, even if only in memory

        if (saving) { // kept whole aside; the fresh file has what could be read and the new answer
            const QStringList aside =
                QDir(m_dir.path()).entryList({"progress.corrupt-*.sqlite", "progress.other-*.sqlite"});
            QCOMPARE(aside.size(), 1);
            QCOMPARE(digest(m_dir.filePath(aside[0])), before);
            QVERIFY(store.problem().message.contains(aside[0]));
            QCOMPARE(sqlValue(file(), "SELECT COUNT(*) FROM answers").toInt(),
                     1 + std::max(0, savedCount(store.problem().message)));
        }
        if (kind == "no tables")
            QVERIFY2(store.problem().message.contains("no answers table"),
                     qPrintable(store.problem().message));
        if (kind == "readonly") {
            open.reset(); // reading the file here while SQLite has it open would drop its locks
            QCOMPARE(digest(file()), before);
        }
        if (kind == "locked") { // later tries give up at once; once the lock goes, what waited is written
            timer.restart();
            QVERIFY(!store.record(answer("T9Z97", 502)));
            QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
            holder.closeWriteChannel();
            QVERIFY(holder.waitForFinished(10000));
            QVERIFY(store.record(answer("T9Z98", 501)));
            QVERIFY(store.isSaving());
            QCOMPARE(sqlValue(file(), "SELECT COUNT(*) FROM answers").toInt(), 303);
        }
    }

    // Another program holding the file keeps no call of the store waiting long, and what was
    // recorded meanwhile reaches the file once the lock goes, with no later answer to carry it:
    // through the retry timer, or the last try of a store being closed.
    void a_held_lock_stalls_no_call_and_what_waited_is_written_after_data()
    {
        QTest::addColumn<QString>("lock");
        QTest::addColumn<bool>("openFirst");
        QTest::addColumn<bool>("closeAfter");
        QTest::newRow("write lock, store open before it") << "write" << true << false;
        QTest::newRow("write lock, store opened under it") << "write" << false << false;
        QTest::newRow("read lock on a new file, before the switch to WAL") << "read" << false << false;
        QTest::newRow("read lock, store closed once it goes") << "read" << false << true;
    }
    void a_held_lock_stalls_no_call_and_what_waited_is_written_after()
    {
        QFETCH(QString, lock);
        QFETCH(bool, openFirst);
        QFETCH(bool, closeAfter);
        if (lock == "write")
            QVERIFY(Store(file()).record(answer("T1A00"))); // a WAL file with one answer
        std::optional<Store> store;
        if (openFirst)
            store.emplace(file());
        QProcess holder;
        holder.start(PROGRESS_WRITER, {"hold", file(), lock});
        QVERIFY(holder.waitForReadyRead(10000));
        QElapsedTimer timer;
        qint64 slowest = 0;
        const auto lap = [&] { slowest = std::max(slowest, timer.restart()); };
        timer.start();
        if (!store)
            store.emplace(file());
        lap();
        for (int i = 1; i <= 3; ++i) {
            const bool written = store->record(answer(QString("T1A0%1").arg(i), i));
            lap();
            QVERIFY(!written);
        }
        const qsizetype read = store->answersByQuestion(kTech).size();
        lap();
        QCOMPARE(read, lock == "write" ? 4 : 3);
        QVERIFY2(slowest < 500, qPrintable(QString("a call took %1 ms").arg(slowest)));
        QCOMPARE(store->waitingWrites(), 3);
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        const int expected = lock == "write" ? 4 : 3;
        if (closeAfter)
            store.reset();
        else
            QTRY_COMPARE_WITH_TIMEOUT(store->waitingWrites(), 0, 20000);
        QCOMPARE(sqlValue(file(), "SELECT COUNT(*) FROM answers").toInt(), expected);
        QCOMPARE(sqlValue(file(), "PRAGMA journal_mode").toString(), "wal");
        if (store)
            QVERIFY(store->isSaving());
    }

    void a_full_disk_stops_saving_without_harming_the_file()
    {
        {
            Store store(file());
            QVERIFY(store.record(answer("T1A01")));
        }
        QProcess writer;
        writer.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{256 * 1024, 256 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        writer.start(PROGRESS_WRITER, {"write", file(), "0", "T2B"});
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(writer.exitCode(), 3); // a write failed, reported, and the program went on
        const int written = lastCount(writer);
        QVERIFY(written > 10);
        QVERIFY(writer.readAllStandardError().contains("not being saved"));
        QCOMPARE(sqlValue(file(), "PRAGMA integrity_check").toString(), "ok");
        QCOMPARE(sqlValue(file(), "SELECT COUNT(*) FROM answers").toInt(), written + 1);
    }

    void a_kill_at_any_moment_loses_at_most_the_answer_in_flight()
    {
        auto *random = QRandomGenerator::global();
        int recorded = 0;
        for (int round = 0; round < 6; ++round) {
            QProcess writer;
            writer.start(PROGRESS_WRITER, {"write", file(), "0", QString("R%1-").arg(round)});
            QVERIFY(writer.waitForStarted());
            QVERIFY(writer.waitForReadyRead(10000));
            QTest::qWait(random->bounded(20, 200));
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished());
            const int printed = lastCount(writer);
            const int inFile = sqlValue(file(), "SELECT COUNT(*) FROM answers").toInt() - recorded;
            QVERIFY2(inFile == printed || inFile == printed + 1,
                     qPrintable(QString("printed %1, in the file %2").arg(printed).arg(inFile)));
            QCOMPARE(sqlValue(file(), "PRAGMA integrity_check").toString(), "ok");
            recorded += inFile;
        }
    }

    void two_running_copies_both_record()
    {
        QProcess first, second;
        first.start(PROGRESS_WRITER, {"write", file(), "400", "A"});
        second.start(PROGRESS_WRITER, {"write", file(), "400", "B"});
        QVERIFY(first.waitForFinished(60000));
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(sqlValue(file(), "SELECT COUNT(DISTINCT question) FROM answers").toInt(), 800);
    }

    void csv_follows_rfc_4180_data()
    {
        QTest::addColumn<QString>("pool");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QByteArray>("row");
        QTest::newRow("plain") << kTech << "B" << QByteArray("T 2026-2030,T1A01,B,1,1,study\r\n");
        QTest::newRow("unanswered exam question: no choice")
            << kTech << "" << QByteArray("T 2026-2030,T1A01,,1,1,study\r\n");
        QTest::newRow("comma and quote") << "T, \"new\""
                                         << "B" << QByteArray("\"T, \"\"new\"\"\",T1A01,B,1,1,study\r\n");
        QTest::newRow("line break") << "T\n2026"
                                    << "B" << QByteArray("\"T\n2026\",T1A01,B,1,1,study\r\n");
    }
    void csv_follows_rfc_4180()
    {
        QFETCH(QString, pool);
        QFETCH(QString, chosen);
        QFETCH(QByteArray, row);
        AnswerRecord record = answer("T1A01", 0, Mode::Study, pool);
        record.chosen = chosen.isEmpty() ? QChar() : chosen.front();
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(progress::writeCsv(out, {record}));
        QCOMPARE(out.data(),
                 "answered_at,pool,question,chosen,correct,hinted,mode\r\n2026-12-08T09:30:00.125Z," + row);
    }
};

QTEST_GUILESS_MAIN(ProgressStoreTest)
#include "tst_progress_store.moc"
