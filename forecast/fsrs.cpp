#include "forecast/fsrs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace forecast {
namespace {

// FSRS-6 default parameters, as published with the reference scheduler.
constexpr std::array<double, 21> w = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                      0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                      1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

constexpr double minStability = 0.001;
constexpr double maxStability = 36500;
constexpr qint64 msPerDay = 86'400'000;
constexpr qint64 dayStartMs = 4 * 3'600'000; // a study day starts at 04:00 local time

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

qint64 floorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

StudyDays::StudyDays(QTimeZone zone) : m_zone(zone.isValid() ? std::move(zone) : QTimeZone::utc()) {}

qint64 StudyDays::offsetAt(qint64 ms) const
{
    const auto after = std::upper_bound(m_spans.cbegin(), m_spans.cend(), ms,
                                        [](qint64 t, const Span &span) { return t < span.from; });
    if (after != m_spans.cbegin() && ms < std::prev(after)->to)
        return std::prev(after)->offsetMs;

    // Not seen yet: the stretch between the zone's transitions around this moment.
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    constexpr qint64 highest = std::numeric_limits<qint64>::max();
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    Span span{lowest, highest, qint64(m_zone.offsetFromUtc(at)) * 1000};
    if (m_zone.hasTransitions()) {
        const QTimeZone::OffsetData before = m_zone.previousTransition(at.addMSecs(1));
        const QTimeZone::OffsetData next = m_zone.nextTransition(at);
        if (before.atUtc.isValid())
            span.from = before.atUtc.toMSecsSinceEpoch();
        if (next.atUtc.isValid())
            span.to = next.atUtc.toMSecsSinceEpoch();
        if (span.from > ms || span.to <= ms) // a zone that answers oddly: this moment alone
            span.from = ms, span.to = ms + 1;
    }
    const auto slot = std::upper_bound(m_spans.begin(), m_spans.end(), span.from,
                                       [](qint64 t, const Span &s) { return t < s.from; });
    m_spans.insert(slot, span);
    return span.offsetMs;
}

qint64 StudyDays::dayOf(qint64 msSinceEpoch) const
{
    return floorDiv(msSinceEpoch + offsetAt(msSinceEpoch) - dayStartMs, msPerDay);
}

double retrievability(double elapsedDays, double stability)
{
    return round8(std::pow(1 + decayFactor() * elapsedDays / stability, -w[20]));
}

std::optional<MemoryState> memoryState(const QList<Review> &reviews, const StudyDays &days)
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

    CardState card = firstReview(timeline.front().first, Rating(timeline.front().second), days);
    for (qsizetype i = 1; i < timeline.size(); ++i)
        nextReview(card, timeline.at(i).first, Rating(timeline.at(i).second), days);
    return MemoryState{card.stability, card.difficulty, QDateTime::fromMSecsSinceEpoch(card.lastMs, Qt::UTC)};
}

CardState firstReview(qint64 ms, Rating rating, const StudyDays &days)
{
    const int g = std::clamp(static_cast<int>(rating), 1, 4);
    return {std::max(w[g - 1], 0.1), std::clamp(initialDifficulty(g), 1.0, 10.0), days.dayOf(ms), ms};
}

void nextReview(CardState &card, qint64 ms, Rating rating, const StudyDays &days)
{
    const int g = std::clamp(static_cast<int>(rating), 1, 4);
    const qint64 day = days.dayOf(ms);
    const qint64 elapsed = day - card.day;
    if (elapsed <= 0) {
        card.stability = shortTermStability(card.stability, g);
    } else {
        const double r = retrievability(static_cast<double>(elapsed), card.stability);
        card.stability = g == 1 ? forgetStability(card.difficulty, card.stability, r)
                                : recallStability(card.difficulty, card.stability, r, g);
    }
    card.difficulty = nextDifficulty(card.difficulty, g);
    card.day = std::max(card.day, day);
    card.lastMs = std::max(card.lastMs, ms);
}

double recallAt(const CardState &card, qint64 whenMs)
{
    const qint64 elapsed = whenMs > card.lastMs ? whenMs - card.lastMs : 0;
    return retrievability(static_cast<double>(elapsed) / msPerDay, card.stability);
}

std::optional<double> recallProbability(const QList<Review> &reviews, const QDateTime &when,
                                        const StudyDays &days)
{
    if (!when.isValid())
        return std::nullopt;
    const std::optional<MemoryState> state = memoryState(reviews, days);
    if (!state)
        return std::nullopt;
    return recallAt(CardState{state->stability, state->difficulty, 0, state->lastReview.toMSecsSinceEpoch()},
                    when.toMSecsSinceEpoch());
}

Rating ratingFor(bool correct, bool hinted)
{
    if (!correct)
        return Rating::Again;
    return hinted ? Rating::Hard : Rating::Good;
}

double withGuessing(double recall)
{
    return recall + (1 - recall) / 4;
}

} // namespace forecast
