// The data folder the program reads, where "test.txt" lives, the user's own pools taking
// precedence over the shipped ones (and borrowing their table of contents), and the
// command line's help and version, printed without a display.
#include "app/data_folders.h"

#include "tests/engine/study_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using engine::ExamClass;
using testing::poolText;
using testing::StudyFixture;

namespace {
void writeFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class DataFoldersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // An installed tree <root>/bin + <root>/share/examora and a working directory <root>/work.
    void the_working_directory_wins_unless_only_the_installed_folder_holds_a_pool_data()
    {
        QTest::addColumn<QString>("workingPool");   // a file written in the working directory
        QTest::addColumn<QString>("installedPool"); // a file written in the installed data folder
        QTest::addColumn<QString>("startIn");       // "work" or "installed"
        QTest::addColumn<bool>("installed");        // the installed folders are chosen
        QTest::newRow("a run from a folder with pools") << "questech.txt"
                                                        << "questech.txt"
                                                        << "work" << false;
        QTest::newRow("one pool of three is enough") << "quesextra.txt"
                                                     << ""
                                                     << "work" << false;
        QTest::newRow("started elsewhere, installed") << ""
                                                      << "quesgen.txt"
                                                      << "work" << true;
        QTest::newRow("other files are not pools") << "BandPlan.txt"
                                                   << "questech.txt"
                                                   << "work" << true;
        QTest::newRow("neither folder holds a pool") << "BandPlan.txt"
                                                     << "BandPlan.txt"
                                                     << "work" << false;
        QTest::newRow("started inside the installed folder") << ""
                                                             << "questech.txt"
                                                             << "installed" << true;
    }
    void the_working_directory_wins_unless_only_the_installed_folder_holds_a_pool()
    {
        QFETCH(QString, workingPool);
        QFETCH(QString, installedPool);
        QFETCH(QString, startIn);
        QFETCH(bool, installed);
        QTemporaryDir root;
        const QString bin = root.filePath("bin");
        const QString data = root.filePath("share/examora");
        const QString work = startIn == "work" ? root.filePath("work") : data;
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(data) && QDir().mkpath(work));
        if (!workingPool.isEmpty())
            writeFile(work + '/' + workingPool, "\"T\"\r\n");
        if (!installedPool.isEmpty())
            writeFile(data + '/' + installedPool, "\"T\"\r\n");

        const app::DataFolders folders = app::locateDataFolders(work, bin);
        if (installed) {
            QCOMPARE(QDir(folders.dataDir).canonicalPath(), QDir(data).canonicalPath());
            QCOMPARE(folders.examClassDir, app::userConfigFolder());
            QCOMPARE(folders.userPoolDir, app::userPoolFolder());
        } else {
            QCOMPARE(folders.dataDir, work);
            QCOMPARE(folders.examClassDir, bin);
            QVERIFY(folders.userPoolDir.isEmpty());
        }
    }

    void the_user_folders_are_the_programs_own_and_apart_from_the_installed_data()
    {
        const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QCOMPARE(app::userPoolFolder(), home + "/examora/pools");
        QVERIFY(app::userConfigFolder().endsWith("/examora"));
        QVERIFY(app::userPoolFolder() != home + "/examora");
    }

    void a_user_pool_is_read_before_the_shipped_one_of_the_same_name_data()
    {
        QTest::addColumn<QString>("userFile"); // what the user's pool folder holds under questech.txt
        QTest::addColumn<QString>("title");
        QTest::newRow("the user's pool") << "file"
                                         << "User Pool";
        QTest::newRow("no user pool") << ""
                                      << "Shipped Pool";
        QTest::newRow("a folder of that name") << "folder"
                                               << "Shipped Pool";
    }
    void a_user_pool_is_read_before_the_shipped_one_of_the_same_name()
    {
        QFETCH(QString, userFile);
        QFETCH(QString, title);
        StudyFixture f;
        QTemporaryDir userPools;
        f.writeStartFile("questech.txt", poolText({"T0 (A)"}, "\"Shipped Pool\",\"2026\",\"src\""));
        if (userFile == "file")
            writeFile(userPools.filePath("questech.txt"),
                      poolText({"T0 (A)", "T1 (B)"}, "\"User Pool\",\"2027\",\"s\""));
        else if (userFile == "folder")
            QVERIFY(QDir(userPools.path()).mkdir("questech.txt"));
        f.engine->setUserPoolFolder(userPools.path());
        f.start();
        QCOMPARE(f.text("Label12"), title);
        QCOMPARE(f.examClassFileBytes(), QByteArray("\"T\"\r\n"));
    }

    void a_user_pool_without_a_table_of_contents_borrows_the_shipped_one_data()
    {
        QTest::addColumn<QString>("userPool");   // the user's pool: "", or its effective dates
        QTest::addColumn<QByteArray>("userToc"); // the table beside the user's pool, if any
        QTest::addColumn<QByteArray>("shippedToc");
        QTest::addColumn<QString>("title"); // of subelement T1 once loaded
        const QByteArray shipped = "# shipped\nT1\tRULES\t6\nT1A\tPurpose\nT2\tPROCEDURES\t3\n";
        const QString same = "7/1/2026 - 6/30/2030";
        QTest::newRow("same release: borrowed") << same << QByteArray() << shipped << "RULES";
        QTest::newRow("another period: kept bare")
            << "7/1/2030 - 6/30/2034" << QByteArray() << shipped << "T1";
        QTest::newRow("other subelements: kept bare")
            << same << QByteArray() << QByteArray("T1\tRULES\t6\nT3\tOTHER\t3\n") << "T1";
        QTest::newRow("the user's own table wins") << same << QByteArray("T1\tOWN\t6\n") << shipped << "OWN";
        QTest::newRow("the shipped pool itself") << "" << QByteArray() << shipped << "RULES";
    }
    void a_user_pool_without_a_table_of_contents_borrows_the_shipped_one()
    {
        QFETCH(QString, userPool);
        QFETCH(QByteArray, userToc);
        QFETCH(QByteArray, shippedToc);
        QFETCH(QString, title);
        StudyFixture f;
        QTemporaryDir userPools;
        const QList<QByteArray> ids{"T1A01 (A)", "T1A02 (B)", "T2A01 (C)"};
        f.writeStartFile("questech.txt", poolText(ids, "\"Shipped\",\"7/1/2026 - 6/30/2030\",\"s\""));
        f.writeStartFile("questech.toc", shippedToc);
        if (!userPool.isEmpty())
            writeFile(userPools.filePath("questech.txt"),
                      poolText(ids, "\"Mine\",\"" + userPool.toUtf8() + "\",\"s\""));
        if (!userToc.isEmpty())
            writeFile(userPools.filePath("questech.toc"), userToc);
        f.engine->setUserPoolFolder(userPools.path());
        f.start();
        QCOMPARE(f.engine->pool().subelements.size(), 2);
        QCOMPARE(f.engine->pool().subelements[0].title, title);
        // Where the pool came from, for the Progress window's title.
        QCOMPARE(f.engine->loadedUserPoolFolder(), userPool.isEmpty() ? QString() : userPools.path());
    }

    void help_and_version_print_without_a_display_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        QTest::newRow("--help") << "--help"
                                << "Usage: ";
        QTest::newRow("-h") << "-h"
                            << "--version";
        QTest::newRow("--version") << "--version"
                                   << "examora " EXAMORA_VERSION;
    }
    void help_and_version_print_without_a_display()
    {
        QFETCH(QString, option);
        QFETCH(QString, expected);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb"); // a window would fail here, loudly
        program.setProcessEnvironment(env);
        program.start(EXAMORA_PROGRAM, {option});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(out.contains(expected), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(DataFoldersTest)
#include "tst_data_folders.moc"
