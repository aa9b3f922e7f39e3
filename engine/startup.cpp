// Start-up: the start directory and the remembered exam class in "test.txt".
#include "engine/study_state.h"
#include "textio/file_writer.h"
#include "textio/text_reader.h"

#include <QFileInfo>

namespace engine {

namespace {
// "test.txt" holds five bytes; anything far larger is not ours to read whole.
constexpr qint64 kMaxExamClassFileBytes = 64 * 1024;
} // namespace

QString StudyEngine::examClassFilePath() const
{
    return m_exeDir + QStringLiteral("/test.txt");
}

void StudyEngine::RecordStartDirectory()
{
    m_state.startDir = m_startDir;
    m_state.startDrive = m_state.startDir.left(1);
}

void StudyEngine::RestoreExamClass()
{
    // With Audio On ticked the sound is readied in the background after the window shows.
    if (m_c.Check1->value() == 1)
        m_sound.prepare();
    const QString path = examClassFilePath();
    textio::removeStaleTemporaries(path);
    bool loaded = true;
    if (!QFileInfo::exists(path)) {
        loaded = LoadPool(ExamClass::Technician);
    } else {
        const textio::FileRead file = textio::readWholeFile(path, kMaxExamClassFileBytes);
        const std::optional<QString> field =
            file.bytes ? textio::TextReader(textio::decodeText(*file.bytes)).readField() : std::nullopt;
        if (!field) {
            LoadPool(ExamClass::Technician); // nothing more is tried after this one
            return;
        }
        if (*field == u"T")
            loaded = LoadPool(ExamClass::Technician);
        else if (*field == u"G")
            loaded = LoadPool(ExamClass::General);
        else if (*field == u"E")
            loaded = LoadPool(ExamClass::Extra);
        else
            return; // an unknown class loads nothing; the user picks one from the Test menu
    }
    // A class whose pool gave no question at all falls back to Technician, once.
    if (!loaded && m_state.questionCount == 0)
        LoadPool(ExamClass::Technician);
}

void StudyEngine::SaveExamClass(char letter)
{
    // Replaced whole, so a crash or a full disk leaves the previous file. When the program's
    // folder takes no temporary file but "test.txt" itself is writable, it is written in
    // place. Failures are silent by design.
    const char bytes[] = {'"', letter, '"', '\r', '\n'};
    // A file that already holds the class (every start but a class change) is left as it
    // is: reading five bytes is far cheaper than a replacement and its flush.
    const textio::FileRead current = textio::readWholeFile(examClassFilePath(), sizeof bytes);
    if (current.bytes && *current.bytes == QByteArrayView(bytes, sizeof bytes))
        return;
    (void)textio::replaceFile(examClassFilePath(), QByteArrayView(bytes, sizeof bytes),
                              textio::InPlace::WhenFolderRefuses);
}

} // namespace engine
