#include "progress/summary.h"

#include "forecast/exam_day.h"
#include "questions/pool.h"

namespace progress {

std::optional<double> SubelementSummary::accuracy() const
{
    return answers ? std::optional(double(rightAnswers) / answers) : std::nullopt;
}

PoolSummary summarize(const questions::Pool &pool, const QList<AnswerRecord> &answers)
{
    PoolSummary summary;
    QHash<QString, int> rowOf; // subelement id -> row
    for (const questions::Subelement &sub : pool.subelements) {
        rowOf.insert(sub.id, int(summary.subelements.size()));
        summary.subelements.append({sub.id, sub.title});
    }
    struct Seen
    {
        int row = -1;
        bool answered = false;
        bool lastRight = false;
    };
    QHash<QString, Seen> questions;
    questions.reserve(pool.questions.size());
    for (const questions::Question &q : pool.questions) {
        if (q.id.isEmpty() || questions.contains(q.id))
            continue;
        auto row = rowOf.constFind(q.subelement);
        if (row == rowOf.cend()) { // a pool whose subelements were not indexed
            row = rowOf.insert(q.subelement, int(summary.subelements.size()));
            summary.subelements.append({q.subelement, q.subelement});
        }
        questions.insert(q.id, {*row});
        summary.questionIds.append(q.id);
        ++summary.subelements[*row].questions;
        if (summary.element.isNull())
            summary.element = q.id.front();
    }
    for (const AnswerRecord &answer : answers) { // oldest first
        const auto seen = questions.find(answer.question);
        if (seen == questions.end())
            continue;
        SubelementSummary &row = summary.subelements[seen->row];
        ++row.answers;
        row.rightAnswers += answer.correct;
        seen->answered = true;
        seen->lastRight = answer.correct;
        summary.reviews[answer.question].append(
            {answer.answeredAt, forecast::ratingFor(answer.correct, answer.hinted)});
    }
    for (const Seen &seen : std::as_const(questions)) {
        SubelementSummary &row = summary.subelements[seen.row];
        row.seen += seen.answered;
        row.rightLastTime += seen.answered && seen.lastRight;
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

forecast::ExamForecast forecastFor(const PoolSummary &summary, const QDateTime &when)
{
    return forecast::forecastExamDay(summary.questionIds, summary.reviews, summary.element, when);
}

} // namespace progress
