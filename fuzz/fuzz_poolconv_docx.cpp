// Any bytes as a Word release (a zip holding word/document.xml), and any bytes as that
// XML itself, through to the parsed release.
#include "tools/poolconv/diagnostics.h"
#include "tools/poolconv/release_parser.h"
#include "tools/poolconv/source_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // A small unpacking bound keeps each run short; the bound itself is what is exercised.
    for (const poolconv::SourceRead &read :
         {poolconv::readDocxRelease(bytes, 4 * 1024 * 1024), poolconv::paragraphsFromDocumentXml(bytes)}) {
        if (!read.text)
            continue;
        poolconv::Diagnostics diagnostics(QStringLiteral("fuzz.docx"));
        poolconv::parseRelease(*read.text, diagnostics);
    }
    return 0;
}
