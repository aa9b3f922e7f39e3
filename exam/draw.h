#pragma once
// Drawing a practice exam as the exam booklet is printed: one question chosen uniformly at
// random from each group, in the pool's group order. A pool that cannot make an exam is
// told apart first, with the reason in words.

#include "questions/exam_rules.h"

#include <QList>
#include <QString>

#include <optional>

class QRandomGenerator;

namespace questions {
class Pool;
}

namespace exam {

// The groups an exam draws from, in pool order, each with the questions that can be asked:
// an NCVEC identifier of that group and an answer mark A-D.
struct ExamPlan
{
    questions::ExamRules rules;
    QList<QList<int>> groups; // indices into Pool::questions
};

struct PlanOutcome
{
    std::optional<ExamPlan> plan;
    QString error; // why no exam can be made; empty when plan is set
    bool ok() const { return plan.has_value(); }
};

PlanOutcome planExam(const questions::Pool &pool);

// One question index per group of the plan.
QList<int> drawExam(const ExamPlan &plan, QRandomGenerator &random);

// Every askable question of the subelement ("T1") once, in random order; empty when it has none.
QList<int> drillOrder(const questions::Pool &pool, QStringView subelement, QRandomGenerator &random);

// Whether a question can be put to the candidate and graded.
bool isAskable(const questions::Pool &pool, int index);

} // namespace exam
