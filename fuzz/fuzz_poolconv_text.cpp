// Any bytes as a plain-text pool release: parsed and checked, and any bytes as a pool
// file: checked with the study program's own reading rules.
#include "tools/poolconv/diagnostics.h"
#include "tools/poolconv/pool_check.h"
#include "tools/poolconv/release_parser.h"
#include "tools/poolconv/source_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    poolconv::Diagnostics diagnostics(QStringLiteral("fuzz.txt"));
    const poolconv::SourceRead read = poolconv::readTextRelease(bytes);
    if (read.text) {
        const poolconv::Release release = poolconv::parseRelease(*read.text, diagnostics);
        // A release that converts cleanly carries no answer key outside A to D.
        for (const poolconv::Question &q : release.questions)
            if (!diagnostics.hasErrors() && (q.answer < u'A' || q.answer > u'D'))
                __builtin_trap();
    }
    poolconv::Diagnostics check(QStringLiteral("fuzz.txt"));
    poolconv::checkPool(bytes, check);
    return 0;
}
