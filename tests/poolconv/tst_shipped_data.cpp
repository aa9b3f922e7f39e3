// The data the program ships: each pool converts again, from its text and from its
// Word release, to exactly the shipped bytes; each loads through the study engine with
// the right count, first and last identifiers and every answer letter; the sounds and
// figures are what the program can use. Tests that need the NCVEC sources skip when
// that folder is absent; those on the shipped files always run.
#include "tools/poolconv/convert.h"
#include "tools/poolconv/pool_check.h"
#include "tools/poolconv/release_parser.h"
#include "tools/poolconv/source_reader.h"

#include "questions/pool_file.h"
#include "tests/engine/study_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstdlib>

using namespace poolconv;

namespace {

const QString kData = QStringLiteral(DATA_DIR);
const QString kSources = QStringLiteral(POOL_SOURCES_DIR);

struct ShippedPool
{
    const char *file;
    engine::ExamClass examClass;
    const char *textRelease;
    const char *wordRelease;
    const char *title;
    const char *effective;
    const char *source;
};

const ShippedPool kPools[] = {
    {"questech.txt", engine::ExamClass::Technician, "technician-2026-2030.txt",
     "2026-2030 Technician Pool and Syllabus Public Release Feb 19 2026.docx", "Technician Pool (Element 2)",
     "7/1/2026 - 6/30/2030", "NCVEC 2026-2030 Technician Class Pool Errata, issued February 19, 2026"},
    {"quesgen.txt", engine::ExamClass::General, "general-2023-2027.txt",
     "General Class Pool and Syllabus 2023-2027 Public Release with 6th Errata Feb 4 2026.docx",
     "General Pool (Element 3)", "7/1/2023 - 6/30/2027",
     "NCVEC 2023-2027 General Class Question Pool 6th Errata, issued February 4, 2026"},
    {"quesextra.txt", engine::ExamClass::Extra, "extra-2024-2028.txt",
     "2024-2028 Extra Class Question Pool and Syllabus Public Release with 4th Errata Feb 4 2026.docx",
     "Extra Pool (Element 4)", "7/1/2024 - 6/30/2028",
     "NCVEC 2024-2028 Extra Class Pool 4th Errata, issued February 4, 2026"},
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool haveSources()
{
    return QFileInfo(kSources).isDir();
}

// One line of answer_keys.txt: file, count, first, last, letters.
QStringList answerKey(const QString &file)
{
    const QList<QByteArray> lines = readAll(QStringLiteral(ANSWER_KEYS)).split('\n');
    for (const QByteArray &line : lines)
        if (line.startsWith(file.toUtf8() + ' '))
            return QString::fromUtf8(line).split(u' ');
    return {};
}

void addPoolRows()
{
    QTest::addColumn<int>("pool");
    for (int i = 0; i < int(std::size(kPools)); ++i)
        QTest::newRow(kPools[i].file) << i;
}

} // namespace

class ShippedData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textReleaseConvertsToTheShippedPool_data() { addPoolRows(); }
    void textReleaseConvertsToTheShippedPool();
    void wordReleaseConvertsToTheShippedPool_data() { addPoolRows(); }
    void wordReleaseConvertsToTheShippedPool();
    void engineLoadsTheShippedPoolWithEveryAnswerOfTheSource_data() { addPoolRows(); }
    void engineLoadsTheShippedPoolWithEveryAnswerOfTheSource();
    void shippedPoolPassesTheCheckWithoutRemarks_data() { addPoolRows(); }
    void shippedPoolPassesTheCheckWithoutRemarks();
    void tableOfContentsTitlesEveryGroupAndSizesTheExam_data() { addPoolRows(); }
    void tableOfContentsTitlesEveryGroupAndSizesTheExam();
    void feedbackSoundIsShortMonoPcm_data();
    void feedbackSoundIsShortMonoPcm();
    void figuresAreShippedAsReleased();
};

void ShippedData::textReleaseConvertsToTheShippedPool()
{
    QFETCH(int, pool);
    if (!haveSources())
        QSKIP("the NCVEC sources are not beside this repository");
    const ShippedPool &p = kPools[pool];
    QTemporaryDir dir;
    ConvertOptions options;
    options.input = kSources + u'/' + QLatin1String(p.textRelease);
    options.output = dir.filePath(QStringLiteral("out.txt"));
    options.effective = QString::fromUtf8(p.effective);
    options.source = QString::fromUtf8(p.source);
    Diagnostics diag;
    QVERIFY(convert(options, diag).written);
    QCOMPARE(readAll(options.output), readAll(kData + u'/' + QLatin1String(p.file)));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("out.toc"))),
             readAll(questions::tableOfContentsPath(kData + u'/' + QLatin1String(p.file))));
}

void ShippedData::wordReleaseConvertsToTheShippedPool()
{
    QFETCH(int, pool);
    if (!haveSources())
        QSKIP("the NCVEC sources are not beside this repository");
    const ShippedPool &p = kPools[pool];
    QTemporaryDir dir;
    ConvertOptions options; // no header options: the Word release names its own
    options.input = kSources + QStringLiteral("/ncvec-originals/") + QString::fromUtf8(p.wordRelease);
    options.output = dir.filePath(QStringLiteral("out.txt"));
    Diagnostics diag;
    QVERIFY(convert(options, diag).written);
    QCOMPARE(readAll(options.output), readAll(kData + u'/' + QLatin1String(p.file)));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("out.toc"))),
             readAll(questions::tableOfContentsPath(kData + u'/' + QLatin1String(p.file))));
}

void ShippedData::engineLoadsTheShippedPoolWithEveryAnswerOfTheSource()
{
    QFETCH(int, pool);
    const ShippedPool &p = kPools[pool];
    const QString file = QLatin1String(p.file);
    const QStringList key = answerKey(file);
    QCOMPARE(key.size(), 5);

    testing::StudyFixture fx;
    fx.writeStartFile(file, readAll(kData + u'/' + file));
    fx.engine->RecordStartDirectory();
    QVERIFY(fx.engine->LoadPool(p.examClass));
    QCOMPARE(fx.text(QStringLiteral("Label12")), QString::fromUtf8(p.title));
    QCOMPARE(fx.text(QStringLiteral("Label13")),
             QStringLiteral("Effective: ") + QString::fromUtf8(p.effective));

    const int count = engine::toIndex(fx.state().questionCount);
    QString letters;
    for (int q = 0; q < count; ++q) {
        fx.state().currentQuestion = float(q);
        letters += fx.engine->correctLetter();
    }
    const auto &rows = fx.state().questionPool;
    QCOMPARE(count, key[1].toInt());
    QCOMPARE(identifierOf(rows.line(0, 0)).toString(), key[2]);
    QCOMPARE(identifierOf(rows.line(count - 1, 0)).toString(), key[3]);
    QCOMPARE(letters, key[4]);

    if (!haveSources())
        return;
    // The same against the release itself, read afresh.
    const SourceRead read = readSourceFile(kSources + u'/' + QLatin1String(p.textRelease));
    QVERIFY(read.text);
    Diagnostics diag;
    const Release release = parseRelease(*read.text, diag);
    QString sourceLetters;
    for (const Question &q : release.questions)
        sourceLetters += q.answer;
    QCOMPARE(count, int(release.questions.size()));
    QCOMPARE(identifierOf(rows.line(0, 0)).toString(), release.questions.first().id);
    QCOMPARE(identifierOf(rows.line(count - 1, 0)).toString(), release.questions.last().id);
    QCOMPARE(letters, sourceLetters);
}

void ShippedData::shippedPoolPassesTheCheckWithoutRemarks()
{
    QFETCH(int, pool);
    const ShippedPool &p = kPools[pool];
    Diagnostics diag(QLatin1String(p.file));
    const PoolCheck check = checkPool(readAll(kData + u'/' + QLatin1String(p.file)), diag);
    QVERIFY(check.loads);
    QVERIFY(!check.windows1252);
    QCOMPARE(check.leftoverLines, 0);
    QStringList remarks;
    for (const Diagnostic &d : diag.all())
        remarks << d.toString();
    QVERIFY2(remarks.isEmpty(), qPrintable(remarks.join(u'\n')));
}

void ShippedData::tableOfContentsTitlesEveryGroupAndSizesTheExam()
{
    QFETCH(int, pool);
    const questions::PoolParse parse =
        questions::loadPoolFile(kData + u'/' + QLatin1String(kPools[pool].file));
    QVERIFY(parse.ok());
    for (const questions::Group &g : parse.pool.groups)
        QVERIFY2(g.title != g.id, qPrintable(g.id));
    int examQuestions = 0;
    for (const questions::Subelement &s : parse.pool.subelements) {
        QVERIFY2(s.title != s.id, qPrintable(s.id));
        // One exam question from each group of the subelement.
        QCOMPARE(s.examQuestions, int(s.groups.size()));
        examQuestions += s.examQuestions;
    }
    QCOMPARE(examQuestions, pool == 2 ? 50 : 35);
}

void ShippedData::feedbackSoundIsShortMonoPcm_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Correct.wav") << QStringLiteral("Correct.wav");
    QTest::newRow("Try.wav") << QStringLiteral("Try.wav");
}

void ShippedData::feedbackSoundIsShortMonoPcm()
{
    QFETCH(QString, file);
    const QByteArray wav = readAll(kData + u'/' + file);
    QVERIFY(wav.size() > 44);
    const auto u16 = [&wav](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
    const auto u32 = [&wav](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
    QCOMPARE(wav.left(4), QByteArray("RIFF"));
    QCOMPARE(u32(4), quint32(wav.size() - 8));
    QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(u16(20), quint16(1)); // PCM
    QCOMPARE(u16(22), quint16(1)); // mono
    QCOMPARE(u32(24), quint32(22050));
    QCOMPARE(u16(34), quint16(16));
    QCOMPARE(wav.mid(36, 4), QByteArray("data"));
    const quint32 dataBytes = u32(40);
    QCOMPARE(dataBytes, quint32(wav.size() - 44));

    const int samples = int(dataBytes / 2);
    const double seconds = double(samples) / 22050;
    QVERIFY2(seconds > 0.15 && seconds < 0.6, qPrintable(QString::number(seconds)));
    int peak = 0;
    for (int i = 0; i < samples; ++i)
        peak = std::max(peak, std::abs(int(qint16(u16(44 + 2 * i)))));
    QVERIFY2(peak > 8000 && peak < 30000, qPrintable(QString::number(peak))); // audible, never clipped
    // Faded at both ends, so that it neither starts nor stops with a click.
    QVERIFY(std::abs(int(qint16(u16(44)))) < 300);
    QVERIFY(std::abs(int(qint16(u16(44 + 2 * (samples - 1))))) < 300);
}

void ShippedData::figuresAreShippedAsReleased()
{
    const QStringList expected{
        QStringLiteral("e5-1.png"), QStringLiteral("e6-1.png"), QStringLiteral("e6-2.png"),
        QStringLiteral("e6-3.png"), QStringLiteral("e7-1.png"), QStringLiteral("e7-2.png"),
        QStringLiteral("e7-3.png"), QStringLiteral("e9-1.png"), QStringLiteral("e9-2.png"),
        QStringLiteral("e9-3.png"), QStringLiteral("g7-1.png"), QStringLiteral("t-1.png"),
        QStringLiteral("t-2.png"),  QStringLiteral("t-3.png")};
    const QDir figures(kData + QStringLiteral("/figures"));
    QCOMPARE(figures.entryList(QDir::Files, QDir::Name), expected);
    for (const QString &name : expected) {
        const QByteArray png = readAll(figures.filePath(name));
        QVERIFY2(png.startsWith("\x89PNG\r\n\x1a\n"), qPrintable(name));
        if (haveSources())
            QVERIFY2(png == readAll(kSources + QStringLiteral("/figures/") + name), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(ShippedData)
#include "tst_shipped_data.moc"
