// Loading pools, the start-up restore of the remembered class and "test.txt".
#include "study_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <unistd.h>

using engine::ExamClass;
using testing::poolText;
using testing::record;
using testing::StudyFixture;

namespace {
QList<QByteArray> identifiers(int count, const char *prefix = "T")
{
    QList<QByteArray> out;
    for (int i = 0; i < count; ++i)
        out << QByteArray(prefix) + QByteArray::number(i) + " (A) [97.1]";
    return out;
}

// ASCII text as UTF-16 LE behind its byte-order mark, as a "Unicode" save elsewhere writes it.
QByteArray utf16(const QByteArray &ascii)
{
    QByteArray out = "\xFF\xFE";
    for (const char ch : ascii)
        out.append(ch).append('\0');
    return out;
}
} // namespace

class PoolLoadingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void records_are_counted_in_sevens_up_to_the_limit_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("loads");
        const QByteArray header = "\"Pool\",\"2026\",\"src\"\r\n";
        QTest::newRow("three whole records") << poolText(identifiers(3)) << 3 << true;
        QTest::newRow("partial last record is not counted")
            << poolText(identifiers(2)) + "T9 (B)\r\nq\r\nA.  a\r\n"
            << 2 << true;
        QTest::newRow("exactly 1501 records") << poolText(identifiers(1501)) << 1501 << true;
        QTest::newRow("1501 records and one empty line") << poolText(identifiers(1501)) + "\r\n"
                                                         << 1501 << false;
        QTest::newRow("1502 records") << poolText(identifiers(1502)) << 1501 << false;
        QTest::newRow("header fields on lines of their own")
            << "\"Pool\"\r\n  \"2026\"\r\nsrc\r\n" + record("T0 (A)") << 1 << true;
        QTest::newRow("two header fields before records shift every line")
            << "\"Pool\",\"2026\"\r\n" + record("T0 (A)") + record("T1 (A)") + record("T2 (A)") << 2 << true;
        QTest::newRow("header only") << header << 0 << true;
        QTest::newRow("two header fields and nothing else")
            << QByteArray("\"Pool\",\"2026\"\r\n") << 0 << false;
        QTest::newRow("empty file") << QByteArray() << 0 << false;
        QTest::newRow("LF line ends") << poolText(identifiers(2)).replace("\r\n", "\n") << 2 << true;
        QTest::newRow("lone CR line ends") << poolText(identifiers(2)).replace("\r\n", "\r") << 2 << true;
        QTest::newRow("UTF-16 with a byte-order mark") << utf16(poolText(identifiers(2))) << 2 << true;
    }
    void records_are_counted_in_sevens_up_to_the_limit()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(bool, loads);
        StudyFixture f;
        f.writeStartFile("questech.txt", file);
        f.engine->RecordStartDirectory();
        QCOMPARE(f.engine->LoadPool(ExamClass::Technician), loads);
        QCOMPARE(f.state().questionCount, float(count));
        QCOMPARE(f.services.m_beeps, loads ? 0 : 1);
        QCOMPARE(f.examClassFileBytes(), loads ? QByteArray("\"T\"\r\n") : QByteArray("<missing>"));
        QVERIFY(f.checked("mnuTechnician"));
        if (!loads) {
            QCOMPARE(f.services.m_messages.size(), std::size_t(1));
            QCOMPARE(f.services.m_messages[0].text, "Error opening question pool.");
            QCOMPARE(f.services.m_messages[0].title, "Error Opening Question Pool.");
        }
    }

    void header_fields_fill_the_pool_labels()
    {
        StudyFixture f;
        f.writeStartFile("quesgen.txt", "  \"General, Element 3\" , \"July 1, 2023 - June 30, 2027\",x\r\n" +
                                            record("G1A01 (B)"));
        f.engine->RecordStartDirectory();
        QVERIFY(f.engine->LoadPool(ExamClass::General));
        QCOMPARE(f.text("Label12"), "General, Element 3");
        QCOMPARE(f.text("Label13"), "Effective: July 1, 2023 - June 30, 2027");
        QVERIFY(f.checked("mnuGeneral"));
        QVERIFY(!f.checked("mnuTechnician"));
        QCOMPARE(f.examClassFileBytes(), QByteArray("\"G\"\r\n"));

        StudyFixture two;
        two.writeStartFile("questech.txt", "\"Only\",\"two\"\r\n");
        two.engine->RecordStartDirectory();
        QVERIFY(!two.engine->LoadPool(ExamClass::Technician));
        QCOMPARE(two.text("Label12"), "Only");
        QCOMPARE(two.text("Label13"), "Effective: two");
    }

    void a_failed_load_keeps_the_previous_pool_on_display()
    {
        StudyFixture f;
        f.writeStartFile("questech.txt", poolText({"T1A01 (C) [97.1]", "T1A02 (A)"}));
        f.engine->RecordStartDirectory();
        QVERIFY(f.engine->LoadPool(ExamClass::Technician));
        f.engine->Next();
        QVERIFY(!f.engine->LoadPool(ExamClass::General)); // quesgen.txt is missing
        QCOMPARE(f.state().questionCount, 0.0f);
        QVERIFY(f.checked("mnuGeneral"));
        QVERIFY(!f.checked("mnuTechnician"));
        QCOMPARE(f.text("Label1"), " Question # 1  T1A01  [97.1]");
        QCOMPARE(f.examClassFileBytes(), QByteArray("\"T\"\r\n"));
    }

    void a_folder_or_a_vanished_start_directory_takes_the_error_path()
    {
        StudyFixture f;
        QVERIFY(QDir(f.startDir.path()).mkdir("quesextra.txt"));
        f.engine->RecordStartDirectory();
        QVERIFY(!f.engine->LoadPool(ExamClass::Extra));
        QCOMPARE(f.services.m_beeps, 1);

        StudyFixture gone;
        gone.writeStartFile("questech.txt", poolText(identifiers(1)));
        gone.engine->RecordStartDirectory();
        gone.state().startDir = gone.startDir.filePath("removed");
        QVERIFY(!gone.engine->LoadPool(ExamClass::Technician));
        QCOMPARE(gone.services.m_messages.size(), std::size_t(1));
    }

    void a_smaller_pool_leaves_the_larger_ones_rows_unreached()
    {
        StudyFixture f;
        f.writeStartFile("questech.txt", poolText(identifiers(5, "T")));
        f.writeStartFile("quesgen.txt", poolText(identifiers(2, "G")));
        f.engine->RecordStartDirectory();
        QVERIFY(f.engine->LoadPool(ExamClass::Technician));
        QVERIFY(f.engine->LoadPool(ExamClass::General));
        QCOMPARE(f.state().questionCount, 2.0f);
        QCOMPARE(f.state().questionPool.line(4, 0).toString(), "T4 (A) [97.1]");
        f.engine->Forward20();
        QCOMPARE(f.current(), 0);
    }

    // Each load lays what it read over the rows of the loads before it. `loads` names the
    // pool of each load in turn: T 5 records; G 2 records and line 0 of a third; E 1 record
    // and an empty line; X the Extra pool, its file removed.
    void each_load_lays_its_rows_over_the_earlier_ones_data()
    {
        QTest::addColumn<QString>("loads");
        QTest::addColumn<QStringList>("rows"); // line 0, "|", line 1 of rows 0..5
        const auto row = [](const char *id, const char *question) {
            const QString line0 = QString(id) + " (A) [97.1]";
            return line0 + "|" + (question ? "Question of " + QString(question) + " (A) [97.1]?" : QString());
        };
        const QStringList five{row("T0", "T0"), row("T1", "T1"), row("T2", "T2"),
                               row("T3", "T3"), row("T4", "T4"), "|"};
        QTest::newRow("one pool") << "T" << five;
        QTest::newRow("leftover line over a longer pool")
            << "TG" << QStringList{row("G0", "G0"), row("G1", "G1"), row("G2", "T2"),
                                   row("T3", "T3"), row("T4", "T4"), "|"};
        QTest::newRow("an empty leftover line over two")
            << "TGE" << QStringList{row("E0", "E0"), "|Question of G1 (A) [97.1]?",
                                    row("G2", "T2"), row("T3", "T3"),
                                    row("T4", "T4"), "|"};
        QTest::newRow("a missing file lays nothing") << "TX" << five;
        QTest::newRow("the longer pool covers all again") << "TGET" << five;
    }
    void each_load_lays_its_rows_over_the_earlier_ones()
    {
        QFETCH(QString, loads);
        QFETCH(QStringList, rows);
        StudyFixture f;
        f.writeStartFile("questech.txt", poolText(identifiers(5, "T")));
        f.writeStartFile("quesgen.txt", poolText(identifiers(2, "G")) + "G2 (A) [97.1]\r\n");
        f.writeStartFile("quesextra.txt", poolText(identifiers(1, "E")) + "\r\n");
        f.engine->RecordStartDirectory();
        for (const QChar load : loads) {
            if (load == u'X')
                QFile::remove(QDir(f.startDir.path()).filePath("quesextra.txt"));
            f.engine->LoadPool(load == u'T'   ? ExamClass::Technician
                               : load == u'G' ? ExamClass::General
                                              : ExamClass::Extra);
        }
        QStringList read;
        for (int q = 0; q < rows.size(); ++q)
            read << f.state().questionPool.line(q, 0).toString() + "|" +
                        f.state().questionPool.line(q, 1).toString();
        QCOMPARE(read, rows);
    }

    void every_load_clears_scores_but_the_last_slot()
    {
        StudyFixture f;
        f.writeStartFile("questech.txt", poolText(identifiers(3)));
        f.engine->RecordStartDirectory();
        QVERIFY(f.engine->LoadPool(ExamClass::Technician));
        f.engine->CheckAnswer(u'A');
        f.engine->Next();
        f.state().questionScore[1500] = -4;
        QVERIFY(f.engine->LoadPool(ExamClass::Technician));
        QCOMPARE(f.state().questionScore[0], 0.0f);
        QCOMPARE(f.state().questionScore[1500], -4.0f);
        QCOMPARE(f.state().totalCorrect, 0.0f);
        QCOMPARE(f.current(), 0);
        QCOMPARE(f.text("Label2"), "Total Correct = 0");
    }

    void bad_files_fail_or_load_quickly_without_harm_data()
    {
        QTest::addColumn<QByteArray>("file");
        QByteArray binary;
        for (int i = 0; i < 200000; ++i)
            binary += char((i * 7919) & 0xFF);
        QTest::newRow("binary bytes") << binary;
        QTest::newRow("one 1 MB line") << "\"a\",\"b\",\"c\"\r\n" + QByteArray(1 << 20, 'x') + "\r\n";
        QTest::newRow("50 MB of short lines") << "\"a\",\"b\",\"c\"\r\n" + QByteArray(25 << 20, '\n');
        QTest::newRow("unclosed quote in the header") << QByteArray("\"a, b\r\nrest\r\n");
        QTest::newRow("NUL bytes") << QByteArray("\"a\",\"b\",\"c\"\r\n\0\0\0\r\n", 17);
    }
    void bad_files_fail_or_load_quickly_without_harm()
    {
        QFETCH(QByteArray, file);
        StudyFixture f;
        f.writeStartFile("questech.txt", file);
        f.engine->RecordStartDirectory();
        QElapsedTimer clock;
        clock.start();
        f.engine->LoadPool(ExamClass::Technician);
        QVERIFY(f.state().questionCount <= 1501);
        QVERIFY(clock.elapsed() < 10000);
        f.engine->Next();
        f.engine->CheckAnswer(u'A');
        f.engine->Hint();
    }

    void restore_follows_the_remembered_class_data()
    {
        QTest::addColumn<QByteArray>("examClass"); // "<none>" for no file at all
        QTest::addColumn<QStringList>("pools");    // pool files present
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QByteArray>("afterwards");
        const QStringList all{"questech.txt", "quesgen.txt", "quesextra.txt"};
        QTest::newRow("first run") << QByteArray("<none>") << all << "mnuTechnician"
                                   << "T pool" << 0 << QByteArray("\"T\"\r\n");
        QTest::newRow("quoted G") << QByteArray("\"G\"\r\n") << all << "mnuGeneral"
                                  << "G pool" << 0 << QByteArray("\"G\"\r\n");
        QTest::newRow("unquoted E") << QByteArray("E\r\n") << all << "mnuExtra"
                                    << "E pool" << 0 << QByteArray("\"E\"\r\n");
        QTest::newRow("lower-case g loads nothing") << QByteArray("\"g\"\r\n") << all << "mnuTechnician"
                                                    << "Question Pool:" << 0 << QByteArray("\"g\"\r\n");
        QTest::newRow("unknown text loads nothing") << QByteArray("General\r\n") << all << "mnuTechnician"
                                                    << "Question Pool:" << 0 << QByteArray("General\r\n");
        QTest::newRow("empty file") << QByteArray() << all << "mnuTechnician"
                                    << "T pool" << 0 << QByteArray("\"T\"\r\n");
        QTest::newRow("UTF-16 E") << utf16("\"E\"\r\n") << all << "mnuExtra"
                                  << "E pool" << 0 << QByteArray("\"E\"\r\n");
        QTest::newRow("G named but missing")
            << QByteArray("\"G\"\r\n") << QStringList{"questech.txt"} << "mnuTechnician"
            << "T pool" << 1 << QByteArray("\"T\"\r\n");
        QTest::newRow("T named but missing reports twice")
            << QByteArray("\"T\"\r\n") << QStringList{} << "mnuTechnician"
            << "Question Pool:" << 2 << QByteArray("\"T\"\r\n");
        QTest::newRow("no file and no pool") << QByteArray("<none>") << QStringList{} << "mnuTechnician"
                                             << "Question Pool:" << 2 << QByteArray("<missing>");
        QTest::newRow("empty file and no pool tries once") << QByteArray() << QStringList{} << "mnuTechnician"
                                                           << "Question Pool:" << 1 << QByteArray();
    }
    void restore_follows_the_remembered_class()
    {
        QFETCH(QByteArray, examClass);
        QFETCH(QStringList, pools);
        QFETCH(QString, marked);
        QFETCH(QString, title);
        QFETCH(int, beeps);
        QFETCH(QByteArray, afterwards);
        StudyFixture f;
        if (examClass != "<none>")
            f.writeExamClassFile(examClass);
        for (const QString &pool : pools) {
            const QByteArray letter = pool == "questech.txt" ? "T" : pool == "quesgen.txt" ? "G" : "E";
            f.writeStartFile(pool, poolText(identifiers(2), "\"" + letter + " pool\",\"d\",\"s\""));
        }
        f.start();
        QCOMPARE(f.services.m_beeps, beeps);
        QVERIFY(f.checked(marked));
        QCOMPARE(f.text("Label12"), title);
        QCOMPARE(f.examClassFileBytes(), afterwards);
    }

    void an_over_full_pool_is_kept_rather_than_replaced()
    {
        StudyFixture f;
        f.writeExamClassFile("\"E\"\r\n");
        f.writeStartFile("quesextra.txt", poolText(identifiers(1502, "E")));
        f.writeStartFile("questech.txt", poolText(identifiers(3)));
        f.start();
        QCOMPARE(f.services.m_beeps, 1);
        QCOMPARE(f.state().questionCount, 1501.0f);
        QVERIFY(f.checked("mnuExtra"));
        QCOMPARE(f.examClassFileBytes(), QByteArray("\"E\"\r\n"));
    }

    void the_remembered_class_survives_an_unwritable_folder()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind root");
        StudyFixture f;
        f.writeExamClassFile("\"G\"\r\n");
        f.writeStartFile("questech.txt", poolText(identifiers(1)));
        // Neither the folder nor the file takes a write (a writable file is written in place).
        QFile::setPermissions(f.exePath + "/test.txt", QFile::ReadOwner);
        QFile::setPermissions(f.exeDir.path(), QFile::ReadOwner | QFile::ExeOwner);
        f.engine->RecordStartDirectory();
        QVERIFY(f.engine->LoadPool(ExamClass::Technician));
        QFile::setPermissions(f.exeDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(f.examClassFileBytes(), QByteArray("\"G\"\r\n"));
        QCOMPARE(f.services.m_messages.size(), std::size_t(0));
    }

    void a_folder_named_test_txt_is_silent()
    {
        StudyFixture f;
        QVERIFY(QDir(f.exeDir.path()).mkdir("test.txt"));
        f.writeStartFile("questech.txt", poolText(identifiers(1)));
        f.start(); // unreadable: Technician loads; the write fails silently
        QCOMPARE(f.state().questionCount, 1.0f);
        QCOMPARE(f.services.m_messages.size(), std::size_t(0));
        QVERIFY(QFileInfo(f.exeDir.filePath("test.txt")).isDir());
    }
};

QTEST_GUILESS_MAIN(PoolLoadingTest)
#include "tst_pool_loading.moc"
