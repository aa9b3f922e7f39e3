#pragma once
// The exam rules in one place: what an NCVEC question identifier looks like, the subelement
// and group it names, which element a pool is for, and each element's exam (one question per
// group, how many must be right). The study window, the practice exam, the Progress window
// and the forecast all read them from here, so they never disagree.

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

namespace questions {

class Pool;

// "T1A01": element letter T, G or E, subelement digit, group letter, two-digit number.
bool isNcvecId(QStringView id);

// The subelement ("T1") and group ("T1A") of an NCVEC identifier; empty for any other text.
QString subelementOf(QStringView id);
QString groupOf(QStringView id);

struct ExamRules
{
    QChar element;     // 'T', 'G' or 'E'
    QString className; // "Technician"
    int questions = 0; // one per group
    int passMark = 0;  // right answers needed to pass
};

// The rules of element 'T', 'G' or 'E'; nothing for any other letter.
std::optional<ExamRules> examRulesFor(QChar element);

// The element of a pool, read from the NCVEC groups its identifiers name (never from one
// record alone): null when there are none or they name more than one element.
QChar examElementOf(const Pool &pool);

// The rules of the pool's element; nothing for a pool with no NCVEC groups or mixed elements.
std::optional<ExamRules> examRulesFor(const Pool &pool);

} // namespace questions
