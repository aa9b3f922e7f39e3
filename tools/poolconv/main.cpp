// poolconv: converts an NCVEC question-pool release (.txt or .docx) into the pool file
// the study program reads, checking it on the way, and writes the release's table of
// contents beside it; --check reports what the program would load from a pool file.
#include "tools/poolconv/convert.h"
#include "tools/poolconv/pool_check.h"
#include "tools/poolconv/source_reader.h"

#include "questions/pool_file.h"

#include "textio/text_reader.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

const char kUsage[] = "usage: poolconv [--title T] [--effective E] [--source S] INPUT OUTPUT\n"
                      "       poolconv --check POOLFILE\n";

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
        out << "\n  title: " << check.title << "\n  effective: " << check.effective << "\n";
    }
    // The table of contents beside it, when there is one.
    const QString tocPath = questions::tableOfContentsPath(path);
    const textio::FileRead toc =
        check.loads ? textio::readWholeFile(tocPath, poolconv::kMaxInputBytes) : textio::FileRead{};
    if (toc.bytes) {
        poolconv::Diagnostics tocDiag(tocPath);
        const int titled = poolconv::checkContents(check.pool, *toc.bytes, tocDiag);
        printDiagnostics(tocDiag);
        out << "  contents: " << tocPath << ", " << titled << " of "
            << check.pool.subelements.size() + check.pool.groups.size() << " titled\n";
    }
    return check.loads && !diag.hasErrors() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);

    if (args.size() == 2 && args[0] == u"--check")
        return runCheck(args[1]);

    poolconv::ConvertOptions options;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        std::optional<QString> *target = arg == u"--title"       ? &options.title
                                         : arg == u"--effective" ? &options.effective
                                         : arg == u"--source"    ? &options.source
                                                                 : nullptr;
        if (target) {
            if (i + 1 >= args.size())
                return usage(arg + QStringLiteral(" needs a value"));
            *target = args[++i];
        } else if (arg == u"--help" || arg == u"-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return usage(QStringLiteral("unknown option ") + arg);
        } else {
            positional.append(arg);
        }
    }
    if (positional.size() != 2)
        return usage(QStringLiteral("give one INPUT and one OUTPUT"));
    options.input = positional[0];
    options.output = positional[1];

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
