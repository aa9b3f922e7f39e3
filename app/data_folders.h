#pragma once
// Where the program finds its data and keeps its own file.
//
// A run from a folder that holds the question pools (./run, a copied folder) keeps the
// program's own rules: pools, band plan and sounds come from the working directory at start and
// "test.txt" lives beside the program. An installed program started anywhere else finds
// its data in the installed data folder, <program folder>/../share/examora, reads the
// user's own pools (installed by `poolconv --install`) before the shipped ones, and keeps
// "test.txt" in the user's configuration folder, since the program's folder is not the
// user's to write. Where neither folder holds a pool, the working directory stays, as before.

#include "questions/pool_file.h"

#include <QString>
#include <QStringList>

namespace app {

struct DataFolders
{
    QString dataDir;      // the start directory: pools, band plan, sounds, figures
    QString examClassDir; // holds "test.txt"
    QString userPoolDir;  // pools found here come first; empty for a run from a folder
};

// True when dir holds at least one of the three question-pool files.
bool holdsQuestionPool(const QString &dir);

// The installed data folder for a program in programDir.
QString installedDataFolder(const QString &programDir);

// The user's own pools (questions::userPoolFolder).
using questions::userPoolFolder;

// The user's configuration folder: <config home>/examora.
QString userConfigFolder();

DataFolders locateDataFolders(const QString &workingDir, const QString &programDir);

} // namespace app
