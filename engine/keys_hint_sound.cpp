// The engine's seams, the hint, the key table, auto-advance and sound.
#include "engine/study_state.h"

#include <chrono>
#include <cmath>

namespace engine {

void ClockRandom::reseed()
{
    m_state = std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

float ClockRandom::draw()
{
    // splitmix64: one well-mixed 64-bit value per draw; its top 24 bits make a float in [0, 1).
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return float(z >> 40) * 0x1.0p-24f;
}

StudyEngine::StudyEngine(const StudyControls &controls, view::Services &services, RandomSource &random,
                         SoundPlayer &sound, QString exeDir)
    : m_c(controls), m_services(services), m_random(random), m_sound(sound), m_exeDir(std::move(exeDir))
{
}

void StudyEngine::Hint()
{
    bool anyEnabled = false;
    for (view::Label *choice : m_c.lblDist)
        anyEnabled = anyEnabled || choice->isEnabled();
    if (anyEnabled) {
        const QChar correct = correctLetter();
        m_random.reseed();
        float u = m_random.draw();
        if (!(u >= 0.0f && u < 1.0f))
            u = 0.0f;
        const float scaled = u * 3.0f;
        int k = int(std::nearbyint(scaled)) + 1; // 1..4; the ends come up half as often
        if (QChar(u'A' + k - 1) == correct)
            k = k % 4 + 1;
        view::Label *removed = m_c.lblDist[std::size_t(k - 1)];
        removed->setEnabled(false);
        removed->setText(QString());
        m_hinted = true;
    }
    m_c.Command1->setFocus();
}

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

void StudyEngine::PlaySound(const QString &name)
{
    m_sound.play(m_state.startDir + u'/' + name + QStringLiteral(".wav"));
}

void StudyEngine::addListener(StudyListener *listener)
{
    if (listener != nullptr)
        m_listeners.push_back(listener);
}

void StudyEngine::Check1Clicked() { m_c.Command1->setFocus(); }

void StudyEngine::Unload() { m_sound.close(); }

} // namespace engine
