// Moving through the loaded pool.
#include "engine/study_state.h"

#include <cmath>

namespace engine {

void StudyEngine::Next()
{
    m_state.randomMode = 0;
    m_c.Timer1->setEnabled(false); // cancels a pending auto-advance
    m_state.currentQuestion += 1;
    if (m_state.currentQuestion > m_state.questionCount - 1)
        m_state.currentQuestion = 0;
    ShowQuestion();
}

void StudyEngine::Previous()
{
    m_state.randomMode = 0;
    m_state.currentQuestion -= 1;
    if (m_state.currentQuestion < 0)
        m_state.currentQuestion = m_state.questionCount - 1;
    ShowQuestion();
}

void StudyEngine::Forward20()
{
    m_state.randomMode = 0;
    m_state.currentQuestion += 20;
    if (m_state.currentQuestion > m_state.questionCount - 1)
        m_state.currentQuestion = 0;
    ShowQuestion();
    m_c.Command1->setFocus();
}

void StudyEngine::Back20()
{
    m_state.randomMode = 0;
    m_state.currentQuestion -= 20;
    if (m_state.currentQuestion < 0)
        m_state.currentQuestion = m_state.questionCount - 1;
    ShowQuestion();
    m_c.Command1->setFocus();
}

void StudyEngine::RandomQuestion()
{
    m_state.randomMode = 1;
    m_random.reseed();
    float r = m_random.draw();
    if (!(r >= 0.0f && r < 1.0f))
        r = 0.0f; // a source outside [0, 1) must not move past the pool
    m_state.currentQuestion = float(std::floor(double(r) * double(m_state.questionCount)));
    ShowQuestion();
}

void StudyEngine::LeastCorrect()
{
    float lowest = 100000;
    const int count = std::min(toIndex(m_state.questionCount), kPoolRows);
    for (int i = 0; i < count; ++i) {
        if (m_state.questionScore[std::size_t(i)] < lowest) {
            lowest = m_state.questionScore[std::size_t(i)];
            m_state.currentQuestion = float(i);
        }
    }
    ShowQuestion();
}

} // namespace engine
