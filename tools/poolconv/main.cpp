// poolconv: converts an NCVEC question-pool release (.txt or .docx) into the pool file
// the study program reads, checking it on the way, and writes the release's table of
// contents beside it; --install writes both into the user's own pool folder; --check
// reports what the program would load from a pool file.
#include "tools/poolconv/convert.h"
#include "tools/poolconv/pool_check.h"
#include "tools/poolconv/source_reader.h"

#include "questions/pool_file.h"
#include "questions/table_of_contents.h"

#include "textio/text_reader.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

namespace {

const char kUsage[] = "usage: poolconv [--title T] [--effective E] [--source S] INPUT OUTPUT\n"
                      "       poolconv --install [--title T] [--effective E] [--source S] INPUT POOLFILE\n"
                      "       poolconv --check POOLFILE\n"
                      "Try 'poolconv --help' for the options.\n";

int usage(const QString &problem)
{
    QTextStream err(stderr);
    err << "poolconv: " << problem << "\n" << kUsage;
    return 2;
}

void printDiagnostics(const poolconv::Diagnostics &diag)
{
    QTextStream err(stderr);
    for (const poolconv::Diagnostic &d : diag.all())
        err << d.toString() << "\n";
}

int runCheck(const QString &path)
{
    poolconv::Diagnostics diag(path);
    const textio::FileRead file = textio::readWholeFile(path, poolconv::kMaxInputBytes);
    if (!file.bytes) {
        diag.error({}, {},
                   file.error == textio::ReadError::TooLarge
                       ? QStringLiteral("too large to be a question pool")
                       : textio::describe(file.error));
        printDiagnostics(diag);
        return 1;
    }
    const poolconv::PoolCheck check = poolconv::checkPool(*file.bytes, diag);
    printDiagnostics(diag);
    QTextStream out(stdout);
    if (check.loads || check.questionCount > 0) {
        out << path << ": " << (check.loads ? "loads " : "fails to load after ") << check.questionCount
            << " question(s)";
        if (check.questionCount > 0)
            out << ", " << check.firstId << " to " << check.lastId;
        // The header is the file's text: shown escaped, like every message quoting a file.
        out << "\n  title: " << poolconv::escapedForTerminal(check.title)
            << "\n  effective: " << poolconv::escapedForTerminal(check.effective) << "\n";
    }
    // The table of contents beside it, when there is one.
    const QString tocPath = questions::tableOfContentsPath(path);
    const textio::FileRead toc =
        check.loads ? textio::readWholeFile(tocPath, questions::kMaxTocBytes) : textio::FileRead{};
    if (check.loads && toc.error == textio::ReadError::TooLarge) {
        poolconv::Diagnostics tocDiag(tocPath);
        tocDiag.notice({}, {},
                       QStringLiteral("over %1 bytes: not a table of contents; the program ignores it")
                           .arg(questions::kMaxTocBytes));
        printDiagnostics(tocDiag);
    }
    if (toc.bytes) {
        poolconv::Diagnostics tocDiag(tocPath);
        const int titled = poolconv::checkContents(check.pool, *toc.bytes, tocDiag);
        printDiagnostics(tocDiag);
        out << "  contents: " << tocPath << ", " << titled << " of "
            << check.pool.subelements.size() + check.pool.groups.size() << " titled\n";
    }
    return check.loads && !diag.hasErrors() ? 0 : 1;
}

// The pool file name for --install: one of the three the program reads, without a folder.
bool isPoolFileName(const QString &name)
{
    return questions::poolFileNames().contains(name);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(EXAMORA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts an NCVEC question-pool release (.docx or .txt) into the pool file the study program\n"
        "reads, checking every question; the output is written only when the release has no fault."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption title(QStringLiteral("title"),
                                   QStringLiteral("The pool's title (default: its class and element)."),
                                   QStringLiteral("T"));
    const QCommandLineOption effective(
        QStringLiteral("effective"),
        QStringLiteral("The effective dates, e.g. \"7/1/2026 - 6/30/2030\" (default: from a Word release's "
                       "title page; a text release needs it)."),
        QStringLiteral("E"));
    const QCommandLineOption source(
        QStringLiteral("source"),
        QStringLiteral("The release's name (default: from a Word release's title page)."),
        QStringLiteral("S"));
    const QCommandLineOption install(
        QStringLiteral("install"),
        QStringLiteral("Write the pool into your own pool folder (%1) as POOLFILE, one of questech.txt, "
                       "quesgen.txt, quesextra.txt; the installed program reads it before its own.")
            .arg(questions::userPoolFolder()));
    const QCommandLineOption check(QStringLiteral("check"),
                                   QStringLiteral("Report what the program would load from POOLFILE."));
    parser.addOptions({title, effective, source, install, check});
    parser.addPositionalArgument(QStringLiteral("INPUT"), QStringLiteral("The release to convert."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"),
                                 QStringLiteral("The pool file to write (with --install: its name)."));

    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        parser.showVersion(); // exits
    }
    const QStringList positional = parser.positionalArguments();

    if (parser.isSet(check)) {
        if (positional.size() != 1 || parser.isSet(install))
            return usage(QStringLiteral("--check takes one POOLFILE and no other option"));
        return runCheck(positional[0]);
    }

    poolconv::ConvertOptions options;
    for (const auto &[option, target] :
         {std::pair{&title, &options.title}, std::pair{&effective, &options.effective},
          std::pair{&source, &options.source}}) {
        if (parser.isSet(*option))
            *target = parser.value(*option);
    }
    if (positional.size() != 2)
        return usage(QStringLiteral("give one INPUT and one OUTPUT"));
    options.input = positional[0];
    options.output = positional[1];
    if (parser.isSet(install)) {
        if (!isPoolFileName(options.output))
            return usage(
                QStringLiteral("--install needs POOLFILE questech.txt, quesgen.txt or quesextra.txt, not ") +
                options.output);
        const QString folder = questions::userPoolFolder();
        if (!QDir().mkpath(folder)) {
            QTextStream(stderr) << "poolconv: " << folder << ": error: the folder cannot be made\n";
            return 1;
        }
        options.output = folder + u'/' + options.output;
    }

    poolconv::Diagnostics diag;
    const poolconv::ConvertResult result = poolconv::convert(options, diag);
    printDiagnostics(diag);
    if (!result.written) {
        QTextStream(stderr) << "poolconv: " << options.output << " not written\n";
        return 1;
    }
    QTextStream(stdout) << options.output << ": " << result.questions << " question(s), " << result.firstId
                        << " to " << result.lastId << "; " << result.withdrawn
                        << " withdrawn question(s) skipped\n";
    if (!result.tableOfContents.isEmpty())
        QTextStream(stdout) << result.tableOfContents << ": "
                            << "table of contents\n";
    return diag.hasErrors() ? 1 : 0;
}
