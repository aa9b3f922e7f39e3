// The practice exam window offscreen, driven as a user drives it: keys, clicks on the
// strip, Hand In, the review; closing early; a drill's first attempts.
#include "exam/draw.h"
#include "examwindow/exam_window.h"
#include "examwindow/open_exam.h"
#include "examwindow/question_strip.h"
#include "examwindow/result_page.h"
#include "tests/exam/exam_fixture.h"

#include "figures/figure_view.h"
#include "windowstate/text_zoom.h"
#include "windowstate/window_state.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using examwindow::ExamWindow;

Q_DECLARE_METATYPE(exam::ExamResult)

namespace {

// Shows the window and makes it active, so that its shortcuts take keys.
void showActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

ExamWindow *newExam(const questions::Pool &pool)
{
    return new ExamWindow(pool, *questions::examRulesFor(pool),
                          exam::drawExam(*exam::planExam(pool).plan, *QRandomGenerator::global()));
}

QPalette darkPalette()
{
    QPalette dark(QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    return dark;
}

int visibleRows(const QListWidget *list)
{
    int n = 0;
    for (int i = 0; i < list->count(); ++i)
        n += list->item(i)->isHidden() ? 0 : 1;
    return n;
}

} // namespace

class TestExamWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { windowstate::openSettings()->clear(); }
    void an_exam_is_answered_changed_jumped_through_handed_in_and_reviewed();
    void closing_before_hand_in_asks_and_records_nothing_data();
    void closing_before_hand_in_asks_and_records_nothing();
    void a_drill_reports_first_attempts_and_shows_the_correct_answer();
    void tab_reaches_the_answers_the_buttons_and_every_cell();
    void a_figure_shows_beside_its_question_and_says_when_it_is_missing();
    void answered_cells_are_marked_by_more_than_colour_under_either_palette_data();
    void answered_cells_are_marked_by_more_than_colour_under_either_palette();
    void enter_on_the_close_question_keeps_the_exam();
    void escape_asks_before_leaving_an_exam_and_closes_anything_else_data();
    void escape_asks_before_leaving_an_exam_and_closes_anything_else();
    void shuffled_choices_record_the_pool_letter_and_are_remembered();
    void text_is_at_least_the_base_size_and_ctrl_keys_change_it_for_good();
};

void TestExamWindow::an_exam_is_answered_changed_jumped_through_handed_in_and_reviewed()
{
    QRandomGenerator random(11);
    const examwindow::OpenedWindow opened =
        examwindow::createPracticeExam(examtest::makePool(u'T', 35, 3), random);
    QVERIFY(opened.window);
    std::unique_ptr<ExamWindow> owner(opened.window);
    ExamWindow &w = *owner;
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    QStringList asked;
    w.setConfirm([&asked](const QString &text) {
        asked.append(text);
        return asked.size() > 1; // the first Hand In is cancelled
    });
    QSignalSpy handedIn(&w, &ExamWindow::handedIn);
    showActive(w);

    QCOMPARE(w.positionLabel()->text(), QStringLiteral("Question 1 of 35"));
    const QString firstId = w.findChild<QLabel *>(QStringLiteral("identifier"))->text();
    QVERIFY(firstId.startsWith(QStringLiteral("T1A")));
    QCOMPARE(w.choice(2)->accessibleName(), QStringLiteral("C: Choice C of ") + firstId);

    // Answer B, change it to A (right in these pools), with the focus on a choice.
    QTest::keyClick(&w, Qt::Key_B);
    QVERIFY(w.choice(1)->isChecked());
    w.choice(1)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    QVERIFY(w.choice(0)->isChecked());
    QVERIFY(!w.choice(1)->isChecked());
    QVERIFY(w.strip()->cell(0)->isChecked());

    // Right arrow on a focused choice moves on; it does not change the answer.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(w.current(), 1);
    for (int i = 0; i < 4; ++i)
        QVERIFY(!w.choice(i)->isChecked());
    QTest::keyClick(&w, Qt::Key_P);
    QCOMPARE(w.current(), 0);
    QVERIFY(w.choice(0)->isChecked());

    // Jump by the strip, answer wrong by a click, then Left, N and Left again.
    QTest::mouseClick(w.strip()->cell(9), Qt::LeftButton);
    QCOMPARE(w.positionLabel()->text(), QStringLiteral("Question 10 of 35"));
    QTest::mouseClick(w.choiceText(3), Qt::LeftButton); // a click on the text chooses too
    QVERIFY(w.strip()->cell(9)->isChecked());
    QVERIFY(!w.strip()->cell(8)->isChecked());
    QTest::keyClick(&w, Qt::Key_Left);
    QTest::keyClick(&w, Qt::Key_N);
    QTest::keyClick(&w, Qt::Key_Left);
    QCOMPARE(w.current(), 8);

    // Hand In asks because 33 are unanswered; the first answer is no.
    QTest::mouseClick(w.handInButton(), Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked[0].startsWith(QStringLiteral("33 questions are unanswered")));
    QVERIFY(!w.isShowingResult());
    QTest::keyClick(&w, Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(w.isShowingResult());
    QCOMPARE(handedIn.size(), 1);

    const auto result = handedIn[0][0].value<exam::ExamResult>();
    QCOMPARE(result.right, 1);
    QCOMPARE(result.chosen[9], QChar(u'D'));
    examwindow::ResultPage *page = w.resultPage();
    QCOMPARE(page->summaryLabel()->text(), QStringLiteral("1 of 35: failed"));
    QCOMPARE(page->summaryLabel()->accessibleName(), QStringLiteral("1 of 35: failed"));
    QVERIFY(
        page->summaryLabel()->accessibleDescription().contains(QStringLiteral("The pass mark is 26 of 35.")));
    QVERIFY(page->detailsLabel()->text().contains(QStringLiteral("Time taken: ")));
    QCOMPARE(page->subelementTable()->rowCount(), 7);
    QCOMPARE(page->subelementTable()->item(0, 1)->text(), QStringLiteral("1"));

    // The review: every question, the wrong answer and the right one named; then missed only.
    QCOMPARE(visibleRows(page->review()), 35);
    QCOMPARE(page->review()->item(0)->text().section(u'\n', 0, 0),
             QStringLiteral("1. %1 (right)").arg(firstId));
    const QString tenth = page->review()->item(9)->text();
    QVERIFY2(tenth.contains(QStringLiteral("(missed)")) &&
                 tenth.contains(QStringLiteral("Your answer: D: ")) &&
                 tenth.contains(QStringLiteral("Correct answer: A: ")),
             qPrintable(tenth));
    QVERIFY(page->review()->item(1)->text().contains(QStringLiteral("(missed, not answered)")));
    page->missedOnly()->click();
    QCOMPARE(visibleRows(page->review()), 34);

    // Handed in: keys no longer change anything, closing asks nothing.
    QTest::keyClick(&w, Qt::Key_B);
    QVERIFY(w.close());
    QCOMPARE(asked.size(), 2);
    QCOMPARE(handedIn.size(), 1);
}

void TestExamWindow::closing_before_hand_in_asks_and_records_nothing_data()
{
    QTest::addColumn<bool>("agree");
    QTest::newRow("the user stays") << false;
    QTest::newRow("the user closes") << true;
}

void TestExamWindow::closing_before_hand_in_asks_and_records_nothing()
{
    QFETCH(bool, agree);
    const questions::Pool pool = examtest::makePool(u'E', 50, 1);
    ExamWindow w(pool, *questions::examRulesFor(u'E'),
                 exam::drawExam(*exam::planExam(pool).plan, *QRandomGenerator::global()));
    int asked = 0;
    w.setConfirm([&](const QString &) { return ++asked, agree; });
    QSignalSpy handedIn(&w, &ExamWindow::handedIn);
    showActive(w);
    QTest::keyClick(&w, Qt::Key_C);
    QCOMPARE(w.close(), agree);
    QCOMPARE(asked, 1);
    QCOMPARE(w.isVisible(), !agree);
    QCOMPARE(handedIn.size(), 0);
}

void TestExamWindow::a_drill_reports_first_attempts_and_shows_the_correct_answer()
{
    QRandomGenerator random(3);
    const examwindow::OpenedWindow opened =
        examwindow::createDrill(examtest::makePool(u'T', 35, 2), QStringLiteral("T2"), random);
    std::unique_ptr<ExamWindow> owner(opened.window);
    ExamWindow &w = *owner;
    QSignalSpy answered(&w, &ExamWindow::drillAnswered);
    showActive(w);
    QCOMPARE(w.positionLabel()->text(), QStringLiteral("Question 1 of 10, drill of subelement T2"));
    QVERIFY(w.feedbackLabel()->text().isEmpty());

    QTest::keyClick(&w, Qt::Key_C);
    QTest::keyClick(&w, Qt::Key_A); // a second attempt is not reported
    QCOMPARE(answered.size(), 1);
    QCOMPARE(answered[0][1].value<QChar>(), QChar(u'C'));
    QCOMPARE(answered[0][2].toBool(), false);
    QCOMPARE(w.feedbackLabel()->text(), QStringLiteral("Not quite: the answer is A"));
    QVERIFY(w.choice(2)->isChecked());
    QVERIFY(w.choiceText(0)->font().bold() && !w.choiceText(2)->font().bold());

    QTest::keyClick(&w, Qt::Key_N);
    QTest::keyClick(&w, Qt::Key_A);
    QCOMPARE(answered.size(), 2);
    QCOMPARE(answered[1][2].toBool(), true);
    QCOMPARE(w.feedbackLabel()->text(), QStringLiteral("Correct!"));

    QSet<QString> ids;
    for (int i = 0; i < 10; ++i) {
        w.strip()->cell(i)->click();
        ids.insert(w.findChild<QLabel *>(QStringLiteral("identifier"))->text());
    }
    QCOMPARE(ids.size(), 10);

    QVERIFY(w.handIn());
    QCOMPARE(w.resultPage()->summaryLabel()->text(), QStringLiteral("1 of 10 right at the first attempt"));
    QVERIFY(w.resultPage()->detailsLabel()->text().contains(QStringLiteral("8 of 10 not attempted.")));
    QVERIFY(w.close()); // a drill records as it goes: closing asks nothing
}

void TestExamWindow::tab_reaches_the_answers_the_buttons_and_every_cell()
{
    const questions::Pool pool = examtest::makePool(u'T', 35, 1);
    ExamWindow w(pool, *questions::examRulesFor(u'T'),
                 exam::drawExam(*exam::planExam(pool).plan, *QRandomGenerator::global()));
    showActive(w);
    w.choice(0)->setFocus();
    QSet<QWidget *> reached;
    for (int i = 0; i < 60; ++i) {
        reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QVERIFY(reached.contains(w.handInButton()));
    QVERIFY(reached.contains(w.findChild<QPushButton *>(QStringLiteral("next"))));
    for (int i = 0; i < 35; ++i)
        QVERIFY2(reached.contains(w.strip()->cell(i)), qPrintable(QString::number(i)));
    QVERIFY(reached.contains(w.choice(0)));
}

void TestExamWindow::a_figure_shows_beside_its_question_and_says_when_it_is_missing()
{
    const questions::Pool pool =
        examtest::makePool(u'T', 35, 1, [](int i, QByteArray &, QByteArray &question) {
            if (i == 1 || i == 2)
                question += " in figure T-" + QByteArray::number(i);
        });
    QTemporaryDir figures;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QVERIFY(image.save(figures.filePath(QStringLiteral("t-1.png"))));
    ExamWindow w(pool, *questions::examRulesFor(u'T'),
                 exam::drawExam(*exam::planExam(pool).plan, *QRandomGenerator::global()));
    w.setFiguresFolder(figures.path());
    showActive(w);

    QVERIFY(!w.figureView()->isVisible());
    QTest::keyClick(&w, Qt::Key_N);
    QVERIFY(w.figureView()->isVisible());
    QVERIFY(w.figureView()->figure().ok());
    QCOMPARE(w.figureView()->accessibleName(), QStringLiteral("Figure T-1"));
    QTest::keyClick(&w, Qt::Key_N);
    QVERIFY(!w.figureView()->figure().ok());
    QCOMPARE(w.figureView()->missingLabel()->text(), QStringLiteral("Figure T-2 is missing"));
}

void TestExamWindow::answered_cells_are_marked_by_more_than_colour_under_either_palette_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light desktop") << false;
    QTest::newRow("dark desktop") << true;
}

void TestExamWindow::answered_cells_are_marked_by_more_than_colour_under_either_palette()
{
    QFETCH(bool, dark);
    const QPalette before = QApplication::palette();
    if (dark)
        QApplication::setPalette(darkPalette());
    std::unique_ptr<ExamWindow> w(newExam(examtest::makePool(u'T', 35, 1)));
    showActive(*w);
    QTest::keyClick(w.get(), Qt::Key_B);
    QTest::keyClick(w.get(), Qt::Key_N);
    const QToolButton *answered = w->strip()->cell(0);
    const QToolButton *open = w->strip()->cell(2);
    QVERIFY(answered->text() != QStringLiteral("1") && answered->text().contains(u'1'));
    QCOMPARE(open->text(), QStringLiteral("3"));
    QVERIFY(answered->font().bold() && !open->font().bold());
    QVERIFY(w->strip()->cell(1)->font().underline() && !answered->font().underline());
    // The legend, one line, shows the answered mark as the cells do.
    QVERIFY(w->legendLabel()->isVisible());
    QVERIFY(w->legendLabel()->text().contains(examwindow::QuestionStrip::cellText(6, true)));
    QVERIFY(!w->legendLabel()->text().contains(u'\n'));
    QApplication::setPalette(before);
}

void TestExamWindow::enter_on_the_close_question_keeps_the_exam()
{
    std::unique_ptr<ExamWindow> w(newExam(examtest::makePool(u'T', 35, 1)));
    showActive(*w);
    QTest::keyClick(w.get(), Qt::Key_C);
    QString defaultButton;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        defaultButton =
            box->defaultButton() ? box->defaultButton()->text().remove(u'&') : QStringLiteral("none");
        QTest::keyClick(box, Qt::Key_Return);
    });
    poll.start(10);
    QVERIFY(!w->close());
    QCOMPARE(defaultButton, QStringLiteral("No"));
    QVERIFY(w->isVisible());
}

void TestExamWindow::escape_asks_before_leaving_an_exam_and_closes_anything_else_data()
{
    QTest::addColumn<bool>("drill");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("closes");
    QTest::newRow("exam in progress: asks, the user stays") << false << false << 1 << false;
    QTest::newRow("exam result: closes") << false << true << 0 << true;
    QTest::newRow("drill in progress: closes") << true << false << 0 << true;
    QTest::newRow("drill result: closes") << true << true << 0 << true;
}

void TestExamWindow::escape_asks_before_leaving_an_exam_and_closes_anything_else()
{
    QFETCH(bool, drill);
    QFETCH(bool, finished);
    QFETCH(int, questions);
    QFETCH(bool, closes);
    const questions::Pool pool = examtest::makePool(u'T', 35, 2);
    QRandomGenerator random(1);
    std::unique_ptr<ExamWindow> w(drill ? examwindow::createDrill(pool, QStringLiteral("T1"), random).window
                                        : newExam(pool));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    int asked = 0;
    bool agree = true;
    w->setConfirm([&](const QString &) { return ++asked, agree; });
    showActive(*w);
    if (finished)
        QVERIFY(w->handIn());
    asked = 0;
    agree = false; // the user stays
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QCOMPARE(asked, questions);
    QCOMPARE(w->isVisible(), !closes);
}

void TestExamWindow::shuffled_choices_record_the_pool_letter_and_are_remembered()
{
    // "Choice A of ..." would name a letter, and keep the pool's order.
    const questions::Pool pool =
        examtest::makePool(u'T', 35, 1, {}, {"Right", "Wrong one", "Wrong two", "Wrong three"});
    std::unique_ptr<ExamWindow> w(newExam(pool));
    QSignalSpy handedIn(w.get(), &ExamWindow::handedIn);
    w->setConfirm([](const QString &) { return true; });
    showActive(*w);
    QVERIFY(!w->isShuffled());
    QTest::keyClick(w.get(), Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(w->isShuffled());
    // Every question's right answer (A in the pool), chosen by the letter it is shown as.
    QSet<QChar> shownAs;
    for (int i = 0; i < 35; ++i) {
        const QChar shown = exam::shownLetter(w->choiceOrder(i), u'A');
        shownAs.insert(shown);
        QTest::keyClick(w.get(), Qt::Key(Qt::Key_A + (shown.unicode() - u'A')));
        QCOMPARE(w->choiceText(shown.unicode() - u'A')->text(), QStringLiteral("Right"));
        QTest::keyClick(w.get(), Qt::Key_N);
    }
    QVERIFY(shownAs.size() > 1);
    QVERIFY(w->handIn());
    const auto result = handedIn[0][0].value<exam::ExamResult>();
    QCOMPARE(result.right, 35);
    QCOMPARE(result.chosen, QList<QChar>(35, u'A'));
    // The review names the answer by the letter it was shown as.
    const QChar first = exam::shownLetter(w->choiceOrder(0), u'A');
    QVERIFY(w->resultPage()->review()->item(0)->text().contains(
        QStringLiteral("Your answer, correct: %1: Right").arg(first)));

    std::unique_ptr<ExamWindow> next(newExam(pool));
    QVERIFY(next->isShuffled());
}

void TestExamWindow::text_is_at_least_the_base_size_and_ctrl_keys_change_it_for_good()
{
    const questions::Pool pool = examtest::makePool(u'T', 35, 1);
    std::unique_ptr<ExamWindow> w(newExam(pool));
    const double desktop = w->font().pointSizeF();
    w->setBaseTextSize(desktop / 2); // never below the desktop's size
    QCOMPARE(w->questionLabel()->font().pointSizeF(), desktop);
    w->setBaseTextSize(20);
    for (QWidget *text : {static_cast<QWidget *>(w->questionLabel()),
                          static_cast<QWidget *>(w->choiceText(3)), static_cast<QWidget *>(w->choice(0))})
        QCOMPARE(text->font().pointSizeF(), 20.0);
    showActive(*w);
    QTest::keyClick(w.get(), Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(w->textZoom()->steps(), 2);
    QVERIFY(w->questionLabel()->font().pointSizeF() > 25);

    // The next window opens at the same step; Ctrl + 0 goes back to the base.
    std::unique_ptr<ExamWindow> next(newExam(pool));
    next->setBaseTextSize(20);
    QCOMPARE(next->questionLabel()->font().pointSizeF(), w->questionLabel()->font().pointSizeF());
    showActive(*next);
    QTest::keyClick(next.get(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(next->questionLabel()->font().pointSizeF(), 20.0);
}

QTEST_MAIN(TestExamWindow)
#include "tst_exam_window.moc"
