// The progress store: what goes in comes out, older files are brought up to date, and no
// fault stops recording or harms the user's file.
#include "progress/store.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
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

} // namespace

class ProgressStoreTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file(const QString &name = "progress.sqlite") const { return m_dir.filePath(name); }

private Q_SLOTS:
    void cleanup()
    {
        for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files)) {
            makeReadOnly(m_dir.filePath(name), false);
            QFile::remove(m_dir.filePath(name));
        }
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

        if (kind == "garbage" || kind == "damaged") {
            const QStringList aside = QDir(m_dir.path()).entryList({"progress.corrupt-*.sqlite"});
            QCOMPARE(aside.size(), 1);
            QCOMPARE(digest(m_dir.filePath(aside[0])), before);
            QVERIFY(store.problem().message.contains(aside[0]));
            QCOMPARE(sqlValue(file(), "SELECT COUNT(*) FROM answers").toInt(), 1);
        }
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
