// The Progress window: the per-subelement counts, the chance, the exam day it remembers, the
// practice exams, drills, the CSV and forgetting, and names for screen readers.
#include "progress/store.h"
#include "progress/summary.h"
#include "progresswindow/pool_name.h"
#include "progresswindow/progress_chart.h"
#include "progresswindow/progress_window.h"
#include "questions/pool.h"
#include "tests/pool_text.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QChart>
#include <QChartView>
#include <QDateTimeEdit>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using progress::AnswerRecord;
using progress::Mode;
using progresswindow::ProgressWindow;

namespace {

const QString kKey = "T 2026-2030";
const QDateTime kNow(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC);

questions::Pool pool()
{
    questions::Pool p =
        questions::parsePool(testing::poolText({"T1A01 (A)", "T1A02 (A)", "T1B01 (A)", "T2A01 (A)"})).pool;
    p.title = "Technician pool";
    p.subelements[0].title = "Commission's rules";
    p.subelements[1].title = "Operating procedures";
    return p;
}

AnswerRecord answer(const QString &question, bool correct, int minutesAgo, bool hinted = false)
{
    return {kNow.addSecs(-60 * minutesAgo), kKey, question, 'A', correct, hinted, Mode::Study};
}

QStringList row(const QTableWidget *table, int r)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c)
        cells.append(table->item(r, c)->text());
    return cells;
}

} // namespace

class ProgressWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    questions::Pool m_pool = pool();
    std::unique_ptr<progress::Store> m_store;

    std::unique_ptr<ProgressWindow> open()
    {
        auto window = std::make_unique<ProgressWindow>(*m_store, nullptr, [] { return kNow; });
        window->setConfirmation([](const QString &) { return true; });
        window->setPool(&m_pool, kKey);
        return window;
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(m_dir.filePath("progress.sqlite"));
        m_store = std::make_unique<progress::Store>(m_dir.filePath("progress.sqlite"));
        for (const AnswerRecord &a : {answer("T1A01", false, 90), answer("T1A01", true, 30),
                                      answer("T1A02", true, 20, true), answer("T2A01", false, 10)})
            QVERIFY(m_store->record(a));
        QVERIFY(m_store->record({kNow, "G 2023-2027", "G1A01", 'B', true, false, Mode::Study}));
    }

    void the_table_counts_each_subelement_and_the_total()
    {
        auto window = open();
        const QTableWidget *table = window->subelementTable();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(row(table, 0), QStringList({"T1", "Commission's rules", "3", "2", "2", "67 %"}));
        QCOMPARE(row(table, 1), QStringList({"T2", "Operating procedures", "1", "1", "0", "0 %"}));
        QCOMPARE(row(table, 2).mid(2), QStringList({"4", "3", "2", "50 %"}));
        QVERIFY(window->chanceLabel()->text().startsWith("Chance to pass: "));
        QVERIFY(window->noticeLabel()->isHidden());
    }

    void the_exam_day_defaults_to_a_day_ahead_and_a_chosen_one_is_remembered()
    {
        const QDateTime chosen = kNow.addDays(10);
        {
            auto window = open();
            QCOMPARE(window->examMomentEdit()->dateTime().toUTC(), kNow.addDays(1));
            const QString before = window->chanceLabel()->text();
            window->examMomentEdit()->setDateTime(chosen.toLocalTime());
            QVERIFY(window->chanceLabel()->text() != before); // memory fades over ten days
        }
        QCOMPARE(m_store->examMoment(kKey), chosen);
        QCOMPARE(open()->examMomentEdit()->dateTime().toUTC(), chosen);
    }

    void practice_exams_are_listed()
    {
        progress::ExamRecord passed{0, kKey, kNow, kNow.addSecs(600), 30, 35, 26, true};
        progress::ExamRecord failed{0, kKey, kNow, kNow.addSecs(900), 20, 35, 26, false};
        QVERIFY(m_store->recordExam(passed, {}));
        QVERIFY(m_store->recordExam(failed, {}));
        auto window = open();
        QCOMPARE(window->examTable()->rowCount(), 2);
        QCOMPARE(row(window->examTable(), 0).mid(1, 2), QStringList({"30 of 35", "Passed"}));
        QCOMPARE(row(window->examTable(), 1).mid(1, 2), QStringList({"20 of 35", "Failed"}));
    }

    void a_subelement_row_asks_for_a_drill_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("drilled");
        QTest::newRow("Drill button") << 1 << "button"
                                      << "T2";
        QTest::newRow("double-click") << 0 << "double-click"
                                      << "T1";
        QTest::newRow("Enter") << 1 << "enter"
                               << "T2";
        QTest::newRow("the totals row is no subelement") << 2 << "double-click"
                                                         << "";
        QTest::newRow("a focused cell, no row selected") << 1 << "focus"
                                                         << "T2";
    }
    void a_subelement_row_asks_for_a_drill()
    {
        QFETCH(int, row);
        QFETCH(QString, how);
        QFETCH(QString, drilled);
        auto window = open();
        QSignalSpy spy(window.get(), &ProgressWindow::drillRequested);
        QTableWidget *table = window->subelementTable();
        if (how == "focus")
            table->setCurrentCell(row, 1, QItemSelectionModel::NoUpdate);
        else
            table->selectRow(row);
        if (how == "button" || how == "focus") {
            QVERIFY(window->drillButton()->isEnabled());
            window->drillButton()->click();
        } else if (how == "enter") {
            QTest::keyClick(table, Qt::Key_Return);
        } else {
            Q_EMIT table->cellDoubleClicked(row, 0);
        }
        QCOMPARE(spy.size(), drilled.isEmpty() ? 0 : 1);
        if (!drilled.isEmpty())
            QCOMPARE(spy[0][0].toString(), drilled);
    }

    void export_holds_every_answer_and_forget_clears_only_this_pool()
    {
        auto window = open();
        const QString csv = m_dir.filePath("answers.csv");
        QCOMPARE(window->exportCsv(csv), QString());
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("\r\n"), 6); // header and five answers
        QCOMPARE(window->exportCsv(m_dir.filePath("missing/answers.csv")).isEmpty(), false);

        window->setConfirmation([](const QString &) { return false; });
        window->forgetPool();
        QCOMPARE(m_store->answers(kKey).size(), 4);
        window->setConfirmation([](const QString &) { return true; });
        window->forgetPool();
        QCOMPARE(m_store->answers(kKey).size(), 0);
        QCOMPARE(m_store->answers("G 2023-2027").size(), 1);
        QCOMPARE(row(window->subelementTable(), 2).mid(2), QStringList({"4", "0", "0", "\u2014"}));
    }

    // The export writes nothing where a file would replace something that is not a file, and
    // nothing when the answers could not be read; each time it says so.
    void an_export_that_cannot_be_whole_writes_nothing_and_says_so_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("FIFO") << "fifo"
                              << "could not be written";
        QTest::newRow("link to a FIFO") << "link to fifo"
                                        << "could not be written";
        QTest::newRow("link to a device") << "device"
                                          << "could not be written";
        QTest::newRow("answers that cannot be read") << "unreadable"
                                                     << "could not be read";
    }
    void an_export_that_cannot_be_whole_writes_nothing_and_says_so()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        const QString csv = m_dir.filePath("answers.csv");
        QFile::remove(csv);
        QFile::remove(m_dir.filePath("fifo"));
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(csv).constData(), 0600), 0);
        if (kind == "link to fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(m_dir.filePath("fifo")).constData(), 0600), 0);
            QVERIFY(QFile::link(m_dir.filePath("fifo"), csv));
        }
        if (kind == "device")
            QVERIFY(QFile::link("/dev/null", csv));
        auto window = open();
        if (kind == "unreadable") { // another program took the table away after the window opened
            {
                auto other = QSqlDatabase::addDatabase("QSQLITE", "other");
                other.setDatabaseName(m_dir.filePath("progress.sqlite"));
                QVERIFY(other.open());
                QVERIFY(QSqlQuery(other).exec("DROP TABLE answers"));
            }
            QSqlDatabase::removeDatabase("other");
        }
        struct stat before
        {
        };
        const bool existed = ::lstat(QFile::encodeName(csv).constData(), &before) == 0;
        const QString error = window->exportCsv(csv);
        QVERIFY2(error.contains(says), qPrintable(error));
        struct stat after
        {
        };
        QCOMPARE(::lstat(QFile::encodeName(csv).constData(), &after) == 0, existed);
        if (existed)
            QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    }

    void pools_are_named_as_the_user_knows_them_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("Technician") << "T 2026-2030"
                                    << "Technician Pool (Element 2)"
                                    << "Technician pool, 2026\u20132030";
        QTest::newRow("Extra") << "E 2024-2028"
                               << "x"
                               << "Extra pool, 2024\u20132028";
        QTest::newRow("one year") << "G 2023"
                                  << "x"
                                  << "General pool, 2023";
        QTest::newRow("no element letter: the pool's own title") << "2020-2024"
                                                                 << "  My   pool "
                                                                 << "My pool, 2020\u20132024";
        QTest::newRow("nothing at all") << ""
                                        << ""
                                        << "Question pool";
    }
    void pools_are_named_as_the_user_knows_them()
    {
        QFETCH(QString, key);
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(progresswindow::poolName(key, title), name);
    }

    void the_title_and_the_forget_question_name_the_pool_and_the_users_own_copy()
    {
        auto window = open();
        QCOMPARE(window->windowTitle(), "Progress: Technician pool, 2026\u20132030");
        window->setUserPoolFolder("/home/ann/.local/share/examora/pools");
        window->refresh();
        QCOMPARE(window->windowTitle(), "Progress: Technician pool, 2026\u20132030, your installed copy from "
                                        "/home/ann/.local/share/examora/pools");
        QVERIFY(window->titleLabel()->text().contains("/home/ann/.local/share/examora/pools"));
        QString asked;
        window->setConfirmation([&asked](const QString &question) { return asked = question, false; });
        window->forgetPool();
        QVERIFY2(asked.contains("Technician pool, 2026\u20132030") && !asked.contains(kKey),
                 qPrintable(asked));
    }

    void the_chart_stacks_each_subelements_questions_to_100_percent_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("seen");
        QTest::addColumn<int>("right");
        QTest::addColumn<QList<double>>("shares");
        QTest::newRow("two answers of forty questions stay small")
            << 40 << 2 << 1 << QList<double>{2.5, 2.5, 95};
        QTest::newRow("all right") << 4 << 4 << 4 << QList<double>{100, 0, 0};
        QTest::newRow("none seen") << 5 << 0 << 0 << QList<double>{0, 0, 100};
        QTest::newRow("no questions") << 0 << 0 << 0 << QList<double>{0, 0, 0};
        QTest::newRow("inconsistent counts are bounded") << 2 << 5 << 7 << QList<double>{100, 0, 0};
    }
    void the_chart_stacks_each_subelements_questions_to_100_percent()
    {
        QFETCH(int, questions);
        QFETCH(int, seen);
        QFETCH(int, right);
        QFETCH(QList<double>, shares);
        progress::SubelementSummary row;
        row.questions = questions;
        row.seen = seen;
        row.rightLastTime = right;
        const std::array<double, 3> got = progresswindow::progressShares(row);
        QCOMPARE(QList<double>(got.begin(), got.end()), shares);
    }

    void the_chart_takes_the_desktops_palette()
    {
        auto window = open();
        QPalette dark(QColor(0x30, 0x30, 0x30));
        dark.setColor(QPalette::WindowText, Qt::white);
        window->setPalette(dark);
        const QChart *chart = window->chartView()->chart();
        QCOMPARE(chart->backgroundBrush().color(), dark.color(QPalette::Window));
        QCOMPARE(chart->legend()->labelColor(), QColor(Qt::white));
        for (const QAbstractAxis *axis : chart->axes())
            QCOMPARE(axis->labelsBrush().color(), QColor(Qt::white));
    }

    void a_store_that_cannot_save_says_so()
    {
        m_store.reset();
        const QString path = m_dir.filePath("newer.sqlite");
        { // a file from a newer program
            progress::Store newer(path);
        }
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "raise");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("PRAGMA user_version = 50"));
        }
        QSqlDatabase::removeDatabase("raise");
        m_store = std::make_unique<progress::Store>(path);
        auto window = open();
        QVERIFY(!window->noticeLabel()->isHidden());
        QVERIFY(window->noticeLabel()->text().contains("not being saved"));
    }

    void the_chance_is_explained_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("chance");
        QTest::addColumn<QString>("explanation");
        QTest::newRow("a Technician pool")
            << QStringList{"T1A01", "T1A02", "T1B01", "T2A01"} << "Chance to pass: < 1 %, expected 1."
            << "4 questions: 1 never answered, 1 missed the last time, 2 right the last time";
        QTest::newRow("another element")
            << QStringList{"X1A01", "X1A02"} << "No chance to pass can be given: this pool has no exam rules"
            << "2 questions: 2 never answered, 0 missed the last time, 0 right the last time";
    }
    void the_chance_is_explained()
    {
        QFETCH(QStringList, ids);
        QFETCH(QString, chance);
        QFETCH(QString, explanation);
        QList<QByteArray> records;
        for (const QString &id : ids)
            records.append(id.toLatin1() + " (A)");
        m_pool.questions = questions::parsePool(testing::poolText(records)).pool.questions;
        m_pool.index();
        auto window = open();
        QVERIFY2(window->chanceLabel()->text().startsWith(chance), qPrintable(window->chanceLabel()->text()));
        QCOMPARE(window->explanationLabel()->text(), explanation);
        m_pool = pool();
    }

    void a_passed_exam_day_is_replaced_by_tomorrow()
    {
        const QDateTime passed(QDate(2026, 9, 12), QTime(14, 0), Qt::LocalTime);
        QVERIFY(m_store->setExamMoment(kKey, passed.toUTC()));
        auto window = open();
        QCOMPARE(window->examMoment(), kNow.addDays(1));
        QCOMPARE(window->momentNoteLabel()->text(),
                 "Your exam day, 12 Sep 2026 14:00, has passed; showing tomorrow");
        QVERIFY(!window->momentNoteLabel()->isHidden());
        // The editor takes no moment before now.
        window->examMomentEdit()->setDateTime(kNow.addDays(-2).toLocalTime());
        QCOMPARE(window->examMoment(), kNow);
        QVERIFY(window->momentNoteLabel()->isHidden());
    }

    void each_practice_exam_shows_the_forecast_made_before_it()
    {
        // The first exam starts before any answer: every question a guess.
        progress::ExamRecord early{0, kKey, kNow.addDays(-1), kNow.addDays(-1).addSecs(600), 1, 3, 2, false};
        progress::ExamRecord later{0, kKey, kNow.addSecs(60), kNow.addSecs(600), 3, 3, 2, true};
        QVERIFY(m_store->recordExam(early, {}));
        QVERIFY(m_store->recordExam(later, {}));
        auto window = open();
        QCOMPARE(window->examTable()->item(0, 3)->text(), "forecast 0.8 (16 %)");
        QVERIFY(window->examTable()->item(1, 3)->text().startsWith("forecast 1.5 ("));
        QCOMPARE(window->examAverageLabel()->text(),
                 "Your 2 practice exams: forecast 1.1 on average, scored 2.0");
    }

    void review_asks_for_the_count_remembered_per_pool()
    {
        auto window = open();
        QSignalSpy asked(window.get(), &ProgressWindow::reviewRequested);
        QCOMPARE(window->reviewCountBox()->value(), 20);
        window->reviewCountBox()->setValue(35);
        window->reviewButton()->click();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0][0].toInt(), 35);
        QCOMPARE(progresswindow::rememberedReviewCount(kKey), 35);
        QCOMPARE(progresswindow::rememberedReviewCount("G 2023-2027"), 20);
        QCOMPARE(open()->reviewCountBox()->value(), 35);
        progresswindow::rememberReviewCount(kKey, 20);
    }

    void every_control_has_a_name_for_screen_readers()
    {
        auto window = open();
        const QList<QWidget *> widgets = window->findChildren<QWidget *>();
        for (QWidget *w : widgets) {
            const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QDateTimeEdit *>(w) ||
                                 (qobject_cast<QAbstractItemView *>(w) && !qobject_cast<QHeaderView *>(w));
            if (control && w->focusPolicy() != Qt::NoFocus) // Qt's own corner button takes no focus
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        }
        // A screen reader reads each figure and notice whole: no name of its own hides the text.
        QVERIFY(m_store->setExamMoment(kKey, kNow.addDays(-30)));
        window = open();
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (!label->buddy()) // a buddy label is read without its "&"
                QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                         label->text());
        }
        QVERIFY(window->momentNoteLabel()->text().startsWith("Your exam day, "));
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "tst_progress_window.moc"
