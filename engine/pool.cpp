// Loading a question pool into the study state.
#include "engine/study_state.h"
#include "questions/pool_file.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace engine {

const ExamClassInfo &infoFor(ExamClass examClass)
{
    static const std::array<ExamClassInfo, 3> table{{
        {ExamClass::Technician, 'T'},
        {ExamClass::General, 'G'},
        {ExamClass::Extra, 'E'},
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
    const QString name = questions::poolFileName(QChar::fromLatin1(infoFor(examClass).letter));
    if (!m_userPoolDir.isEmpty()) {
        const QString userPool = m_userPoolDir + u'/' + name;
        if (QFileInfo(userPool).isFile())
            return userPool;
    }
    return m_state.startDir + u'/' + name;
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
        m_pool = {};
        m_loadedUserPoolFolder.clear();
        for (StudyListener *listener : m_listeners)
            listener->poolLoadFailed();
        m_services.beep();
        m_services.messageBox(QStringLiteral("Error opening question pool."),
                              QStringLiteral("Error Opening Question Pool."));
        ShowQuestion();
        return false;
    };

    // The folder must be one the program may enter, as reading from it by bare name required.
    const QFileInfo startDir(m_state.startDir);
    if (m_state.startDir.isEmpty() || !startDir.isDir() || !startDir.isExecutable())
        return fail();
    const QString path = poolFilePath(examClass);
    const QString shipped = m_state.startDir + u'/' + questions::poolFileName(QChar::fromLatin1(info.letter));
    questions::PoolParse parse = questions::loadPoolFile(path);
    m_loadedUserPoolFolder = path != shipped ? QFileInfo(path).absolutePath() : QString();
    // The user's copy of a release without subelement headings takes its titles from the
    // shipped pool's table of contents, when that is of the same release.
    if (parse.ok() && path != shipped)
        questions::borrowTableOfContents(parse.pool, path, shipped);

    // The window shows what was read before any failure: the header fields as far as they
    // got, then the records, each in the row of its number; the lines of an incomplete
    // last record go into the next row without being counted.
    if (parse.headerFields >= 1)
        m_c.Label12->setText(parse.pool.title);
    if (parse.headerFields >= 2)
        m_c.Label13->setText(QStringLiteral("Effective: ") + parse.pool.effective);
    m_state.questionPool.lay(parse.pool);
    m_state.questionCount = float(parse.pool.questions.size());
    if (!parse.ok())
        return fail();

    m_pool = std::move(parse.pool);
    m_state.currentQuestion = 0;
    for (StudyListener *listener : m_listeners)
        listener->poolLoaded(m_pool);
    ShowQuestion();
    SaveExamClass(info.letter);
    return true;
}

} // namespace engine
