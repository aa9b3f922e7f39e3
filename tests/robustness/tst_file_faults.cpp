// Files that fail part-way: every fault gives the error path, or silence for "test.txt",
// and the remembered class on disk stays whole.
#include "tests/engine/study_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <atomic>
#include <csignal>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using engine::ExamClass;
using testing::poolText;
using testing::StudyFixture;

class FileFaultsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unreadable_pools_take_the_error_path_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("read error") << "eio";
        QTest::newRow("dangling link") << "dangling";
    }
    void unreadable_pools_take_the_error_path()
    {
        QFETCH(QString, kind);
        StudyFixture f;
        const QString pool = f.startDir.filePath("questech.txt");
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(pool).constData(), 0600), 0);
        else if (kind == "eio") // reading this file at offset 0 fails with an I/O error
            QVERIFY(QFile::link("/proc/self/mem", pool));
        else
            QVERIFY(QFile::link(f.startDir.filePath("gone"), pool));
        f.start();
        QCOMPARE(f.services.m_beeps, 2); // the Technician load and its one retry
        QCOMPARE(f.state().questionCount, 0.0f);
        QCOMPARE(f.examClassFileBytes(), QByteArray("<missing>"));
    }

    void a_test_file_that_comes_and_goes_never_breaks_start_up()
    {
        StudyFixture f;
        f.writeStartFile("questech.txt", poolText({"T1 (A)"}));
        f.writeStartFile("quesgen.txt", poolText({"G1 (A)", "G2 (B)"}));
        const QString path = f.exePath + "/test.txt";
        std::atomic<bool> stop{false};
        std::thread toggler([&] {
            while (!stop) {
                QFile::remove(path);
                QFile file(path);
                if (file.open(QIODevice::WriteOnly))
                    file.write("\"G\"\r\n");
            }
        });
        for (int i = 0; i < 200; ++i) {
            f.start();
            const float count = f.state().questionCount;
            QVERIFY2(count == 1 || count == 2, qPrintable(QString::number(count)));
        }
        stop = true;
        toggler.join();
        QCOMPARE(f.services.m_messages.size(), std::size_t(0));
    }

    void a_full_disk_keeps_the_previous_class()
    {
        QTemporaryDir dir;
        QFile old(dir.filePath("test.txt"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("\"E\"\r\n");
        old.close();
        // A file-size limit of two bytes makes every longer write fail as a full disk would.
        QProcess writer;
        writer.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{2, 2};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        writer.start(EXAM_CLASS_WRITER, {dir.path(), "3"});
        QVERIFY(writer.waitForFinished(20000));
        QCOMPARE(writer.exitCode(), 0);
        QFile after(dir.filePath("test.txt"));
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), QByteArray("\"E\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"test.txt"}); // no leftovers
    }

    void an_unwritable_program_folder_is_silent()
    {
        StudyFixture blocked(QDir::tempPath() + "/examora-no-such-parent/inner");
        blocked.writeStartFile("questech.txt", poolText({"T1 (A)"}));
        blocked.start();
        QCOMPARE(blocked.state().questionCount, 1.0f);
        QCOMPARE(blocked.services.m_messages.size(), std::size_t(0));
        QVERIFY(!QFile::exists(blocked.exePath + "/test.txt"));
    }

    void a_kill_mid_write_leaves_the_old_or_the_new_class()
    {
        QTemporaryDir dir;
        auto *random = QRandomGenerator::global();
        for (int round = 0; round < 40; ++round) {
            QProcess writer;
            writer.start(EXAM_CLASS_WRITER, {dir.path(), "0"});
            QVERIFY(writer.waitForStarted());
            QTest::qWait(20 + int(random->bounded(60)));
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QFile file(dir.filePath("test.txt"));
            if (!file.exists())
                continue; // killed before its first save
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(bytes == "\"T\"\r\n" || bytes == "\"G\"\r\n", bytes.constData());
        }
    }
};

QTEST_GUILESS_MAIN(FileFaultsTest)
#include "tst_file_faults.moc"
