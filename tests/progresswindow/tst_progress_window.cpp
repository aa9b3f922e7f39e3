// The Progress window: the per-subelement counts, the chance, the exam day it remembers, the
// practice exams, drills, the CSV and forgetting, and names for screen readers.
#include "progress/store.h"
#include "progresswindow/progress_window.h"
#include "questions/pool.h"
#include "tests/pool_text.h"

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

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
        QCOMPARE(row(window->examTable(), 0).mid(1), QStringList({"30 of 35", "Passed"}));
        QCOMPARE(row(window->examTable(), 1).mid(1), QStringList({"20 of 35", "Failed"}));
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
    }
    void a_subelement_row_asks_for_a_drill()
    {
        QFETCH(int, row);
        QFETCH(QString, how);
        QFETCH(QString, drilled);
        auto window = open();
        QSignalSpy spy(window.get(), &ProgressWindow::drillRequested);
        QTableWidget *table = window->subelementTable();
        table->selectRow(row);
        if (how == "button") {
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
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "tst_progress_window.moc"
