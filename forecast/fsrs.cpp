#include "forecast/fsrs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace forecast {
namespace {

// FSRS-6 default parameters, as published with the reference scheduler.
constexpr std::array<double, 21> w = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                      0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                      1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

constexpr double minStability = 0.001;
constexpr double maxStability = 36500;
constexpr qint64 msPerDay = 86'400'000;

// The reference scheduler rounds each intermediate figure to 8 decimals; doing the same keeps
// long review histories in step with it instead of drifting by the last few bits.
double round8(double x)
{
    return std::floor(x * 1e8 + 0.5) / 1e8;
}

double decayFactor()
{
    static const double factor = round8(std::pow(0.9, -1.0 / w[20]) - 1);
    return factor;
}

double initialDifficulty(int g)
{
    return round8(w[4] - std::exp((g - 1) * w[5]) + 1);
}

double nextDifficulty(double d, int g)
{
    const double delta = -w[6] * (g - 3);
    const double damped = d + round8(delta * (10 - d) / 9); // linear damping towards 10
    const double reverted = round8(w[7] * initialDifficulty(4) + (1 - w[7]) * damped);
    return std::clamp(reverted, 1.0, 10.0);
}

double recallStability(double d, double s, double r, int g)
{
    const double hardPenalty = g == 2 ? w[15] : 1;
    const double easyBonus = g == 4 ? w[16] : 1;
    const double growth = std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) * (std::exp((1 - r) * w[10]) - 1);
    return round8(std::clamp(s * (1 + growth * hardPenalty * easyBonus), minStability, maxStability));
}

double forgetStability(double d, double s, double r)
{
    const double after =
        w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) * std::exp((1 - r) * w[14]);
    const double lapsed = round8(std::clamp(after, minStability, maxStability));
    // A lapse never leaves the memory stronger than a same-day Again would.
    return std::clamp(round8(s / std::exp(w[17] * w[18])), minStability, lapsed);
}

double shortTermStability(double s, int g)
{
    double growth = std::pow(s, -w[19]) * std::exp(w[17] * (g - 3 + w[18]));
    if (g >= 2)
        growth = std::max(growth, 1.0);
    return round8(std::clamp(s * growth, minStability, maxStability));
}

// Day number of a moment in UTC: two reviews on the same UTC calendar day are 0 days apart.
qint64 utcDay(qint64 ms)
{
    return ms >= 0 ? ms / msPerDay : -((-ms + msPerDay - 1) / msPerDay);
}

} // namespace

double retrievability(double elapsedDays, double stability)
{
    return round8(std::pow(1 + decayFactor() * elapsedDays / stability, -w[20]));
}

std::optional<MemoryState> memoryState(const QList<Review> &reviews)
{
    // Replay in time order; answers with no readable time cannot be placed and are left out.
    QList<std::pair<qint64, int>> timeline;
    timeline.reserve(reviews.size());
    for (const Review &review : reviews) {
        if (review.at.isValid())
            timeline.append(
                {review.at.toMSecsSinceEpoch(), std::clamp(static_cast<int>(review.rating), 1, 4)});
    }
    if (timeline.isEmpty())
        return std::nullopt;
    const auto byTime = [](const auto &a, const auto &b) { return a.first < b.first; };
    if (!std::is_sorted(timeline.cbegin(), timeline.cend(), byTime))
        std::stable_sort(timeline.begin(), timeline.end(), byTime);

    const int first = timeline.front().second;
    double d = std::clamp(initialDifficulty(first), 1.0, 10.0);
    double s = std::max(w[first - 1], 0.1);
    qint64 lastDay = utcDay(timeline.front().first);
    for (qsizetype i = 1; i < timeline.size(); ++i) {
        const auto [ms, g] = timeline.at(i);
        const qint64 day = utcDay(ms);
        const qint64 elapsed = day - lastDay;
        if (elapsed == 0) {
            s = shortTermStability(s, g);
        } else {
            const double r = retrievability(static_cast<double>(elapsed), s);
            s = g == 1 ? forgetStability(d, s, r) : recallStability(d, s, r, g);
        }
        d = nextDifficulty(d, g);
        lastDay = day;
    }
    return MemoryState{s, d, QDateTime::fromMSecsSinceEpoch(timeline.back().first, Qt::UTC)};
}

std::optional<double> recallProbability(const QList<Review> &reviews, const QDateTime &when)
{
    if (!when.isValid())
        return std::nullopt;
    const std::optional<MemoryState> state = memoryState(reviews);
    if (!state)
        return std::nullopt;
    // Whole 24-hour days since the last review, as the reference counts them; a moment before
    // the last review counts as no time at all.
    const qint64 elapsed = std::max<qint64>(state->lastReview.msecsTo(when), 0) / msPerDay;
    return retrievability(static_cast<double>(elapsed), state->stability);
}

Rating ratingFor(bool correct, bool hinted)
{
    if (!correct)
        return Rating::Again;
    return hinted ? Rating::Hard : Rating::Good;
}

double answerChance(const QList<Review> &reviews, const QDateTime &when)
{
    const std::optional<double> r = recallProbability(reviews, when);
    return r ? *r + (1 - *r) / 4 : 0.25;
}

} // namespace forecast
