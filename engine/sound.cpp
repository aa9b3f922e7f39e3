// Audio feedback: the sound files, "Audio On" and closing the sound device.
#include "engine/study_state.h"

namespace engine {

void StudyEngine::PlaySound(const QString &name)
{
    m_sound.play(m_state.startDir + u'/' + name + QStringLiteral(".wav"));
}

void StudyEngine::Check1Clicked()
{
    m_c.Command1->setFocus();
    // Sounds are now wanted: the audio is set up while the user reads, not at the first answer.
    if (m_c.Check1->value() == 1)
        m_sound.prepare();
}

void StudyEngine::Unload()
{
    m_sound.close();
}

} // namespace engine
