// The application object: the windows beside the study window follow a failed load, the
// study window shows before the store opens without losing an answer, and every window
// goes before the store it records into.
#include "app/application.h"
#include "engine/study_state.h"
#include "examwindow/exam_window.h"
#include "figures/figure_window.h"
#include "mainwindow/form1.h"
#include "progress/store.h"
#include "progresswindow/progress_window.h"
#include "tests/mainwindow/pool_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDateTimeEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

// What the Progress window offers that writes to the store.
QStringList writersOffered(const progresswindow::ProgressWindow &window)
{
    QStringList offered;
    window.subelementTable()->selectRow(0);
    if (window.drillButton()->isEnabled())
        offered << QStringLiteral("Drill");
    if (window.reviewButton()->isEnabled())
        offered << QStringLiteral("Review");
    if (window.examMomentEdit()->isEnabled())
        offered << QStringLiteral("exam moment");
    for (const QPushButton *b : window.findChildren<QPushButton *>())
        if (b->text() == QStringLiteral("&Forget this pool's progress...") && b->isEnabled())
            offered << QStringLiteral("Forget");
    return offered;
}

} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void a_failed_load_leaves_the_progress_window_nothing_that_writes_data()
    {
        QTest::addColumn<QByteArray>("general"); // quesgen.txt; null: none
        QTest::newRow("no pool file") << QByteArray();
        QTest::newRow("empty pool file") << QByteArray("");
        QTest::newRow("two header fields only") << QByteArray("\"General\",\"2026\"\r\n");
    }
    void a_failed_load_leaves_the_progress_window_nothing_that_writes()
    {
        QFETCH(QByteArray, general);
        PoolFolder folder;
        QTemporaryDir data;
        if (!general.isNull()) {
            QFile file(folder.path() + QStringLiteral("/quesgen.txt"));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(general) == general.size());
        }
        app::Application application(folder.path(), folder.path());
        application.attachProgress(
            std::make_unique<progress::Store>(data.filePath(QStringLiteral("progress.sqlite"))));
        mainwindow::Form1 &form = application.form();
        form.Form_Load();
        form.show();
        application.openProgress();
        progresswindow::ProgressWindow *window = application.progressWindow();
        const QStringList all{"Drill", "Review", "exam moment", "Forget"};
        QCOMPARE(writersOffered(*window), all);

        // Already while the load's error message is up, and after it.
        QStringList duringMessage{"(no message)"};
        QTimer::singleShot(0, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                duringMessage = writersOffered(*window);
                box->close();
            }
        });
        form.menuItem(QStringLiteral("mnuGeneral"))->action()->trigger();
        QCOMPARE(duringMessage, QStringList());
        QCOMPARE(writersOffered(*window), QStringList());
        QVERIFY(application.engine().pool().questions.isEmpty());

        // A good load brings them back, for that pool.
        form.menuItem(QStringLiteral("mnuTechnician"))->action()->trigger();
        QCOMPARE(writersOffered(*window), all);
    }

    void the_window_shows_before_the_store_opens_and_no_answer_is_lost()
    {
        PoolFolder folder; // question 1 is right with A, question 2 with B
        QTemporaryDir data;
        const QString workingDir = QDir::currentPath();
        app::Application application(folder.path(), folder.path());
        mainwindow::Form1 &form = application.form();
        bool shownFirst = false;
        application.start([&] {
            shownFirst = form.isVisible() && form.engine().pool().questions.size() == 30;
            return std::make_unique<progress::Store>(data.filePath(QStringLiteral("progress.sqlite")));
        });
        QVERIFY(form.isVisible());
        QVERIFY(!application.progressStore());
        QVERIFY(!form.findChild<QAction *>(QStringLiteral("mnuProgress"))->isEnabled());
        form.button(QStringLiteral("cmdA"))->widget()->click(); // before the store opens
        QTRY_VERIFY(application.progressStore());
        QVERIFY(shownFirst);
        QVERIFY(form.findChild<QAction *>(QStringLiteral("mnuProgress"))->isEnabled());
        form.button(QStringLiteral("Command1"))->widget()->click();
        form.button(QStringLiteral("cmdC"))->widget()->click(); // after it opened

        const QList<progress::AnswerRecord> answers = application.progressStore()->allAnswers();
        QCOMPARE(answers.size(), 2);
        QCOMPARE(answers[0].pool, form.engine().pool().key());
        QCOMPARE(answers[0].question, QStringLiteral("T1A01"));
        QVERIFY(answers[0].correct);
        QCOMPARE(answers[1].question, QStringLiteral("T1A02"));
        QVERIFY(!answers[1].correct);
        QCOMPARE(QDir::currentPath(), workingDir);
    }

    void every_window_goes_before_the_study_window_and_the_store_data()
    {
        QTest::addColumn<bool>("closeFirst");
        QTest::newRow("all open") << false;
        QTest::newRow("study window closed first") << true;
    }
    void every_window_goes_before_the_study_window_and_the_store()
    {
        QFETCH(bool, closeFirst);
        QTemporaryDir exeDir;
        auto application =
            std::make_unique<app::Application>(exeDir.path(), QStringLiteral(EXAMORA_DATA_DIR));
        application->attachProgress(
            std::make_unique<progress::Store>(exeDir.filePath(QStringLiteral("progress.sqlite"))));
        mainwindow::Form1 &form = application->form();
        form.Form_Load();
        form.show();
        connect(application.get(), &app::Application::examWindowOpened, this,
                [](examwindow::ExamWindow *w) { w->setConfirm([](const QString &) { return true; }); });

        application->openProgress();
        application->openPracticeExam();
        application->openDrill(QStringLiteral("T5"));
        application->openReview(5);
        engine::StudyEngine &engine = application->engine();
        const QList<questions::Question> &pool = engine.pool().questions;
        const auto figure =
            std::find_if(pool.begin(), pool.end(), [](const auto &q) { return !q.figure().isEmpty(); });
        QVERIFY(figure != pool.end());
        engine.state().currentQuestion = float(figure - pool.begin());
        engine.ShowQuestion();
        application->openFigureWindow();

        QList<QWidget *> beside{application->progressWindow(), application->figureWindow()};
        for (examwindow::ExamWindow *exam : application->examWindows())
            beside << exam;
        QCOMPARE(beside.size(), 5);
        QStringList gone;
        for (QWidget *window : std::as_const(beside)) {
            QVERIFY(window && window->isVisible() && !window->parent());
            connect(window, &QObject::destroyed, this, [&gone] { gone << QStringLiteral("beside"); });
        }
        connect(&form, &QObject::destroyed, this, [&gone] { gone << QStringLiteral("study"); });
        if (closeFirst) {
            QVERIFY(form.close());
            for (QWidget *window : std::as_const(beside))
                QVERIFY(!window->isVisible());
        }
        application.reset();
        QCOMPARE(gone, QStringList({"beside", "beside", "beside", "beside", "beside", "study"}));
    }
};

QTEST_MAIN(ApplicationTest)
#include "tst_application.moc"
