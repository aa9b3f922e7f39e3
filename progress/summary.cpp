#include "progress/summary.h"

#include "forecast/exam_day.h"
#include "questions/pool.h"

#include <QSet>

namespace progress {

std::optional<double> SubelementSummary::accuracy() const
{
    return answers ? std::optional(double(rightAnswers) / answers) : std::nullopt;
}

PoolSummary summarize(const questions::Pool &pool, const QHash<QString, QList<AnswerMark>> &answers)
{
    PoolSummary summary;
    summary.rules = questions::examRulesFor(pool);
    QHash<QString, int> rowOf; // subelement id -> row
    for (const questions::Subelement &sub : pool.subelements) {
        rowOf.insert(sub.id, int(summary.subelements.size()));
        summary.subelements.append({sub.id, sub.title});
    }
    QSet<QString> counted;
    counted.reserve(pool.questions.size());
    for (const questions::Question &q : pool.questions) {
        const QString id = q.id().toString();
        if (id.isEmpty() || counted.contains(id))
            continue;
        counted.insert(id);
        const QString subelement = q.subelement().toString();
        auto row = rowOf.constFind(subelement);
        if (row == rowOf.cend()) { // a pool whose subelements were not indexed
            row = rowOf.insert(subelement, int(summary.subelements.size()));
            summary.subelements.append({subelement, subelement});
        }
        summary.questionIds.append(id);
        SubelementSummary &sub = summary.subelements[*row];
        ++sub.questions;
        const auto marks = answers.constFind(id);
        if (marks == answers.cend() || marks->isEmpty())
            continue;
        ++sub.seen;
        sub.rightLastTime += marks->last().correct;
        QList<forecast::Review> &reviews = summary.reviews[id];
        reviews.reserve(marks->size());
        for (const AnswerMark &mark : *marks) {
            ++sub.answers;
            sub.rightAnswers += mark.correct;
            reviews.append({mark.answeredAt, forecast::ratingFor(mark.correct, mark.hinted)});
        }
    }
    for (const SubelementSummary &row : std::as_const(summary.subelements)) {
        summary.total.questions += row.questions;
        summary.total.seen += row.seen;
        summary.total.rightLastTime += row.rightLastTime;
        summary.total.answers += row.answers;
        summary.total.rightAnswers += row.rightAnswers;
    }
    return summary;
}

std::optional<forecast::ExamForecast> forecastFor(const PoolSummary &summary, const QDateTime &when)
{
    if (!summary.rules)
        return std::nullopt;
    return forecast::forecastExamDay(summary.questionIds, summary.reviews, summary.rules->passMark, when);
}

} // namespace progress
