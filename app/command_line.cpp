#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace app {

std::optional<int> handleInfoOptions(int argc, char *argv[])
{
    // A core application only: it needs no display.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(EXAMORA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "main", "A study aid for the US amateur-radio licence exams: the question pools one question at a "
                "time, practice exams under the real rules, drills, progress and the chance to pass, "
                "and the band privileges of each licence class."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Unknown options are Qt's own or the desktop's; they are left for the window system.
    parser.parse(QCoreApplication::arguments());
    QTextStream out(stdout);
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << u' ' << QCoreApplication::applicationVersion() << u'\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace app
