#include "tools/poolconv/convert.h"

#include "questions/pool_file.h"
#include "tools/poolconv/pool_writer.h"
#include "tools/poolconv/release_parser.h"
#include "tools/poolconv/source_reader.h"

#include <QFileInfo>
#include <QLockFile>

#include <optional>

namespace poolconv {

namespace {
constexpr int kLockWaitMs = 60000;
} // namespace

ConvertResult convert(const ConvertOptions &options, Diagnostics &diag)
{
    ConvertResult result;
    diag.setFile(options.input);
    const SourceRead read = readSourceFile(options.input);
    if (!read.text) {
        diag.error({}, {}, read.error);
        return result;
    }
    const Release release = parseRelease(*read.text, diag);
    result.questions = int(release.questions.size());
    result.withdrawn = int(release.withdrawn.size());
    if (!release.questions.isEmpty()) {
        result.firstId = release.questions.first().id;
        result.lastId = release.questions.last().id;
    }

    PoolHeader header;
    header.title = options.title.value_or(defaultTitle(release.element));
    header.effective = options.effective.value_or(release.effective);
    header.source = options.source.value_or(
        release.releaseName.isEmpty() ? QStringLiteral("NCVEC question pool release") : release.releaseName);
    if (header.effective.isEmpty())
        diag.error(
            {}, {},
            QStringLiteral("the release names no pool years: give the effective dates with --effective"));
    else if (const QString problem = headerProblem(header); !problem.isEmpty())
        diag.error({}, {}, QStringLiteral("cannot write the header: ") + problem);
    if (diag.hasErrors())
        return result;

    // The pool and its table of contents are one pair: a second poolconv writing into the
    // same folder waits, so neither is left with the other's half.
    const QFileInfo folder(QFileInfo(options.output).absolutePath());
    std::optional<QLockFile> lock;
    if (folder.isDir()) {
        lock.emplace(folder.absoluteFilePath() + QStringLiteral("/.poolconv.lock"));
        if (!lock->tryLock(kLockWaitMs) && lock->error() == QLockFile::LockFailedError) {
            diag.setFile(options.output);
            diag.error({}, {}, QStringLiteral("another poolconv is still writing into this folder"));
            return result;
        }
    }

    const QString failure = writeFileAtomically(options.output, formatPool(header, release.questions));
    if (!failure.isEmpty()) {
        diag.setFile(options.output);
        diag.error({}, {}, failure);
        return result;
    }
    result.written = true;

    // The table of contents goes beside the pool; a release without headings leaves none.
    if (release.contents.isEmpty()) {
        diag.notice({}, {}, QStringLiteral("no subelement or group headings: no table of contents written"));
        return result;
    }
    const QString tocPath = questions::tableOfContentsPath(options.output);
    const QString tocFailure = writeFileAtomically(
        tocPath, questions::formatTableOfContents(
                     release.contents, QStringLiteral("Subelement and group titles from ") + header.source));
    if (!tocFailure.isEmpty()) {
        diag.setFile(tocPath);
        diag.error({}, {}, tocFailure);
        return result;
    }
    result.tableOfContents = tocPath;
    return result;
}

} // namespace poolconv
