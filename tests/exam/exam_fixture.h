#pragma once
// Pools read from text made for the exam tests: groups of the NCVEC form with as many
// questions as asked, five groups to a subelement, every answer (A) unless changed.

#include "questions/pool.h"

#include <QList>

#include <functional>

namespace examtest {

// Changes record `index` (in file order) before the pool is read: its identifier line and
// its question text.
using RecordEdit = std::function<void(int index, QByteArray &line0, QByteArray &question)>;

// groupSizes[i] questions in group i; element 'T', 'G' or 'E'. Question "T1A01" reads
// "Question T1A01", its choices "Choice A of T1A01" .. "Choice D of T1A01" unless `choices`
// gives the four every question has.
questions::Pool makePool(QChar element, const QList<int> &groupSizes, const RecordEdit &edit = {},
                         const QList<QByteArray> &choices = {});
// The same number of questions in each of `groups` groups.
questions::Pool makePool(QChar element, int groups, int perGroup, const RecordEdit &edit = {},
                         const QList<QByteArray> &choices = {});

} // namespace examtest
