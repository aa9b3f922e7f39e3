#pragma once

// The exam-day forecast for a pool: each question's answers through the memory model, the
// questions gathered into the exam's groups, and the exact chance to pass.

#include "forecast/fsrs.h"
#include "forecast/pass_chance.h"

#include <QHash>
#include <QStringList>

namespace forecast {

// The group a question is drawn from: its identifier without the two-digit number
// ("T1A01" -> "T1A").
QString groupOf(const QString &questionId);

// Each group's question chances at `when`, groups in the order they first appear in
// `questionIds`; a question with no entry in `reviewsByQuestion` is a guess (1/4).
QList<QList<double>> groupChances(const QStringList &questionIds,
                                  const QHash<QString, QList<Review>> &reviewsByQuestion,
                                  const QDateTime &when);

// The forecast for an exam of the pool's groups sat at `when`, with the element's pass mark.
ExamForecast forecastExamDay(const QStringList &questionIds,
                             const QHash<QString, QList<Review>> &reviewsByQuestion, QChar element,
                             const QDateTime &when);

} // namespace forecast
