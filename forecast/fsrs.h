#pragma once

// The memory model behind the chance to pass: FSRS-6 with its published default parameters.
// Each recorded answer to a question is one review; replaying a question's reviews in time
// order gives its memory state (stability, difficulty), and from that the probability it is
// recalled at a later moment.

#include <QDateTime>
#include <QList>
#include <QTimeZone>

#include <optional>
#include <vector>

namespace forecast {

enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct Review
{
    QDateTime at; // UTC
    Rating rating;
};

// Study days start at 04:00 local time, as in spaced-repetition tools generally: answers late
// in the evening and just after midnight belong to the same day. The zone's offsets are looked
// up once per stretch between two of its transitions, so counting days over many answers stays
// cheap.
class StudyDays final
{
public:
    explicit StudyDays(QTimeZone zone = QTimeZone::systemTimeZone());

    // The study day of a moment (milliseconds since the epoch): consecutive days differ by 1.
    qint64 dayOf(qint64 msSinceEpoch) const;
    const QTimeZone &zone() const { return m_zone; }

private:
    struct Span
    {
        qint64 from, to; // [from, to) in milliseconds since the epoch
        qint64 offsetMs;
    };
    qint64 offsetAt(qint64 ms) const;

    QTimeZone m_zone;
    mutable std::vector<Span> m_spans; // sorted by from, not overlapping
};

// Memory state after a card's last review.
struct MemoryState
{
    double stability = 0;  // days until recall falls to 90 %
    double difficulty = 0; // 1 (easiest) .. 10 (hardest)
    QDateTime lastReview;
};

// Replays the reviews with short-term stability for same-day reviews and no fuzz. The time
// between two reviews is the number of study days between them. Reviews are put in time
// order and those without a valid time left out; nullopt when none is left.
std::optional<MemoryState> memoryState(const QList<Review> &reviews, const StudyDays &days = StudyDays());

// One card during a replay, in plain numbers: the state memoryState() ends with, stepped one
// review at a time.
struct CardState
{
    double stability = 0;
    double difficulty = 0;
    qint64 day = 0;    // study day of the last review
    qint64 lastMs = 0; // the last review, milliseconds since the epoch
};
CardState firstReview(qint64 ms, Rating rating, const StudyDays &days);
void nextReview(CardState &card, qint64 ms, Rating rating, const StudyDays &days);
// Recall at `whenMs` from the exact time since the last review; none elapsed before it.
double recallAt(const CardState &card, qint64 whenMs);

// Recall probability after `elapsedDays` for a memory of stability `stability`.
double retrievability(double elapsedDays, double stability);

// FSRS-6 retrievability at `when` of a card reviewed with these reviews: the exact time since
// the last review in days (milliseconds / 86 400 000) on the forgetting curve, a `when` before
// the last review counting as no time. nullopt when there are no reviews or `when` is not a
// valid time.
std::optional<double> recallProbability(const QList<Review> &reviews, const QDateTime &when,
                                        const StudyDays &days = StudyDays());

// Rating of one recorded answer: wrong -> Again, right after a hint -> Hard, right -> Good.
Rating ratingFor(bool correct, bool hinted);

// Chance of a right answer from a recall probability: p = R + (1 - R) / 4, because a question
// not recalled is still guessed right one time in four.
double withGuessing(double recall);

} // namespace forecast
