#pragma once
// Pools made in memory for the exam tests: groups of the NCVEC form with as many questions
// as asked, five groups to a subelement, every answer (A) unless changed.

#include "questions/pool.h"

#include <QList>

namespace examtest {

// groupSizes[i] questions in group i; element 'T', 'G' or 'E'.
questions::Pool makePool(QChar element, const QList<int> &groupSizes);
// The same number of questions in each of `groups` groups.
questions::Pool makePool(QChar element, int groups, int perGroup);
// Rebuilds groups and subelements from the questions; subelement T1 gets the title "Title of T1".
void regroup(questions::Pool &pool);

} // namespace examtest
