#pragma once
// A pool file and the table of contents beside it, read from disk.

#include "questions/pool.h"

#include <QStringList>

namespace questions {

// The pool file of an exam element: "questech.txt" for 'T', "quesgen.txt" for 'G',
// "quesextra.txt" for 'E'; empty for any other letter.
QString poolFileName(QChar element);
// The three pool files, Technician, General, Extra.
QStringList poolFileNames();

// The user's own pools, which the program reads before the shipped ones and
// `poolconv --install` writes: <data home>/examora/pools. A subfolder, so that it is never
// the folder a per-user install (prefix ~/.local) writes the shipped data to.
QString userPoolFolder();

// The table of contents of a pool file: beside it, its extension replaced by ".toc".
QString tableOfContentsPath(const QString &poolPath);

// Applies the table of contents beside poolPath when it can be read; otherwise the pool
// keeps the titles it has.
void loadTableOfContents(Pool &pool, const QString &poolPath);

// A pool read from poolPath with no table of contents beside it borrows the one beside
// otherPoolPath, when that pool has the same key (element and years) and the table lists
// exactly the pool's subelements. Returns whether it did.
bool borrowTableOfContents(Pool &pool, const QString &poolPath, const QString &otherPoolPath);

// Reads and parses a pool file, then its table of contents. A file that cannot be read
// is an error of line 0 that says why.
PoolParse loadPoolFile(const QString &path);

} // namespace questions
