#pragma once
// One conversion, from a release file to a pool file, as the command line runs it:
// read, parse and check, and write only when no error was found.

#include "tools/poolconv/diagnostics.h"

#include <QString>

#include <optional>

namespace poolconv {

struct ConvertOptions
{
    QString input;
    QString output;
    std::optional<QString> title;     // default: the pool's class, from its identifiers
    std::optional<QString> effective; // default: 7/1 to 6/30 of the years the release names
    std::optional<QString> source;    // default: the release's own name and issue date
};

struct ConvertResult
{
    bool written = false;
    int questions = 0;
    int withdrawn = 0;
    QString firstId;
    QString lastId;
    QString tableOfContents; // where it was written; empty when none was
};

ConvertResult convert(const ConvertOptions &options, Diagnostics &diagnostics);

} // namespace poolconv
