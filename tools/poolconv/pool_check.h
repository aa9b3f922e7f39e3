#pragma once
// What the study program would make of a pool file: it is read with the program's own
// reader (by byte-order mark, else UTF-8 when valid, else Windows-1252; three delimited header fields; then
// seven-line records, at most 1501; an incomplete last record not counted; any line
// after the 1501st record a load failure), and each record is checked for what the
// study window could not show or score: a line 0 without a valid "(X)" mark, an empty
// question, a choice line shorter than its four-character prefix.

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
};

PoolCheck checkPool(const QByteArray &bytes, Diagnostics &diagnostics);

// The identifier a record's line 0 starts with: its text up to the first space or "(".
QString identifierOf(const QString &line0);

} // namespace poolconv
