// The program's entry: the data folders, the study window, loaded and shown, and the event loop.
#include "app/command_line.h"
#include "app/data_folders.h"
#include "mainwindow/fonts.h"
#include "mainwindow/form1.h"
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

    // The load handler records the working directory as the start directory, so an
    // installed program started elsewhere moves into its data folder first.
    const app::DataFolders folders =
        app::locateDataFolders(QDir::currentPath(), QCoreApplication::applicationDirPath());
    if (folders.dataDir != QDir::currentPath())
        QDir::setCurrent(folders.dataDir);
    if (!folders.userPoolDir.isEmpty())
        QDir().mkpath(folders.examClassDir); // "test.txt" is written there after the first load

    mainwindow::Form1 form(folders.examClassDir);
    form.engine().setUserPoolFolder(folders.userPoolDir);
    form.attachProgress(std::make_unique<progress::Store>());
    form.Form_Load();
    form.show();
    return app.exec();
}
