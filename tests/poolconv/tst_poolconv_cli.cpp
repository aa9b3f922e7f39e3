// The poolconv command on good and bad input: a clear message naming the file, a
// non-zero exit, and never a partial or replaced output file after a failure.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <csignal>
#include <optional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <zip.h>

namespace {

const QByteArray kRelease = "T1A01 (C) [97.1]\nWhat is asked?\nA. one\nB. two\nC. three\nD. four\n~~\n";
const QByteArray kConverted =
    "\"Technician Pool (Element 2)\",\"7/1/2026 - 6/30/2030\","
    "\"NCVEC question pool release\"\r\n"
    "T1A01 (C) [97.1]\r\nWhat is asked?\r\nA.  one\r\nB.  two\r\nC.  three\r\nD.  four\r\n~~\r\n";

QByteArray documentXml(const QByteArray &paragraphs)
{
    return "<?xml version=\"1.0\"?><w:document "
           "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
           "<w:body>" +
           paragraphs + "</w:body></w:document>";
}

QByteArray paragraphsOf(const QByteArray &text)
{
    QByteArray out;
    for (const QByteArray &line : text.split('\n'))
        out += "<w:p><w:r><w:t xml:space=\"preserve\">" + line + "</w:t></w:r></w:p>";
    return out;
}

// Writes a zip holding the given members; returns false when libzip could not.
bool writeZip(const QString &path, const QList<std::pair<QByteArray, QByteArray>> &members)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const auto &[name, content] : members) {
        zip_source_t *source =
            zip_source_buffer(archive, content.constData(), zip_uint64_t(content.size()), 0);
        if (!source || zip_file_add(archive, name.constData(), source, ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0; // the buffers must live until here
}

struct Run
{
    int exitCode;
    QString out;
    QString err;
};

// fileSizeLimit, when given, makes every write beyond it fail as on a full disk.
Run poolconv(const QStringList &args, std::optional<rlim_t> fileSizeLimit = std::nullopt,
             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (fileSizeLimit)
        process.setChildProcessModifier([limit = *fileSizeLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit bound{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &bound);
        });
    process.start(QStringLiteral(POOLCONV_EXE), args);
    if (!process.waitForFinished(60000))
        return {-1, {}, QStringLiteral("did not finish")};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class PoolconvCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void convertsTextAndWordReleasesToTheSameFile_data();
    void convertsTextAndWordReleasesToTheSameFile();
    void badInputFailsCleanly_data();
    void badInputFailsCleanly();
    void failedConversionLeavesAnExistingOutputAlone();
    void outputThatCannotBeWrittenIsReportedAndLeftAlone_data();
    void outputThatCannotBeWrittenIsReportedAndLeftAlone();
    void checkReportsWhatTheProgramWouldLoad_data();
    void checkReportsWhatTheProgramWouldLoad();
    void usageErrors_data();
    void usageErrors();
    void helpListsEveryOptionAndVersionPrintsIt_data();
    void helpListsEveryOptionAndVersionPrintsIt();
    void installWritesOnlyAPoolNameIntoTheUsersPoolFolder_data();
    void installWritesOnlyAPoolNameIntoTheUsersPoolFolder();
    void concurrentInstallsKeepEachPoolWithItsContents();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

void PoolconvCommandLine::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void PoolconvCommandLine::convertsTextAndWordReleasesToTheSameFile_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("text release") << QStringLiteral("release.txt");
    QTest::newRow("Word release") << QStringLiteral("release.docx");
}

void PoolconvCommandLine::convertsTextAndWordReleasesToTheSameFile()
{
    QFETCH(QString, input);
    if (input.endsWith(QStringLiteral(".docx")))
        QVERIFY(writeZip(path(input), {{"[Content_Types].xml", "<Types/>"},
                                       {"word/document.xml", documentXml(paragraphsOf(kRelease))}}));
    else
        writeAll(path(input), kRelease);

    const Run run = poolconv({QStringLiteral("--effective"), QStringLiteral("7/1/2026 - 6/30/2030"),
                              path(input), path(QStringLiteral("questech.txt"))});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(readAll(path(QStringLiteral("questech.txt"))), kConverted);
    QVERIFY(run.out.contains(QStringLiteral("1 question(s), T1A01 to T1A01")));
}

void PoolconvCommandLine::badInputFailsCleanly_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("kind"); // how the input is made
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("message");

    const QString out = QStringLiteral("out.txt");
    QTest::newRow("missing input") << "absent.txt"
                                   << "none" << out << "absent.txt: error: no such file";
    QTest::newRow("empty file") << "empty.txt"
                                << "empty" << out << "empty.txt: error: the file is empty";
    QTest::newRow("binary file") << "image.png"
                                 << "binary" << out << "image.png: error: no questions found";
    QTest::newRow("docx that is not a zip") << "pool.docx"
                                            << "text" << out << "pool.docx: error: not a zip archive";
    QTest::newRow("damaged zip") << "pool.docx"
                                 << "truncated zip" << out << "pool.docx: error: not a readable zip archive";
    QTest::newRow("zip without document.xml")
        << "pool.docx"
        << "zip without document" << out << "pool.docx: error: the zip archive holds no word/document.xml";
    QTest::newRow("zip bomb") << "bomb.docx"
                              << "zip bomb" << out
                              << "bomb.docx: error: word/document.xml unpacks to more than 64 MiB";
    QTest::newRow("zip bomb whose sizes lie")
        << "liar.docx"
        << "lying zip bomb" << out << "liar.docx: error: word/document.xml unpacks to more than 64 MiB";
    QTest::newRow("document.xml not XML")
        << "pool.docx"
        << "zip with garbage" << out << "pool.docx: error: word/document.xml: not well-formed XML";
    QTest::newRow("release with faults")
        << "faulty.txt"
        << "faulty release" << out << "faulty.txt: line 3: T1A01: error: 3 choice(s)";
    QTest::newRow("a typo in an identifier drops no question silently")
        << "typo.txt"
        << "typo release" << out << "typo.txt: line 8: error: a question is due here, but \u201CTlA02 (C)";
    QTest::newRow("identifier one digit short")
        << "typo.txt"
        << "short release" << out << "typo.txt: line 8: error: a question is due here";
    QTest::newRow("escape in --title")
        << "release.txt"
        << "escape in title" << out << "the title may not hold a control character (U+001B)";
    QTest::newRow("bell in --source")
        << "release.txt"
        << "bell in source" << out << "the source may not hold a control character (U+0007)";
    QTest::newRow("output in a missing folder") << "release.txt"
                                                << "release"
                                                << "no/such/folder/out.txt"
                                                << "out.txt: error: cannot be written";
    QTest::newRow("output is a folder") << "release.txt"
                                        << "release"
                                        << "."
                                        << "error: cannot be written";
}

void PoolconvCommandLine::badInputFailsCleanly()
{
    QFETCH(QString, input);
    QFETCH(QString, kind);
    QFETCH(QString, output);
    QFETCH(QString, message);

    if (kind == u"empty")
        writeAll(path(input), {});
    else if (kind == u"binary")
        writeAll(path(input),
                 QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0\xff\xd8\xff", 24).repeated(50));
    else if (kind == u"text")
        writeAll(path(input), kRelease);
    else if (kind == u"release")
        writeAll(path(input), kRelease);
    else if (kind == u"typo release")
        writeAll(path(input), kRelease + QByteArray(kRelease).replace("T1A01", "TlA02"));
    else if (kind == u"short release")
        writeAll(path(input), kRelease + QByteArray(kRelease).replace("T1A01", "T1A2"));
    else if (kind == u"escape in title" || kind == u"bell in source")
        writeAll(path(input), kRelease);
    else if (kind == u"faulty release")
        writeAll(path(input), "T1A01 (C)\nWhat?\nA. a\nB. b\nC. c\n~~\n");
    else if (kind == u"truncated zip") {
        QVERIFY(writeZip(path(input), {{"word/document.xml", documentXml(paragraphsOf(kRelease))}}));
        writeAll(path(input), readAll(path(input)).left(60));
    } else if (kind == u"zip without document")
        QVERIFY(writeZip(path(input), {{"word/styles.xml", "<styles/>"}}));
    else if (kind == u"zip with garbage")
        QVERIFY(writeZip(path(input), {{"word/document.xml", "<w:document><w:body><w:p>"}}));
    else if (kind == u"lying zip bomb") {
        // As below, with both headers claiming 100 bytes: what comes out is counted.
        const QByteArray huge = documentXml(paragraphsOf("x").repeated(80 * 1024 * 1024 / 40));
        QVERIFY(writeZip(path(input), {{"word/document.xml", huge}}));
        QByteArray zip = readAll(path(input));
        for (const auto &[signature, offset] : {std::pair{"PK\x03\x04", 22}, std::pair{"PK\x01\x02", 24}}) {
            const qsizetype at = zip.indexOf(signature);
            QVERIFY(at >= 0);
            zip.replace(at + offset, 4, QByteArray("\x64\0\0\0", 4));
        }
        writeAll(path(input), zip);
    } else if (kind == u"zip bomb") {
        // 80 MiB of one repeated paragraph packs into well under a megabyte.
        const QByteArray huge = documentXml(paragraphsOf("x").repeated(80 * 1024 * 1024 / 40));
        QVERIFY(writeZip(path(input), {{"word/document.xml", huge}}));
        QVERIFY(QFileInfo(path(input)).size() < 2 * 1024 * 1024);
    }

    const QString target = path(output);
    const bool outputExisted = QFileInfo::exists(target);
    QStringList args = {QStringLiteral("--effective"), QStringLiteral("E")};
    if (kind == u"escape in title")
        args << "--title"
             << "Technician\x1B]0;owned\x07";
    if (kind == u"bell in source")
        args << "--source"
             << "NCVEC\x07";
    const Run run = poolconv(args + QStringList{path(input), target});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    if (!outputExisted)
        QVERIFY(!QFileInfo::exists(target));
    // QSaveFile leaves no temporary file behind either.
    const QStringList left = QDir(m_dir->path()).entryList(QDir::Files);
    for (const QString &name : left)
        QVERIFY2(name == input, qPrintable(name));
}

void PoolconvCommandLine::failedConversionLeavesAnExistingOutputAlone()
{
    writeAll(path(QStringLiteral("questech.txt")), kConverted);
    writeAll(path(QStringLiteral("faulty.txt")), "T1A01 (E)\nWhat?\nA. a\nB. b\nC. c\nD. d\n~~\n");
    const Run run = poolconv({QStringLiteral("--effective"), QStringLiteral("E"),
                              path(QStringLiteral("faulty.txt")), path(QStringLiteral("questech.txt"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("outside A to D")), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("questech.txt not written")));
    QCOMPARE(readAll(path(QStringLiteral("questech.txt"))), kConverted);
}

void PoolconvCommandLine::outputThatCannotBeWrittenIsReportedAndLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    const QString notRegular = QStringLiteral("out.txt: error: cannot be written: not a regular file");
    QTest::newRow("FIFO") << "fifo" << notRegular;
    QTest::newRow("link to a FIFO") << "link to fifo" << notRegular;
    QTest::newRow("device") << "device" << notRegular;
    QTest::newRow("full disk") << "full" << QStringLiteral("out.txt: error: writing failed: File too large");
}

void PoolconvCommandLine::outputThatCannotBeWrittenIsReportedAndLeftAlone()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    writeAll(path(QStringLiteral("release.txt")), kRelease);
    const QByteArray out = QFile::encodeName(path(QStringLiteral("out.txt")));
    const QByteArray fifo = QFile::encodeName(path(QStringLiteral("fifo")));
    if (kind == u"fifo") {
        QCOMPARE(::mkfifo(out.constData(), 0600), 0);
    } else if (kind == u"link to fifo") {
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QCOMPARE(::symlink(fifo.constData(), out.constData()), 0);
    } else if (kind == u"device") {
        if (::geteuid() != 0)
            QSKIP("making a device node needs root");
        QCOMPARE(::mknod(out.constData(), S_IFCHR | 0600, makedev(1, 7)), 0); // a full device
    }
    struct stat before
    {
    };
    const bool existed = ::lstat(out.constData(), &before) == 0;
    const QStringList entries =
        QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

    const Run run = poolconv({QStringLiteral("--effective"), QStringLiteral("E"),
                              path(QStringLiteral("release.txt")), QFile::decodeName(out)},
                             kind == u"full" ? std::optional<rlim_t>(0) : std::nullopt);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), entries);
    struct stat after
    {
    };
    QCOMPARE(::lstat(out.constData(), &after) == 0, existed);
    if (existed) {
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        QCOMPARE(after.st_ino, before.st_ino);
    }
}

void PoolconvCommandLine::checkReportsWhatTheProgramWouldLoad_data()
{
    QTest::addColumn<QByteArray>("pool");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("converted pool") << kConverted << 0
                                    << "loads 1 question(s), T1A01 to T1A01\n  title: Technician Pool "
                                       "(Element 2)\n  effective: 7/1/2026 - 6/30/2030"
                                    << "";
    QTest::newRow("answer mark missing")
        << QByteArray(kConverted).replace("(C)", "C") << 1 << "loads 1 question(s)"
        << "pool.txt: line 2: T1A01: error: line 0 has no";
    QTest::newRow("escapes in the header are shown escaped")
        << QByteArray(kConverted).replace("Technician Pool", "Tech\x1B[2J\x07") << 0
        << "title: Tech\\x1B[2J\\x07 (Element 2)"
        << "";
    QTest::newRow("a no-break space before the first identifier")
        << QByteArray(kConverted).replace("T1A01 (C)", "\xC2\xA0T1A01 (C)") << 1 << "loads 1 question(s)"
        << "pool.txt: line 2: error: the identifier \u00A0T1A01 holds a stray character (U+00A0) at position "
           "1";
    QTest::newRow("header only two fields") << QByteArray("\"T\",\"E\"\r\n") << 1 << ""
                                            << "pool.txt: error: the program would fail to load it";
    QTest::newRow("empty file") << QByteArray() << 1 << ""
                                << "the header has no title field";
}

void PoolconvCommandLine::checkReportsWhatTheProgramWouldLoad()
{
    QFETCH(QByteArray, pool);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    writeAll(path(QStringLiteral("pool.txt")), pool);
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const Run run = poolconv({QStringLiteral("--check"), QStringLiteral("pool.txt")});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.contains(out), qPrintable(run.out));
    if (err.isEmpty())
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    else
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
}

void PoolconvCommandLine::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("no arguments") << QStringList() << "INPUT";
    QTest::newRow("one file") << QStringList{QStringLiteral("in.txt")} << "INPUT";
    QTest::newRow("option without value")
        << QStringList{QStringLiteral("in.txt"), QStringLiteral("out.txt"), QStringLiteral("--title")}
        << "--title";
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate"), QStringLiteral("in.txt"),
                                                   QStringLiteral("out.txt")}
                                    << "frobnicate";
    QTest::newRow("check with two files") << QStringList{"--check", "a.txt", "b.txt"} << "--check";
}

void PoolconvCommandLine::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    const Run run = poolconv(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("usage: poolconv")), qPrintable(run.err));
    QVERIFY2(run.err.section(u'\n', 0, 0).contains(named), qPrintable(run.err));
}

void PoolconvCommandLine::helpListsEveryOptionAndVersionPrintsIt_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("printed");
    QTest::newRow("--help") << "--help"
                            << QStringList{"--title <T>", "--effective <E>", "--source <S>", "--install",
                                           "--check",     "--version",       "INPUT",        "OUTPUT"};
    QTest::newRow("-h") << "-h" << QStringList{"--install", "--check"};
    QTest::newRow("--version") << "--version" << QStringList{"poolconv 1."};
}

void PoolconvCommandLine::helpListsEveryOptionAndVersionPrintsIt()
{
    QFETCH(QString, option);
    QFETCH(QStringList, printed);
    const Run run = poolconv({option});
    QCOMPARE(run.exitCode, 0);
    for (const QString &text : printed)
        QVERIFY2(run.out.contains(text), qPrintable(text + " not in:\n" + run.out));
}

void PoolconvCommandLine::installWritesOnlyAPoolNameIntoTheUsersPoolFolder_data()
{
    QTest::addColumn<QString>("poolFile");
    QTest::addColumn<bool>("dataHomeIsAFile");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("Technician") << "questech.txt" << false << 0;
    QTest::newRow("Extra") << "quesextra.txt" << false << 0;
    QTest::newRow("a path, not a name") << "pools/questech.txt" << false << 2;
    QTest::newRow("not a pool file name") << "pool.txt" << false << 2;
    QTest::newRow("the folder cannot be made") << "questech.txt" << true << 1;
}

void PoolconvCommandLine::installWritesOnlyAPoolNameIntoTheUsersPoolFolder()
{
    QFETCH(QString, poolFile);
    QFETCH(bool, dataHomeIsAFile);
    QFETCH(int, exitCode);
    writeAll(path("release.txt"), kRelease);
    const QString dataHome = path("data");
    if (dataHomeIsAFile)
        writeAll(dataHome, "not a folder");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dataHome);

    const Run run =
        poolconv({"--install", "--effective", "7/1/2026 - 6/30/2030", path("release.txt"), poolFile},
                 std::nullopt, environment);
    QCOMPARE(run.exitCode, exitCode);
    const QString installed = dataHome + "/examora/pools/" + poolFile;
    if (exitCode == 0)
        QCOMPARE(readAll(installed), kConverted);
    else
        QVERIFY(!QFileInfo::exists(installed));
    QVERIFY(!QFileInfo::exists(poolFile)); // nothing in the working directory
}

// Two installs of different releases at once: each pool ends with its own table of contents.
void PoolconvCommandLine::concurrentInstallsKeepEachPoolWithItsContents()
{
    const QByteArray headed = "SUBELEMENT T1 - RULES [1 Exam Question - 1 Group]\nT1A Purpose\n" + kRelease;
    writeAll(path("release.txt"), headed);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", path("data"));
    const QString pools = path("data") + "/examora/pools/";
    for (int round = 0; round < 12; ++round) {
        std::array<QProcess, 2> runs;
        for (int k = 0; k < 2; ++k) {
            runs[k].setProcessEnvironment(environment);
            runs[k].start(QStringLiteral(POOLCONV_EXE),
                          {"--install", "--effective", "E", "--source", QString("Release %1").arg(k),
                           path("release.txt"), "questech.txt"});
        }
        for (QProcess &run : runs) {
            QVERIFY(run.waitForFinished(60000));
            QCOMPARE(run.exitCode(), 0);
        }
        const QByteArray pool = readAll(pools + "questech.txt");
        const QByteArray toc = readAll(pools + "questech.toc");
        const QByteArray source = pool.contains("\"Release 0\"") ? "Release 0" : "Release 1";
        QVERIFY2(toc.startsWith("# Subelement and group titles from " + source), toc.constData());
        QVERIFY(!QFileInfo::exists(pools + ".poolconv.lock"));
    }
}

QTEST_GUILESS_MAIN(PoolconvCommandLine)
#include "tst_poolconv_cli.moc"
