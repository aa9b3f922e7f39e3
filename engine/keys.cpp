// The key table and auto-advance.
#include "engine/study_state.h"

namespace engine {

void StudyEngine::KeyDown(int &keyCode)
{
    switch (keyCode) {
    case KeyA: AnswerClicked(0); break;
    case KeyB: AnswerClicked(1); break;
    case KeyC: AnswerClicked(2); break;
    case KeyD: AnswerClicked(3); break;
    case KeyE: NewTest(); break;
    case KeyI: ResetHistory(); break;
    case KeyK: Back20(); break;
    case KeyL: LeastCorrect(); break;
    case KeyN: Next(); break;
    case KeyP: Previous(); break;
    case KeyR: RandomQuestion(); break;
    case KeyW: Forward20(); break;
    default: return;
    }
    keyCode = 0;
}

void StudyEngine::Timer1Tick()
{
    if (!m_c.Timer1->isEnabled())
        return;
    if (m_state.randomMode)
        RandomQuestion();
    else
        Next();
    m_c.Timer1->setEnabled(false);
}

} // namespace engine
