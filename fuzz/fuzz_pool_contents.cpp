// Any bytes as a pool's table of contents, applied to a small pool.
#include "questions/pool.h"
#include "questions/table_of_contents.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const questions::Pool base = [] {
        QByteArray text = "\"Pool\",\"2026\",\"src\"\r\n";
        for (const char *id : {"T1A01", "T1B01", "T2A01", "T0C01"})
            text += QByteArray(id) + " (A)\r\nQ?\r\nA.  a\r\nB.  b\r\nC.  c\r\nD.  d\r\n~~\r\n";
        return questions::parsePool(text).pool;
    }();
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    questions::Pool pool = base;
    questions::applyTableOfContents(pool, bytes);
    pool.index();
    // What was read must write back and read again to the same entries.
    const QList<questions::TocEntry> entries = questions::parseTableOfContents(bytes);
    const QList<questions::TocEntry> again =
        questions::parseTableOfContents(questions::formatTableOfContents(entries, QStringLiteral("x")));
    if (again.size() != entries.size())
        __builtin_trap();
    return 0;
}
