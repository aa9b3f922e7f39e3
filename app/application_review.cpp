// Review: the questions whose right answer now raises the chance to pass the most, asked in
// the drill window and recorded as review answers; at its end the chance before and after.
#include "app/application.h"
#include "engine/study_state.h"
#include "exam/review.h"
#include "examwindow/exam_window.h"
#include "examwindow/open_exam.h"
#include "progress/store.h"
#include "progress/summary.h"
#include "progresswindow/progress_window.h"
#include "questions/pool.h"

#include <QMessageBox>

namespace app {
namespace {

struct Readiness
{
    forecast::PoolMemory memory;
    QDateTime when; // the exam moment
    double chance = 0;
};

Readiness readinessOf(const questions::Pool &pool, const progress::Store &store, const QDateTime &when,
                      int passMark, const forecast::StudyDays &days)
{
    const progress::PoolSummary summary = progress::summarize(pool, store.answersByQuestion(pool.key()));
    Readiness r{forecast::replayPool(summary.questionIds, summary.reviews, days), when, 0};
    r.chance = forecast::forecastExamDay(r.memory, passMark, when).passProbability;
    return r;
}

} // namespace

void Application::openReview(int count)
{
    const questions::Pool &pool = m_engine->pool();
    const progress::Store *store = m_store.get();
    const auto rules = questions::examRulesFor(pool);
    if (!store || !rules) {
        showExamWindow({nullptr, tr("No review can be made: this pool has no exam rules.")});
        return;
    }
    if (count <= 0)
        count = progresswindow::rememberedReviewCount(pool.key());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const forecast::StudyDays days;
    const QDateTime when = forecast::examMoment(store->examMoment(pool.key()), now).at;
    const Readiness before = readinessOf(pool, *store, when, rules->passMark, days);
    showReview(pool, exam::chooseReview(pool, before.memory, rules->passMark, now, when, count, days),
               [this, count] { openReview(count); });
}

void Application::openReviewOf(const questions::Pool &pool, const QList<int> &questions)
{
    showReview(pool, questions, [this, pool, questions] { openReviewOf(pool, questions); });
}

void Application::showReview(const questions::Pool &pool, QList<int> questions, std::function<void()> again)
{
    const progress::Store *store = m_store.get();
    std::function<QString()> outcome = [] { return QString(); };
    if (const auto rules = questions::examRulesFor(pool); store && rules) {
        // Before and after the session, for the same exam moment.
        const QDateTime when =
            forecast::examMoment(store->examMoment(pool.key()), QDateTime::currentDateTimeUtc()).at;
        const forecast::StudyDays days;
        const double before = readinessOf(pool, *store, when, rules->passMark, days).chance;
        outcome = [store, pool, when, before, passMark = rules->passMark] {
            const double after = readinessOf(pool, *store, when, passMark, forecast::StudyDays()).chance;
            return tr("Chance to pass: %1 \u2192 %2")
                .arg(forecast::percentText(before), forecast::percentText(after));
        };
    }
    const examwindow::OpenedWindow opened = examwindow::createReview(pool, std::move(questions), outcome);
    if (opened.window)
        connect(opened.window, &examwindow::ExamWindow::reviewAgainRequested, this,
                [this, window = opened.window, again] {
                    window->close();
                    again();
                });
    showExamWindow(opened);
}

} // namespace app
