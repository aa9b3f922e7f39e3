// Audio feedback: the sound files, "Audio On" and closing the sound device.
#include "engine/study_state.h"

namespace engine {

void StudyEngine::PlaySound(const QString &name)
{
    m_sound.play(m_state.startDir + u'/' + name + QStringLiteral(".wav"));
}

void StudyEngine::Check1Clicked() { m_c.Command1->setFocus(); }

void StudyEngine::Unload() { m_sound.close(); }

} // namespace engine
