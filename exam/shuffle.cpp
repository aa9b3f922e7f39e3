#include "exam/shuffle.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>

namespace exam {

namespace {

int indexOf(QChar letter)
{
    const int i = letter.unicode() - u'A';
    return i >= 0 && i < 4 ? i : -1;
}

} // namespace

Reference referenceIn(QStringView choice)
{
    // A capital A-D as a word, joined to another or named as a choice: "A and B", "B or C",
    // "answer C". The article "A" alone ("A 50-ohm load") is no reference.
    static const QRegularExpression byLetter(
        QStringLiteral("\\b[A-D]\\b\\s*(,|and|or|&)\\s*\\b[A-D]\\b|\\b(?i:choices?|answers?)\\s+[A-D]\\b"));
    static const QRegularExpression allOthers(
        QStringLiteral(
            "\\b(all|none|any|each|both)\\s+(of\\s+)?(these|the|the\\s+other)\\s+(choices|answers)\\b|"
            "\\b(all|none|any)\\s+of\\s+the\\s+above\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (byLetter.match(choice.toString()).hasMatch())
        return Reference::ByLetter;
    if (allOthers.match(choice.toString()).hasMatch())
        return Reference::AllOthers;
    return Reference::None;
}

ChoiceOrder shuffledOrder(const std::array<QString, 4> &choices, QRandomGenerator &random)
{
    int movable = 4;
    for (int i = 0; i < 4; ++i) {
        const Reference ref = referenceIn(choices[std::size_t(i)]);
        if (ref == Reference::ByLetter || (ref == Reference::AllOthers && i != 3))
            return kPoolOrder;
        if (ref == Reference::AllOthers)
            movable = 3;
    }
    ChoiceOrder order = kPoolOrder;
    // Fisher-Yates over the movable front.
    for (int i = movable - 1; i > 0; --i)
        std::swap(order[std::size_t(i)], order[std::size_t(random.bounded(i + 1))]);
    return order;
}

QChar poolLetter(const ChoiceOrder &order, QChar shown)
{
    const int i = indexOf(shown);
    return i < 0 ? shown : QChar(u'A' + order[std::size_t(i)]);
}

QChar shownLetter(const ChoiceOrder &order, QChar letter)
{
    const int i = indexOf(letter);
    if (i < 0)
        return letter;
    const auto at = std::find(order.begin(), order.end(), i);
    return QChar(u'A' + int(at - order.begin()));
}

} // namespace exam
