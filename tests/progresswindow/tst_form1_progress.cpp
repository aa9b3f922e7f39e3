// The study window with a progress store: first attempts are recorded, Reset History leaves
// them, and Test > Progress... sits below a separator after the designed items.
#include "app/application.h"
#include "examwindow/exam_window.h"
#include "examwindow/question_strip.h"
#include "examwindow/result_page.h"
#include "mainwindow/form1.h"
#include "progress/store.h"
#include "progresswindow/progress_window.h"
#include "tests/mainwindow/pool_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using mainwindow::Form1;

namespace {

// The study window on the sample pool, recording into a store of its own, loaded and shown.
struct StudyWithProgress
{
    StudyWithProgress()
    {
        application.attachProgress(std::make_unique<progress::Store>(data.filePath("progress.sqlite")));
        form.Form_Load();
        form.show();
    }
    PoolFolder folder;
    QTemporaryDir data;
    app::Application application{folder.path(), folder.path()};
    Form1 &form = application.form();
};

} // namespace

class Form1ProgressTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void first_attempts_are_recorded_and_survive_reset_history()
    {
        StudyWithProgress study;
        Form1 &form = study.form;
        app::Application &application = study.application;
        for (int i = 0; i < 10; ++i) {
            if (i == 0)
                form.button("Command9")->widget()->click(); // Hint; the first question's answer is A
            form.button("cmdA")->widget()->click();
            form.button("cmdB")->widget()->click(); // a second try is no first attempt
            form.button("Command1")->widget()->click();
        }
        form.button("Command7")->widget()->click(); // Reset History
        const QList<progress::AnswerRecord> answers = application.progressStore()->allAnswers();
        QCOMPARE(answers.size(), 10);
        QVERIFY(answers[0].pool.startsWith("T "));
        QCOMPARE(answers[0].chosen, QChar('A'));
        QCOMPARE(answers[0].mode, progress::Mode::Study);
        QCOMPARE(answers[0].correct, true);
        QCOMPARE(answers[0].hinted, true);
        QCOMPARE(answers[1].hinted, false);

        application.openProgress();
        progresswindow::ProgressWindow *window = application.progressWindow();
        QVERIFY(window && window->isVisible());
        const QTableWidget *table = window->subelementTable();
        QCOMPARE(table->item(table->rowCount() - 1, 3)->text(), "10"); // seen
        QVERIFY(window->chanceLabel()->text().startsWith("Chance to pass: "));
    }

    void review_asks_from_the_loaded_pool_and_records_its_answers_as_review()
    {
        StudyWithProgress study;
        Form1 &form = study.form;
        app::Application &application = study.application;
        form.button("cmdA")->widget()->click(); // question 1, right
        QList<examwindow::ExamWindow *> opened;
        connect(&application, &app::Application::examWindowOpened, this,
                [&](examwindow::ExamWindow *w) { opened.append(w); });
        application.openReview(5);
        QCOMPARE(opened.size(), 1);
        examwindow::ExamWindow *review = opened.front();
        QVERIFY(review->isReview());
        QCOMPARE(review->strip()->findChildren<QAbstractButton *>().size(), 5);
        QVERIFY(review->positionLabel()->text().endsWith(", review"));
        review->choice(0)->click();
        const QList<progress::AnswerRecord> answers = application.progressStore()->allAnswers();
        QCOMPARE(answers.size(), 2);
        QCOMPARE(answers[1].mode, progress::Mode::Review);
        // One group can never reach the pass mark: no answer changes the chance, and equal
        // gains keep pool order.
        QCOMPARE(answers[1].question, "T1A01");
        QVERIFY(review->handIn());
        QVERIFY(review->resultPage()->detailsLabel()->text().startsWith("Chance to pass: "));
        review->close();
    }

    void progress_sits_below_a_separator_and_needs_a_store_data()
    {
        QTest::addColumn<bool>("store");
        QTest::newRow("with a store") << true;
        QTest::newRow("without") << false;
    }
    void progress_sits_below_a_separator_and_needs_a_store()
    {
        QFETCH(bool, store);
        PoolFolder folder;
        QTemporaryDir data;
        app::Application application(folder.path(), folder.path());
        Form1 &form = application.form();
        if (store)
            application.attachProgress(std::make_unique<progress::Store>(data.filePath("progress.sqlite")));
        const QList<QAction *> actions = form.menuItem("mnuTest")->action()->menu()->actions();
        QCOMPARE(actions.size(), 7); // Review... and Practice Exam... follow Progress...
        QCOMPARE(actions[2]->text(), "&Extra");
        QVERIFY(actions[3]->isSeparator());
        QCOMPARE(actions[4]->text(), "&Progress...");
        QCOMPARE(actions[4]->isEnabled(), store);
        QCOMPARE(actions[5]->text(), "Re&view...");
        QCOMPARE(actions[5]->isEnabled(), store);
        // Every item has an access key of its own.
        QSet<QChar> keys;
        for (const QAction *action : actions) {
            const qsizetype amp = action->text().indexOf(u'&');
            if (action->isSeparator())
                continue;
            QVERIFY2(amp >= 0, qPrintable(action->text()));
            QVERIFY2(!keys.contains(action->text().at(amp + 1).toLower()), qPrintable(action->text()));
            keys.insert(action->text().at(amp + 1).toLower());
        }
    }
};

QTEST_MAIN(Form1ProgressTest)
#include "tst_form1_progress.moc"
