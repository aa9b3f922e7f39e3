// The practice exam opened from the study window: the Test menu's item below a separator,
// an exam of the shipped Technician pool, and a pool that cannot make one.
#include "app/application.h"
#include "examwindow/exam_window.h"
#include "mainwindow/form1.h"
#include "pool_fixture.h"
#include "progress/store.h"
#include "progresswindow/progress_window.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {
// The shipped Technician pool's bytes: a practice exam needs a pool of the exam's full size.
QByteArray shippedTechnicianPool()
{
    QFile file(QStringLiteral(EXAMORA_DATA_DIR "/questech.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}
} // namespace

using mainwindow::Form1;

class TestForm1Exam final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void the_test_menu_ends_with_the_practice_exam_below_a_separator();
    void a_pool_that_cannot_make_an_exam_gets_a_message_and_no_window();
    void an_exam_opens_on_the_loaded_pool_and_it_and_a_drill_are_recorded();
    void leaving_the_program_during_an_exam_asks_first_data();
    void leaving_the_program_during_an_exam_asks_first();
};

void TestForm1Exam::leaving_the_program_during_an_exam_asks_first_data()
{
    QTest::addColumn<bool>("byExit"); // File > Exit, else closing the study window
    QTest::addColumn<bool>("leave");  // the answer to "Close the exam without handing it in?"
    QTest::newRow("Exit, Cancel keeps both windows") << true << false;
    QTest::newRow("Exit, OK closes the exam") << true << true;
    QTest::newRow("closing, Cancel keeps both windows") << false << false;
    QTest::newRow("closing, OK closes both") << false << true;
}

void TestForm1Exam::leaving_the_program_during_an_exam_asks_first()
{
    QFETCH(bool, byExit);
    QFETCH(bool, leave);
    const PoolFolder pool(shippedTechnicianPool());
    app::Application application(pool.path(), pool.path());
    Form1 &form = application.form();
    form.Form_Load();
    form.show();
    examwindow::ExamWindow *exam = nullptr;
    connect(&application, &app::Application::examWindowOpened, this,
            [&exam](examwindow::ExamWindow *w) { exam = w; });
    form.practiceExamAction()->trigger();
    QVERIFY(exam);
    int asked = 0;
    exam->setConfirm([&](const QString &) {
        ++asked;
        return leave;
    });
    if (byExit)
        form.menuItem(QStringLiteral("mnuExit"))->action()->trigger();
    else
        form.close();
    QCOMPARE(asked, 1);
    QCOMPARE(exam->isVisible(), !leave);
    if (!byExit)
        QCOMPARE(form.isVisible(), !leave);
}

void TestForm1Exam::the_test_menu_ends_with_the_practice_exam_below_a_separator()
{
    PoolFolder pool;
    app::Application application(pool.path(), pool.path());
    Form1 &form = application.form();
    const QList<QAction *> items = form.menuItem(QStringLiteral("mnuTest"))->action()->menu()->actions();
    QCOMPARE(items[2]->text(), QStringLiteral("&Extra"));
    QVERIFY(items[3]->isSeparator());
    QCOMPARE(std::count_if(items.begin(), items.end(), [](QAction *a) { return a->isSeparator(); }), 1);
    QCOMPARE(items.last(), form.practiceExamAction());
    QCOMPARE(items.last()->text(), QStringLiteral("Practice E&xam..."));
}

void TestForm1Exam::a_pool_that_cannot_make_an_exam_gets_a_message_and_no_window()
{
    PoolFolder pool(30); // one group only
    app::Application application(pool.path(), pool.path());
    Form1 &form = application.form();
    form.Form_Load();
    QSignalSpy opened(&application, &app::Application::examWindowOpened);
    QString message;
    QTimer::singleShot(0, this, [&message] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    form.practiceExamAction()->trigger();
    QVERIFY2(message.contains(QStringLiteral("this pool has 1 group (30 questions)")), qPrintable(message));
    QCOMPARE(opened.size(), 0);
}

void TestForm1Exam::an_exam_opens_on_the_loaded_pool_and_it_and_a_drill_are_recorded()
{
    const PoolFolder pool(shippedTechnicianPool());
    app::Application application(pool.path(), pool.path());
    Form1 &form = application.form();
    application.attachProgress(
        std::make_unique<progress::Store>(pool.path() + QStringLiteral("/progress.sqlite")));
    form.Form_Load();
    const QString key = form.engine().pool().key();
    QList<examwindow::ExamWindow *> opened;
    connect(&application, &app::Application::examWindowOpened, this,
            [&opened](examwindow::ExamWindow *w) { opened.append(w); });

    form.practiceExamAction()->trigger();
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened[0]->isVisible() && opened[0]->isWindow());
    QCOMPARE(opened[0]->positionLabel()->text(), QStringLiteral("Question 1 of 35"));
    opened[0]->setConfirm([](const QString &) { return true; });
    QVERIFY(opened[0]->handIn());
    const QList<progress::ExamRecord> exams = application.progressStore()->exams(key);
    QCOMPARE(exams.size(), 1);
    QCOMPARE(exams[0].total, 35);

    application.openProgress();
    Q_EMIT application.progressWindow()->drillRequested(QStringLiteral("T5"));
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[1]->isDrill());
    QCOMPARE(application.progressWindow()->examTable()->rowCount(), 1);
}

QTEST_MAIN(TestForm1Exam)
#include "tst_form1_exam.moc"
