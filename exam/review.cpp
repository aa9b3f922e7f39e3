#include "exam/review.h"

#include "exam/draw.h"
#include "questions/pool.h"

#include <algorithm>
#include <numeric>

namespace exam {

QList<ReviewCandidate> reviewGains(const questions::Pool &pool, const forecast::PoolMemory &memory,
                                   int passMark, const QDateTime &now, const QDateTime &when,
                                   const forecast::StudyDays &days)
{
    const QList<QList<double>> chances = memory.groupChances(when);
    QList<double> groupP;
    groupP.reserve(chances.size());
    for (const QList<double> &group : chances)
        groupP.append(group.isEmpty() ? 0
                                      : std::accumulate(group.cbegin(), group.cend(), 0.0) / group.size());
    const QList<double> swings = forecast::passSwings(groupP, passMark);

    QList<ReviewCandidate> candidates;
    for (qsizetype g = 0; g < memory.groups.size(); ++g) {
        const QList<int> &group = memory.groups[g];
        for (qsizetype k = 0; k < group.size(); ++k) {
            const int i = group[k];
            const int index = pool.indexOf(memory.ids[i]);
            if (!isAskable(pool, index))
                continue;
            const double rise = memory.chanceAfterRight(i, now, when, days) - chances[g][k];
            candidates.append({index, swings[g] * rise / double(group.size())});
        }
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const ReviewCandidate &a, const ReviewCandidate &b) { return a.question < b.question; });
    return candidates;
}

QList<int> chooseReview(const questions::Pool &pool, const forecast::PoolMemory &memory, int passMark,
                        const QDateTime &now, const QDateTime &when, int count,
                        const forecast::StudyDays &days)
{
    QList<ReviewCandidate> candidates = reviewGains(pool, memory, passMark, now, when, days);
    const qsizetype n = std::clamp<qsizetype>(count, 0, candidates.size());
    // Stable: equal gains keep pool order.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const ReviewCandidate &a, const ReviewCandidate &b) { return a.gain > b.gain; });
    QList<int> chosen;
    chosen.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        chosen.append(candidates[i].question);
    return chosen;
}

} // namespace exam
