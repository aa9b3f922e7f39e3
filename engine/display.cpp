// Showing the question at currentQuestion.
#include "engine/study_state.h"
#include "questions/record_line.h"

namespace engine {

QStringView StudyEngine::poolLine(int line) const
{
    // Outside the rows there is no record to show: everything reads as empty text.
    return m_state.questionPool.line(toIndex(m_state.currentQuestion), line);
}

QChar StudyEngine::correctLetter() const
{
    return questions::studyAnswerLetter(poolLine(0));
}

const questions::Question *StudyEngine::displayedQuestion() const
{
    // Rows 0 .. count-1 hold the loaded pool's records; any other row is not its question.
    const int q = toIndex(m_state.currentQuestion);
    if (q < 0 || q >= m_pool.questions.size())
        return nullptr;
    return &m_pool.questions[q];
}

void StudyEngine::ShowQuestion()
{
    m_state.answered = 0;
    m_hinted = false;
    m_c.Label11->setVisible(false);
    for (view::Label *choice : m_c.lblDist)
        choice->setEnabled(true);
    for (view::Button *button : m_c.cmdAnswer)
        button->setVisible(true);

    m_c.lblQuestion->setText(poolLine(1).toString());
    for (int i = 0; i < 4; ++i)
        m_c.lblDist[std::size_t(i)]->setText(poolLine(2 + i).mid(4).toString()); // shorter lines show empty

    // A line 0 without a whole mark shows no identifier rather than a wrong one.
    const QString identifier = questions::headingOf(poolLine(0));
    const int q = toIndex(m_state.currentQuestion);
    if (q < 0 || q >= kPoolRows)
        m_c.Label1->setText(QString());
    else
        m_c.Label1->setText(QStringLiteral(" Question # ") + QString::number(q + 1) + QStringLiteral("  ") +
                            identifier);

    const questions::Question *shown = displayedQuestion();
    for (StudyListener *listener : m_listeners)
        listener->questionShown(shown);
}

} // namespace engine
