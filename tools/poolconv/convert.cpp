#include "tools/poolconv/convert.h"

#include "questions/pool_file.h"
#include "tools/poolconv/pool_writer.h"
#include "tools/poolconv/release_parser.h"
#include "tools/poolconv/source_reader.h"

namespace poolconv {

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
