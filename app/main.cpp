// The program's entry: the data folders, the application with its study window shown, and the event loop.
#include "app/application.h"
#include "app/command_line.h"
#include "app/data_folders.h"
#include "mainwindow/fonts.h"
#include "progress/store.h"

#include <QApplication>
#include <QDir>

#include <csignal>

int main(int argc, char *argv[])
{
    if (const std::optional<int> done = app::handleInfoOptions(argc, argv))
        return *done;
    // A file-size limit (ulimit -f) then fails the write with EFBIG, which every writer
    // reports, instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(EXAMORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("examora"));
    mainwindow::installFontSubstitutions();

    // The pools, figures, sounds and band plan are read from the data folder by full path;
    // the working directory is left as it was.
    const app::DataFolders folders =
        app::locateDataFolders(QDir::currentPath(), QCoreApplication::applicationDirPath());
    if (!folders.userPoolDir.isEmpty())
        QDir().mkpath(folders.examClassDir); // "test.txt" is written there after the first load

    // The study window shows first; the store opens once the event loop runs.
    app::Application application(folders.examClassDir, folders.dataDir);
    application.setUserPoolFolder(folders.userPoolDir);
    application.start([] { return std::make_unique<progress::Store>(); });
    return app.exec();
}
