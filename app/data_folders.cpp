#include "app/data_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace app {

namespace {
// The program's folder name under the user's data and configuration homes. Fixed here, not
// taken from the application name, so that poolconv finds the same folders as the program.
const QString kFolderName = QStringLiteral("examora");
} // namespace

bool holdsQuestionPool(const QString &dir)
{
    const QDir folder(dir);
    const QStringList names = questions::poolFileNames();
    return std::any_of(names.cbegin(), names.cend(),
                       [&folder](const QString &name) { return QFileInfo(folder.filePath(name)).isFile(); });
}

QString installedDataFolder(const QString &programDir)
{
    return QDir::cleanPath(programDir + u'/' + QStringLiteral(EXAMORA_DATA_FROM_BINDIR));
}

QString userConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + kFolderName;
}

DataFolders locateDataFolders(const QString &workingDir, const QString &programDir)
{
    const QString installed = installedDataFolder(programDir);
    // Started inside the installed data folder itself: still installed, "test.txt" is the user's.
    const bool inInstalled =
        QFileInfo(workingDir).canonicalFilePath() == QFileInfo(installed).canonicalFilePath();
    if (!holdsQuestionPool(installed) || (holdsQuestionPool(workingDir) && !inInstalled))
        return {workingDir, programDir, {}};
    return {installed, userConfigFolder(), userPoolFolder()};
}

} // namespace app
