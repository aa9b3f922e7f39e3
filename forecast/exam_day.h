#pragma once

// The exam-day forecast for a pool: each question's answers through the memory model, the
// questions gathered into the exam's groups, and the exact chance to pass.
//
// A question never answered is a guess (1/4). One whose latest answer was right has
// p = R + (1 - R) / 4 at the exam moment. One whose latest answer was wrong is a guess again
// until it is answered right: a miss is not the flashcard lapse FSRS was fitted on, where
// the answer is studied at once. Once this user has answered 30 questions straight after
// missing them, their own rate of recovery, (right + 1) / (answers + 4), takes the guess's
// place.

#include "forecast/fsrs.h"
#include "forecast/pass_chance.h"

#include <QHash>
#include <QStringList>

#include <optional>

namespace forecast {

inline constexpr int kMissRecoveryAnswers = 30;

// Over every answer whose previous answer to the same question was wrong: how many, and how
// many of them right.
struct MissRecovery
{
    int answers = 0;
    int right = 0;
    // The chance of a right answer to a question last answered wrong.
    double chance() const;
};

struct QuestionMemory
{
    bool answered = false;
    bool lastWrong = false;
    CardState card; // set when answered
};

// Every question of a pool as the answers left it at one moment.
struct PoolMemory
{
    QStringList ids;
    QList<QuestionMemory> questions; // as ids
    QList<QList<int>> groups;        // indices into ids, per NCVEC group, in pool order
    MissRecovery recovery;

    int neverAnswered() const;
    int missedLastTime() const;
    int rightLastTime() const;
    // Question i's chance of a right answer at `when`.
    double chance(int i, const QDateTime &when) const;
    // ... after one more right answer (Good) at `now`.
    double chanceAfterRight(int i, const QDateTime &now, const QDateTime &when, const StudyDays &days) const;
    // Each group's question chances at `when`.
    QList<QList<double>> groupChances(const QDateTime &when) const;
};

// The pool's memory from the answers recorded before each cutoff (an invalid cutoff takes
// them all), one per cutoff in the cutoffs' order. Every answer is replayed once however many
// cutoffs there are. Questions without an NCVEC identifier belong to no group.
QList<PoolMemory> replayPool(const QStringList &questionIds, const QHash<QString, QList<Review>> &reviews,
                             const QList<QDateTime> &cutoffs, const StudyDays &days);
PoolMemory replayPool(const QStringList &questionIds, const QHash<QString, QList<Review>> &reviews,
                      const StudyDays &days = StudyDays());

// Each group's question chances at `when`, groups in the order they first appear.
QList<QList<double>> groupChances(const QStringList &questionIds,
                                  const QHash<QString, QList<Review>> &reviewsByQuestion,
                                  const QDateTime &when);

// The forecast for an exam of the pool's groups sat at `when` with this pass mark.
ExamForecast forecastExamDay(const PoolMemory &memory, int passMark, const QDateTime &when);
ExamForecast forecastExamDay(const QStringList &questionIds,
                             const QHash<QString, QList<Review>> &reviewsByQuestion, int passMark,
                             const QDateTime &when);

// The moment to forecast for: the remembered one while it is ahead, else 24 hours from now;
// `passed` holds a remembered moment that has gone by.
struct ExamMoment
{
    QDateTime at;
    std::optional<QDateTime> passed;
};
ExamMoment examMoment(const std::optional<QDateTime> &remembered, const QDateTime &now);

} // namespace forecast
