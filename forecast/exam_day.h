#pragma once

// The exam-day forecast for a pool: each question's answers through the memory model, the
// questions gathered into the exam's groups, and the exact chance to pass.

#include "forecast/fsrs.h"
#include "forecast/pass_chance.h"

#include <QHash>
#include <QStringList>

namespace forecast {

// Each group's question chances at `when`, groups in the order they first appear in
// `questionIds`; questions without an NCVEC identifier belong to no group. A question with no entry in
// `reviewsByQuestion` is a guess (1/4).
QList<QList<double>> groupChances(const QStringList &questionIds,
                                  const QHash<QString, QList<Review>> &reviewsByQuestion,
                                  const QDateTime &when);

// The forecast for an exam of the pool's groups sat at `when` with this pass mark.
ExamForecast forecastExamDay(const QStringList &questionIds,
                             const QHash<QString, QList<Review>> &reviewsByQuestion, int passMark,
                             const QDateTime &when);

} // namespace forecast
