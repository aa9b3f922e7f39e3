// Loading a question pool into the study state.
#include "engine/study_state.h"
#include "engine/text_reader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace engine {

int toIndex(float value)
{
    if (!std::isfinite(value) || std::fabs(value) > float(std::numeric_limits<int>::max() / 2))
        return -1;
    return int(std::nearbyint(value)); // the default rounding mode: nearest, halves to even
}

const ExamClassInfo &infoFor(ExamClass examClass)
{
    static const std::array<ExamClassInfo, 3> table{{
        {ExamClass::Technician, "questech.txt", 'T'},
        {ExamClass::General, "quesgen.txt", 'G'},
        {ExamClass::Extra, "quesextra.txt", 'E'},
    }};
    return table[std::size_t(examClass)];
}

void StudyEngine::ResetForNewPool()
{
    m_c.mnuGeneral->setChecked(false);
    m_c.mnuExtra->setChecked(false);
    m_c.mnuTechnician->setChecked(false);
    m_state.questionCount = 0;
    m_state.totalIncorrect = 0;
    m_state.totalCorrect = 0;
    m_state.currentQuestion = 0;
    setScoreResetTexts();
    // The last slot is left alone on purpose: it is the one a full pool's last record uses.
    std::fill(m_state.questionScore.begin(), m_state.questionScore.end() - 1, 0.0f);
}

QString StudyEngine::poolFilePath(ExamClass examClass) const
{
    const QString name = QString::fromLatin1(infoFor(examClass).poolFile);
    if (!m_userPoolDir.isEmpty()) {
        const QString userPool = m_userPoolDir + u'/' + name;
        if (QFileInfo(userPool).isFile())
            return userPool;
    }
    return name; // by bare name in startDir, the current directory
}

bool StudyEngine::LoadPool(ExamClass examClass)
{
    const ExamClassInfo &info = infoFor(examClass);
    ResetForNewPool();
    view::MenuItem *item = examClass == ExamClass::Technician ? m_c.mnuTechnician
                           : examClass == ExamClass::General  ? m_c.mnuGeneral
                                                              : m_c.mnuExtra;
    item->setChecked(true);

    const auto fail = [this] {
        m_services.beep();
        m_services.messageBox(QStringLiteral("Error opening question pool."),
                              QStringLiteral("Error Opening Question Pool."));
        ShowQuestion();
        return false;
    };

    if (m_state.startDir.isEmpty() || !QDir::setCurrent(m_state.startDir))
        return fail();
    const FileRead file = readWholeFile(poolFilePath(examClass));
    if (!file.bytes)
        return fail();
    TextReader reader(decodeText(*file.bytes));

    const std::optional<QString> title = reader.readField();
    if (!title)
        return fail();
    m_c.Label12->setText(*title);
    const std::optional<QString> effective = reader.readField();
    if (!effective)
        return fail();
    m_c.Label13->setText(QStringLiteral("Effective: ") + *effective);
    if (!reader.readField())
        return fail();

    int lineNumber = 0;
    while (!reader.atEnd()) {
        if (m_state.questionCount > 1500)
            return fail();
        auto &record = m_state.questionPool[std::size_t(toIndex(m_state.questionCount))];
        // Copied into the slot's own buffer, which a previous load has usually sized already.
        const QStringView line = *reader.readLineView();
        QString &slot = record[std::size_t(lineNumber)];
        slot.resize(line.size());
        std::copy(line.begin(), line.end(), slot.begin());
        if (++lineNumber > 6) {
            lineNumber = 0;
            m_state.questionCount += 1;
        }
    }

    m_state.currentQuestion = 0;
    ShowQuestion();
    SaveExamClass(info.letter);
    return true;
}

} // namespace engine
