#pragma once
// What the study program would make of a pool file: it is read by the program's own
// pool parser, and the parser's findings on each record are reported with what only a
// check needs to know: a character the study window could not show as written, a file
// read as Windows-1252, a pool without a single complete question.

#include "questions/pool.h"
#include "questions/record_line.h"

#include <QByteArray>
#include <QString>

namespace poolconv {

class Diagnostics;

struct PoolCheck
{
    bool loads = false; // the program's load succeeds
    QString failure;    // why it fails, when it does
    bool windows1252 = false;
    QString title;         // as the program shows it
    QString effective;     // shown after "Effective: "
    int questionCount = 0; // complete records
    int leftoverLines = 0; // lines of an incomplete last record
    QString firstId;
    QString lastId;
    questions::Pool pool; // as the program reads it
};

PoolCheck checkPool(const QByteArray &bytes, Diagnostics &diagnostics);

// Checks a table of contents against the pool it belongs to: lines the program skips,
// entries that name nothing in the pool, and subelements or groups left without a title.
// All are notices: the pool loads whatever its table holds. Returns the titles it gives.
int checkContents(const questions::Pool &pool, const QByteArray &toc, Diagnostics &diagnostics);

using questions::identifierOf;

} // namespace poolconv
