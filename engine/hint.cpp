// The hint: one wrong choice removed at random.
#include "engine/study_state.h"

#include <cmath>

namespace engine {

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

} // namespace engine
