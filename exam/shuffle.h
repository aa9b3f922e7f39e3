#pragma once
// Shuffled choices, as many examiners present them. The order is only the display: the
// answer recorded is always the pool's letter, so the store and the forecast never see it.
//
// A choice that refers to the others only makes sense in its place. "All these choices are
// correct" or "None of these choices is correct" stays the last choice while the others are
// shuffled; a question where such a choice is not last, or where a choice names another by
// its letter ("Both A and B are correct"), keeps the pool's order.

#include <QChar>
#include <QString>

#include <array>

class QRandomGenerator;

namespace exam {

// order[shown] is the pool's index (0..3) of the choice shown at display position `shown`.
using ChoiceOrder = std::array<int, 4>;

constexpr ChoiceOrder kPoolOrder{0, 1, 2, 3};

// How a choice refers to the others: not at all, as a whole ("All these ..."), or by letter.
enum class Reference { None, AllOthers, ByLetter };
Reference referenceIn(QStringView choice);

// A random order that respects the references above.
ChoiceOrder shuffledOrder(const std::array<QString, 4> &choices, QRandomGenerator &random);

// The pool's letter of the choice shown as `shown`, and the letter the pool's `letter` is
// shown as; a null or out-of-range letter stays as it is.
QChar poolLetter(const ChoiceOrder &order, QChar shown);
QChar shownLetter(const ChoiceOrder &order, QChar letter);

} // namespace exam
