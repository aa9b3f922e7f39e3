#include "forecast/exam_day.h"

#include "questions/exam_rules.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace forecast {

double MissRecovery::chance() const
{
    return answers >= kMissRecoveryAnswers ? double(right + 1) / double(answers + 4) : 0.25;
}

int PoolMemory::neverAnswered() const
{
    return int(
        std::count_if(questions.cbegin(), questions.cend(), [](const auto &q) { return !q.answered; }));
}

int PoolMemory::missedLastTime() const
{
    return int(std::count_if(questions.cbegin(), questions.cend(),
                             [](const auto &q) { return q.answered && q.lastWrong; }));
}

int PoolMemory::rightLastTime() const
{
    return int(questions.size()) - neverAnswered() - missedLastTime();
}

double PoolMemory::chance(int i, const QDateTime &when) const
{
    const QuestionMemory &q = questions[i];
    if (!q.answered)
        return 0.25;
    if (q.lastWrong)
        return recovery.chance();
    return withGuessing(recallAt(q.card, when.toMSecsSinceEpoch()));
}

double PoolMemory::chanceAfterRight(int i, const QDateTime &now, const QDateTime &when,
                                    const StudyDays &days) const
{
    const QuestionMemory &q = questions[i];
    const qint64 ms = now.toMSecsSinceEpoch();
    CardState card = q.card;
    if (q.answered)
        nextReview(card, ms, Rating::Good, days);
    else
        card = firstReview(ms, Rating::Good, days);
    return withGuessing(recallAt(card, when.toMSecsSinceEpoch()));
}

QList<QList<double>> PoolMemory::groupChances(const QDateTime &when) const
{
    QList<QList<double>> result;
    result.reserve(groups.size());
    for (const QList<int> &group : groups) {
        QList<double> &chances = result.emplaceBack();
        chances.reserve(group.size());
        for (int i : group)
            chances.append(chance(i, when));
    }
    return result;
}

QList<PoolMemory> replayPool(const QStringList &questionIds, const QHash<QString, QList<Review>> &reviews,
                             const QList<QDateTime> &cutoffs, const StudyDays &days)
{
    // Cutoffs in time order, each with where its memory goes.
    const qsizetype n = cutoffs.size();
    QList<qint64> cut(n);
    for (qsizetype c = 0; c < n; ++c)
        cut[c] = cutoffs[c].isValid() ? cutoffs[c].toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
    QList<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return cut[a] < cut[b]; });

    PoolMemory shape;
    shape.ids = questionIds;
    shape.questions.resize(questionIds.size());
    QHash<QString, qsizetype> groupAt;
    for (qsizetype i = 0; i < questionIds.size(); ++i) {
        const QString group = questions::groupOf(questionIds[i]);
        if (group.isEmpty())
            continue;
        auto slot = groupAt.constFind(group);
        if (slot == groupAt.cend()) {
            slot = groupAt.insert(group, shape.groups.size());
            shape.groups.emplaceBack();
        }
        shape.groups[*slot].append(int(i));
    }
    QList<PoolMemory> result(n, shape);
    QList<int> afterMiss(n + 1, 0), rightAfterMiss(n + 1, 0); // added at the first cutoff after

    QList<std::pair<qint64, Rating>> timeline;
    for (qsizetype i = 0; i < questionIds.size(); ++i) {
        const auto found = reviews.constFind(questionIds[i]);
        timeline.clear();
        if (found != reviews.cend()) {
            for (const Review &review : *found)
                if (review.at.isValid())
                    timeline.append({review.at.toMSecsSinceEpoch(), review.rating});
        }
        const auto byTime = [](const auto &a, const auto &b) { return a.first < b.first; };
        if (!std::is_sorted(timeline.cbegin(), timeline.cend(), byTime))
            std::stable_sort(timeline.begin(), timeline.end(), byTime);

        QuestionMemory memory;
        qsizetype c = 0;
        for (const auto &[ms, rating] : timeline) {
            while (c < n && cut[order[c]] <= ms)
                result[order[c++]].questions[i] = memory;
            const bool right = rating != Rating::Again;
            if (memory.answered && memory.lastWrong) {
                ++afterMiss[c];
                rightAfterMiss[c] += right;
            }
            if (memory.answered)
                nextReview(memory.card, ms, rating, days);
            else
                memory.card = firstReview(ms, rating, days);
            memory.answered = true;
            memory.lastWrong = !right;
        }
        while (c < n)
            result[order[c++]].questions[i] = memory;
    }
    MissRecovery running;
    for (qsizetype c = 0; c < n; ++c) {
        running.answers += afterMiss[c];
        running.right += rightAfterMiss[c];
        result[order[c]].recovery = running;
    }
    return result;
}

PoolMemory replayPool(const QStringList &questionIds, const QHash<QString, QList<Review>> &reviews,
                      const StudyDays &days)
{
    return replayPool(questionIds, reviews, {QDateTime()}, days).constFirst();
}

QList<QList<double>> groupChances(const QStringList &questionIds,
                                  const QHash<QString, QList<Review>> &reviewsByQuestion,
                                  const QDateTime &when)
{
    return replayPool(questionIds, reviewsByQuestion).groupChances(when);
}

ExamForecast forecastExamDay(const PoolMemory &memory, int passMark, const QDateTime &when)
{
    return forecastExam(memory.groupChances(when), passMark);
}

ExamForecast forecastExamDay(const QStringList &questionIds,
                             const QHash<QString, QList<Review>> &reviewsByQuestion, int passMark,
                             const QDateTime &when)
{
    return forecastExamDay(replayPool(questionIds, reviewsByQuestion), passMark, when);
}

ExamMoment examMoment(const std::optional<QDateTime> &remembered, const QDateTime &now)
{
    if (remembered && remembered->isValid() && *remembered >= now)
        return {*remembered, std::nullopt};
    ExamMoment moment{now.addSecs(24 * 3600), std::nullopt};
    if (remembered && remembered->isValid())
        moment.passed = remembered;
    return moment;
}

} // namespace forecast
