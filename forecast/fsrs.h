#pragma once

// The memory model behind the chance to pass: FSRS-6 with its published default parameters.
// Each recorded answer to a question is one review; replaying a question's reviews in time
// order gives its memory state (stability, difficulty), and from that the probability it is
// recalled at a later moment.

#include <QDateTime>
#include <QList>

#include <optional>

namespace forecast {

enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct Review
{
    QDateTime at; // UTC
    Rating rating;
};

// Memory state after a card's last review.
struct MemoryState
{
    double stability = 0;  // days until recall falls to 90 %
    double difficulty = 0; // 1 (easiest) .. 10 (hardest)
    QDateTime lastReview;
};

// Replays the reviews with short-term stability for same-day reviews and no fuzz. As in the
// reference scheduler, the time between two reviews is the number of UTC calendar days between
// them (two minutes across midnight UTC is a day; 23 hours within one UTC day is none).
// Reviews are put in time order and those without a valid time left out; nullopt when none is
// left.
std::optional<MemoryState> memoryState(const QList<Review> &reviews);

// Recall probability after `elapsedDays` for a memory of stability `stability`.
double retrievability(double elapsedDays, double stability);

// FSRS-6 retrievability at `when` of a card reviewed with these reviews in time order.
// The time since the last review is counted in whole 24-hour days, as the reference counts it
// for retrievability, so recall is 1 for less than a day; a `when` before the last review
// counts as no time. nullopt when there are no reviews or `when` is not a valid time.
std::optional<double> recallProbability(const QList<Review> &reviews, const QDateTime &when);

// Rating of one recorded answer: wrong -> Again, right after a hint -> Hard, right -> Good.
Rating ratingFor(bool correct, bool hinted);

// Chance of a right answer to a four-choice question: p = R + (1 - R) / 4, because a question
// not recalled is still guessed right one time in four; 0.25 for a question never answered.
double answerChance(const QList<Review> &reviews, const QDateTime &when);

} // namespace forecast
