// Any bytes as "test.txt": the start-up restore, with small pools for every class.
#include "tests/engine/study_fixture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto *fixture = [] {
        auto *f = new testing::StudyFixture;
        f->writeStartFile(QStringLiteral("questech.txt"), testing::poolText({"T1A01 (C) [97.1]"}));
        f->writeStartFile(QStringLiteral("quesgen.txt"), testing::poolText({"G1A01 (A)", "G1A02 (B)"}));
        return f;
    }();
    auto &f = *fixture;
    f.writeExamClassFile(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    f.start();
    // Whatever was read, the file left behind is either untouched or a whole class.
    const QByteArray after = f.examClassFileBytes();
    if (after != "\"T\"\r\n" && after != "\"G\"\r\n" &&
        after != QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)))
        __builtin_trap();
    f.services.m_messages.clear();
    return 0;
}
