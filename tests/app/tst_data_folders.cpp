// The data folder the program reads, where "test.txt" lives, and the user's own pools
// taking precedence over the shipped ones.
#include "app/data_folders.h"

#include "tests/engine/study_fixture.h"

#include <QDir>
#include <QFile>
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
};

QTEST_GUILESS_MAIN(DataFoldersTest)
#include "tst_data_folders.moc"
