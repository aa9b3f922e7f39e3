// Any bytes as "questech.txt": the load, then a short study session on whatever it gave.
#include "tests/engine/study_fixture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto *fixture = new testing::StudyFixture; // one set of folders for the whole run
    auto &f = *fixture;
    f.writeStartFile(QStringLiteral("questech.txt"),
                     QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    f.engine->RecordStartDirectory();
    f.engine->LoadPool(engine::ExamClass::Technician);
    f.random.draws = {0.3f, 0.9f, 0.5f};
    f.engine->CheckAnswer(u'A');
    f.engine->Hint();
    f.engine->Next();
    f.engine->CheckAnswer(u'C');
    f.engine->Back20();
    f.engine->RandomQuestion();
    f.engine->LeastCorrect();
    f.engine->Timer1Tick();
    f.services.m_messages.clear();
    return 0;
}
