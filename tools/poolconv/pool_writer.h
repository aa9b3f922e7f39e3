#pragma once
// Writing a pool file the study program reads: CR LF line ends, UTF-8, a header of
// three quoted fields (title, effective dates, source release), then seven lines per
// question: the identifier line, the question, choices A to D behind a four-character
// prefix ("A.  "), and "~~".

#include "tools/poolconv/release_parser.h"

#include <QByteArray>
#include <QString>

namespace poolconv {

struct PoolHeader
{
    QString title;
    QString effective;
    QString source;
};

// "Technician Pool (Element 2)" for 'T', and so on; empty for another letter.
QString defaultTitle(QChar element);

// Why this header cannot be written (a field the reader would cut short), or empty.
QString headerProblem(const PoolHeader &header);

QByteArray formatPool(const PoolHeader &header, const QList<Question> &questions);

// Writes all of bytes to path or nothing: the old file, if any, stays until the new one
// is complete, and a device, FIFO or socket named as path is refused. Returns the reason
// for a failure, or empty.
QString writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace poolconv
