#pragma once
// Choosing a review: the questions whose right answer now raises the chance to pass at the
// exam moment the most. For question q of group g (n_g questions) the gain is
//   (P(pass | g right) - P(pass | g wrong)) * (p_q after a right answer now - p_q) / n_g,
// each figure from the same exact distribution as the chance to pass.

#include "forecast/exam_day.h"

#include <QList>

namespace questions {
class Pool;
}

namespace exam {

struct ReviewCandidate
{
    int question = -1; // index into Pool::questions
    double gain = 0;
};

// Every askable question of the pool that belongs to an exam group, with its gain, in pool
// order. `memory` is the pool's replayed memory (its ids are the pool's).
QList<ReviewCandidate> reviewGains(const questions::Pool &pool, const forecast::PoolMemory &memory,
                                   int passMark, const QDateTime &now, const QDateTime &when,
                                   const forecast::StudyDays &days);

// The `count` questions of greatest gain, greatest first; equal gains in pool order. Each
// question at most once.
QList<int> chooseReview(const questions::Pool &pool, const forecast::PoolMemory &memory, int passMark,
                        const QDateTime &now, const QDateTime &when, int count,
                        const forecast::StudyDays &days);

} // namespace exam
