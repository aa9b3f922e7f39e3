// What a sitting leaves in the progress store: a handed-in exam with its answers, a drill's
// or a review's first attempts; and the reviews a sitting's end offers.
#include "exam/draw.h"
#include "examwindow/exam_records.h"
#include "examwindow/exam_window.h"
#include "examwindow/open_exam.h"
#include "examwindow/result_page.h"
#include "tests/exam/exam_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using examwindow::ExamWindow;

namespace {
// Shows the window and makes it active, so that its shortcuts take keys.
bool showActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}
} // namespace

class TestExamRecords final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void a_handed_in_exam_is_stored_with_its_answers();
    void a_drill_stores_each_first_attempt_as_it_is_given_data();
    void a_drill_stores_each_first_attempt_as_it_is_given();

private:
    QTemporaryDir m_dir;
    const QString m_key = QStringLiteral("T 2026-2030");
};

void TestExamRecords::a_handed_in_exam_is_stored_with_its_answers()
{
    progress::Store store(m_dir.filePath(QStringLiteral("exam.sqlite")));
    const questions::Pool pool = examtest::makePool(u'T', 35, 2);
    QRandomGenerator random(4);
    ExamWindow w(pool, *questions::examRulesFor(u'T'), exam::drawExam(*exam::planExam(pool).plan, random));
    w.setConfirm([](const QString &) { return true; });
    examwindow::recordInto(w, store);
    QVERIFY(showActive(w));
    // 27 right (A), 3 wrong (B), 5 unanswered.
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(&w, i < 27 ? Qt::Key_A : Qt::Key_B);
        QTest::keyClick(&w, Qt::Key_N);
    }
    QVERIFY(w.handIn());

    const QList<progress::ExamRecord> exams = store.exams(m_key);
    QCOMPARE(exams.size(), 1);
    QCOMPARE(exams[0].score, 27);
    QCOMPARE(exams[0].total, 35);
    QCOMPARE(exams[0].passMark, 26);
    QVERIFY(exams[0].passed);
    const QList<progress::AnswerRecord> answers = store.answers(m_key);
    QCOMPARE(answers.size(), 35); // the unanswered recorded as misses with no choice
    QCOMPARE(std::count_if(answers.begin(), answers.end(), [](const auto &a) { return a.correct; }), 27);
    QCOMPARE(std::count_if(answers.begin(), answers.end(),
                           [](const auto &a) { return a.chosen.isNull() && !a.correct; }),
             5);
    QVERIFY(std::all_of(answers.begin(), answers.end(),
                        [](const auto &a) { return a.mode == progress::Mode::Exam; }));

    // The result offers a review of exactly the questions missed, unanswered ones included.
    auto *review = w.findChild<QPushButton *>(QStringLiteral("reviewMissed"));
    QVERIFY(review);
    QCOMPARE(review->text(), QStringLiteral("&Review these 8 missed questions"));
    QSignalSpy asked(&w, &ExamWindow::missedReviewRequested);
    review->click();
    QCOMPARE(asked.size(), 1);
    const auto missed = asked[0][0].value<QList<int>>();
    QCOMPARE(missed.size(), 8);
    for (const progress::AnswerRecord &a : answers)
        QCOMPARE(missed.contains(pool.indexOf(a.question)), !a.correct);
}

void TestExamRecords::a_drill_stores_each_first_attempt_as_it_is_given_data()
{
    QTest::addColumn<bool>("review");
    QTest::newRow("drill") << false;
    QTest::newRow("review") << true;
}

void TestExamRecords::a_drill_stores_each_first_attempt_as_it_is_given()
{
    QFETCH(bool, review);
    progress::Store store(m_dir.filePath(QStringLiteral("drill%1.sqlite").arg(review)));
    const questions::Pool pool = examtest::makePool(u'T', 35, 2);
    QRandomGenerator random(4);
    const QList<int> order = exam::drillOrder(pool, u"T3", random);
    std::unique_ptr<ExamWindow> window(
        review ? examwindow::createReview(pool, order,
                                          [] { return QStringLiteral("Chance to pass: 3 % \u2192 5 %"); })
                     .window
               : new ExamWindow(pool, QStringLiteral("T3"), order));
    ExamWindow &w = *window;
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    examwindow::recordInto(w, store);
    QVERIFY(showActive(w));
    QTest::keyClick(&w, Qt::Key_B);
    QTest::keyClick(&w, Qt::Key_A); // not a first attempt
    QTest::keyClick(&w, Qt::Key_N);
    QTest::keyClick(&w, Qt::Key_A);

    const QList<progress::AnswerRecord> answers = store.answers(m_key);
    QCOMPARE(answers.size(), 2);
    QCOMPARE(answers[0].chosen, QChar(u'B'));
    QVERIFY(!answers[0].correct);
    QVERIFY(answers[1].correct);
    QVERIFY(answers[0].question.startsWith(QStringLiteral("T3")));
    QCOMPARE(answers[1].mode, review ? progress::Mode::Review : progress::Mode::Drill);
    QVERIFY(store.exams(m_key).isEmpty());

    // A review ends with the change in the chance and offers another.
    QVERIFY(w.handIn());
    QCOMPARE(w.windowTitle(), review ? QStringLiteral("Review") : QStringLiteral("Drill: Subelement T3"));
    QCOMPARE(
        w.resultPage()->detailsLabel()->text().contains(QStringLiteral("Chance to pass: 3 % \u2192 5 %")),
        review);
    auto *again = w.findChild<QPushButton *>(QStringLiteral("reviewAgain"));
    QCOMPARE(again != nullptr, review);
    if (again) {
        QSignalSpy asked(&w, &ExamWindow::reviewAgainRequested);
        again->click();
        QCOMPARE(asked.size(), 1);
    }
}

QTEST_MAIN(TestExamRecords)
#include "tst_exam_records.moc"
