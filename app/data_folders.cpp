#include "app/data_folders.h"

#include "engine/study_state.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

namespace {
// The program's folder name under the user's data and configuration homes. Fixed here, not
// taken from the application name, so that poolconv finds the same folders as the program.
const QString kFolderName = QStringLiteral("examora");
} // namespace

bool holdsQuestionPool(const QString &dir)
{
    const QDir folder(dir);
    for (const engine::ExamClass examClass :
         {engine::ExamClass::Technician, engine::ExamClass::General, engine::ExamClass::Extra}) {
        if (QFileInfo(folder.filePath(QString::fromLatin1(engine::infoFor(examClass).poolFile))).isFile())
            return true;
    }
    return false;
}

QString installedDataFolder(const QString &programDir)
{
    return QDir::cleanPath(programDir + u'/' + QStringLiteral(EXAMORA_DATA_FROM_BINDIR));
}

QString userPoolFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + kFolderName +
           QStringLiteral("/pools");
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
