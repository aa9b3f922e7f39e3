#include "examwindow/open_exam.h"

#include "exam/draw.h"
#include "examwindow/exam_window.h"

namespace examwindow {

OpenedWindow createPracticeExam(const questions::Pool &pool, QRandomGenerator &random)
{
    const exam::PlanOutcome outcome = exam::planExam(pool);
    if (!outcome.ok())
        return {nullptr, outcome.error};
    auto *window = new ExamWindow(pool, outcome.plan->rules, exam::drawExam(*outcome.plan, random));
    window->setAttribute(Qt::WA_DeleteOnClose);
    return {window, {}};
}

OpenedWindow createDrill(const questions::Pool &pool, const QString &subelement, QRandomGenerator &random)
{
    QList<int> order = exam::drillOrder(pool, subelement, random);
    if (order.isEmpty())
        return {nullptr,
                QStringLiteral("Subelement %1 has no question that can be drilled.").arg(subelement)};
    auto *window = new ExamWindow(pool, subelement, std::move(order));
    window->setAttribute(Qt::WA_DeleteOnClose);
    return {window, {}};
}

OpenedWindow createReview(const questions::Pool &pool, QList<int> questions, std::function<QString()> outcome)
{
    if (questions.isEmpty())
        return {nullptr, QStringLiteral("There is no question to review in this pool.")};
    auto *window = new ExamWindow(pool, QString(), std::move(questions));
    window->setReview(std::move(outcome));
    window->setAttribute(Qt::WA_DeleteOnClose);
    return {window, {}};
}

} // namespace examwindow
