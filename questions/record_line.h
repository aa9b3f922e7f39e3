#pragma once
// The rules of a record's line 0, the identifier line such as "T1A01 (B) [97.1]": where its
// identifier ends, its answer mark "(X)" and reference, and the heading the study window
// makes of it. Every reader of a pool's line 0 uses these.

#include <QChar>
#include <QString>
#include <QStringView>

namespace questions {

// The identifier line 0 starts with: its text up to the first space, tab or "(".
QStringView identifierOf(QStringView line0);

// What is wrong with line 0's answer mark, the first "(", a letter A to D, ")".
enum class MarkFault { None, Missing, Malformed, OutsideAToD };
MarkFault markFault(QStringView line0);

// The letter of a well-formed mark; null for any fault.
QChar answerLetter(QStringView line0);

// The study window's looser rule: whatever character follows the first "(" counts as the
// correct letter (a mark such as "(c)" or "(B" still answers to that character); null
// when nothing follows a "(".
QChar studyAnswerLetter(QStringView line0);

// The study window's heading text: line 0 with the three characters from its first "("
// cut out, everything else kept; empty when fewer than three characters start there.
QString headingOf(QStringView line0);

// The first "[...]" of line 0 at or after `from`, as written; empty when there is none.
QStringView referenceIn(QStringView line0, qsizetype from);

} // namespace questions
