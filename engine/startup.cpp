// Start-up: the start directory and the remembered exam class in "test.txt".
#include "engine/study_state.h"
#include "textio/text_reader.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace engine {

namespace {
// "test.txt" holds five bytes; anything far larger is not ours to read whole.
constexpr qint64 kMaxExamClassFileBytes = 64 * 1024;
} // namespace

QString StudyEngine::examClassFilePath() const { return m_exeDir + QStringLiteral("/test.txt"); }

void StudyEngine::RecordStartDirectory()
{
    m_state.startDir = QDir::currentPath();
    m_state.startDrive = m_state.startDir.left(1);
}

void StudyEngine::RestoreExamClass()
{
    const QString path = examClassFilePath();
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
    // Written through a temporary file and renamed into place, so a crash or a full
    // disk leaves the previous file whole. Failures are silent by design.
    // Unbuffered, so a short write (a full disk) shows here: a buffered QSaveFile flushes
    // at commit and renames a truncated file into place when that flush falls short.
    QSaveFile file(examClassFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const char bytes[] = {'"', letter, '"', '\r', '\n'};
    if (file.write(bytes, sizeof bytes) != qint64(sizeof bytes)) {
        file.cancelWriting();
        return;
    }
    file.commit();
}

} // namespace engine
