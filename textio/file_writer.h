#pragma once
// Replacing a file's contents whole: the program's remembered class and poolconv's output.

#include <QByteArrayView>
#include <QString>

namespace textio {

enum class InPlace {
    Never,            // only through a temporary file renamed into place
    WhenFolderRefuses // in place when the folder takes no temporary file but the file is writable
};

// Writes bytes to path through a temporary file renamed into place, so a crash or a full
// disk leaves the previous file whole. A symbolic link is written through to its target.
// Anything that exists and is not a regular file (a device, FIFO, socket or folder, or a
// link to one) is left alone. Returns the reason for a failure, in words, or empty.
QString replaceFile(const QString &path, QByteArrayView bytes, InPlace inPlace = InPlace::Never);

// Removes temporary files of path ("NAME.XXXXXX") older than a minute, left by a writer
// killed mid-write. A younger one may be another running copy's write in progress.
void removeStaleTemporaries(const QString &path);

} // namespace textio
