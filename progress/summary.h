#pragma once
// What the Progress window shows for a pool, worked out from the recorded answers: per
// subelement the questions seen, right the last time and the first-attempt accuracy, and the
// reviews the exam-day forecast replays.

#include "forecast/fsrs.h"
#include "forecast/pass_chance.h"
#include "progress/store.h"
#include "questions/exam_rules.h"

#include <QHash>
#include <QStringList>

#include <optional>

namespace questions {
class Pool;
}

namespace progress {

struct SubelementSummary
{
    QString id; // "T1"; "" for the totals
    QString title;
    int questions = 0;
    int seen = 0;          // questions with at least one recorded answer
    int rightLastTime = 0; // questions whose latest answer was right
    int answers = 0;       // recorded answers (each a first attempt)
    int rightAnswers = 0;
    std::optional<double> accuracy() const; // rightAnswers / answers, none without answers
};

struct PoolSummary
{
    QList<SubelementSummary> subelements; // in pool order
    SubelementSummary total;
    QStringList questionIds;
    QHash<QString, QList<forecast::Review>> reviews; // by question, in time order
    std::optional<questions::ExamRules> rules;       // none for a pool of no exam
};

// Answers to questions the pool does not hold are left out; each question's answers oldest
// first, as Store::answersByQuestion gives them.
PoolSummary summarize(const questions::Pool &pool, const QHash<QString, QList<AnswerMark>> &answers);

// The chance to pass an exam of the pool sat at `when`; a pool with no exam rules has none.
std::optional<forecast::ExamForecast> forecastFor(const PoolSummary &summary, const QDateTime &when);

} // namespace progress
