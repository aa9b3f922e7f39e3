#pragma once
// Grading a handed-in exam: right answers against the pass mark, and right/total by
// subelement so the candidate sees where the marks were lost.

#include "questions/exam_rules.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace questions {
class Pool;
}

namespace exam {

// "Time taken: 12 min 5 s"
QString timeTakenText(const QDateTime &startedAt, const QDateTime &finishedAt);

struct SubelementScore
{
    QString id;    // "T1"
    QString title; // the pool's title for it, or the identifier
    int right = 0;
    int total = 0;
};

struct ExamResult
{
    questions::ExamRules rules;
    QList<int> questions;   // indices into Pool::questions, in exam order
    QList<QChar> chosen;    // 'A'..'D', or null when left unanswered
    QList<QChar> correctAt; // the right letter of each
    int right = 0;
    QDateTime startedAt;
    QDateTime finishedAt;
    QList<SubelementScore> bySubelement; // in order of first appearance in the exam

    int total() const { return int(questions.size()); }
    bool passed() const { return right >= rules.passMark; }
    bool isRight(int position) const;
    // "28 of 35: passed"
    QString summary() const;
    // "The pass mark is 26 of 35."
    QString passMarkText() const;
    QString timeTakenText() const { return exam::timeTakenText(startedAt, finishedAt); }
};

// Unanswered questions count as wrong. chosen must be as long as questions.
ExamResult gradeExam(const questions::Pool &pool, const questions::ExamRules &rules,
                     const QList<int> &questions, const QList<QChar> &chosen);

} // namespace exam
