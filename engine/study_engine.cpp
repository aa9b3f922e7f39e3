// The engine's making and its listeners.
#include "engine/study_state.h"

namespace engine {

StudyEngine::StudyEngine(const StudyControls &controls, view::Services &services, RandomSource &random,
                         SoundPlayer &sound, QString exeDir, QString startDir)
    : m_c(controls), m_services(services), m_random(random), m_sound(sound), m_exeDir(std::move(exeDir)),
      m_startDir(std::move(startDir))
{
}

void StudyEngine::addListener(StudyListener *listener)
{
    if (listener != nullptr)
        m_listeners.push_back(listener);
}

} // namespace engine
