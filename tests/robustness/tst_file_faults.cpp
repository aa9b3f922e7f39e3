// Files that fail part-way: every fault gives the error path, or silence for "test.txt",
// and the remembered class on disk stays whole; what is not a regular file is never replaced.
#include "tests/engine/study_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <atomic>
#include <csignal>
#include <ctime>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

    // A file-size limit makes writes fail as a full disk would: the program says so and goes
    // on, where SIGXFSZ would kill it. It runs as installed, on a fresh data folder.
    void a_file_size_limit_is_reported_as_a_full_disk()
    {
        QTemporaryDir home;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(home.path());
        program.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{0, 0};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        program.setReadChannel(QProcess::StandardError);
        program.start(EXAMORA_PROGRAM);
        QVERIFY(program.waitForStarted());
        QByteArray said;
        while (!said.contains("not being saved") && program.state() == QProcess::Running) {
            program.waitForReadyRead(200);
            said += program.readAllStandardError();
            QVERIFY2(said.size() < 100000, said.left(2000).constData());
        }
        const bool alive = program.state() == QProcess::Running;
        const int signal = alive || program.exitStatus() == QProcess::NormalExit ? 0 : program.exitCode();
        program.kill();
        program.waitForFinished();
        QVERIFY2(alive, qPrintable(QString("ended (signal %1): %2").arg(signal).arg(QString(said))));
        QVERIFY2(said.contains("full or refused the write"), said.constData());
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

    void a_read_only_folder_with_a_writable_class_file_is_written_in_place()
    {
        QTemporaryDir dir;
        QFile old(dir.filePath("test.txt"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("\"E\"\r\n");
        old.close();
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(dir.path(), readOnly));
        QVERIFY(old.setPermissions(old.permissions() | QFile::WriteOther));
        // Permissions do not bind root, so as root the writer runs as "nobody", from a copy
        // in a folder open to all: the build folder may lie where "nobody" cannot reach.
        QTemporaryDir helperDir;
        const QString helper = helperDir.filePath("exam_class_writer");
        QVERIFY(QFile::copy(EXAM_CLASS_WRITER, helper));
        const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                              QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup;
        QVERIFY(QFile::setPermissions(helperDir.path(), everyone));
        QVERIFY(QFile::setPermissions(helper, everyone));
        QProcess writer;
        writer.setChildProcessModifier([] {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(3);
        });
        writer.start(helper, {dir.path(), "1"});
        QVERIFY(writer.waitForFinished(20000));
        QFile::setPermissions(dir.path(), readOnly | QFile::WriteOwner);
        QCOMPARE(writer.exitCode(), 0);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("\"T\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"test.txt"});
    }

    void what_is_not_a_regular_file_is_never_replaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to a FIFO") << "link to fifo";
        QTest::newRow("device") << "device";
        QTest::newRow("link to a regular file is written through") << "link to file";
    }
    void what_is_not_a_regular_file_is_never_replaced()
    {
        QFETCH(QString, kind);
        StudyFixture f;
        const QDir exe(f.exePath);
        const QByteArray path = QFile::encodeName(exe.filePath("test.txt"));
        const QByteArray other = QFile::encodeName(exe.filePath("other"));
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        } else if (kind == "link to fifo") {
            QCOMPARE(::mkfifo(other.constData(), 0600), 0);
            QCOMPARE(::symlink("other", path.constData()), 0);
        } else if (kind == "device") {
            if (::geteuid() != 0)
                QSKIP("making a device node needs root");
            QCOMPARE(::mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)), 0); // a null device
        } else {
            QFile target(QFile::decodeName(other));
            QVERIFY(target.open(QIODevice::WriteOnly));
            target.write("\"E\"\r\n");
            target.close();
            QCOMPARE(::symlink("other", path.constData()), 0);
        }
        struct stat before
        {
        };
        QCOMPARE(::lstat(path.constData(), &before), 0);
        const QStringList entries = exe.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

        f.engine->SaveExamClass('G');

        struct stat after
        {
        };
        QCOMPARE(::lstat(path.constData(), &after), 0);
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(exe.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), entries);
        if (kind == "link to file") {
            QFile target(QFile::decodeName(other));
            QVERIFY(target.open(QIODevice::ReadOnly));
            QCOMPARE(target.readAll(), QByteArray("\"G\"\r\n"));
        }
    }

    // Temporary files of "test.txt" left by a writer killed mid-write go at the next start,
    // unless they are young enough to be another running copy's write in progress.
    void stale_temporary_class_files_are_removed_at_start_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("removed");
        QTest::newRow("stale temporary") << "test.txt.Ab3dE9" << 120 << true;
        QTest::newRow("a running copy's temporary") << "test.txt.Xy7zQ1" << 5 << false;
        QTest::newRow("not a temporary's name") << "test.txt.bak" << 120 << false;
        QTest::newRow("another file's temporary") << "questech.txt.Ab3dE9" << 120 << false;
    }
    void stale_temporary_class_files_are_removed_at_start()
    {
        QFETCH(QString, name);
        QFETCH(int, ageSeconds);
        QFETCH(bool, removed);
        StudyFixture f;
        QFile file(f.exePath + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\"G");
        file.close();
        const timespec mtime{::time(nullptr) - ageSeconds, 0};
        const timespec times[2] = {mtime, mtime};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(file.fileName()).constData(), times, 0), 0);
        f.writeStartFile("questech.txt", poolText({"T1 (A)"}));
        f.start();
        QCOMPARE(!file.exists(), removed);
        QCOMPARE(f.examClassFileBytes(), QByteArray("\"T\"\r\n"));
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
