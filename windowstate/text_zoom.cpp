#include "windowstate/text_zoom.h"

#include "windowstate/window_state.h"

#include <QSettings>
#include <QShortcut>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace windowstate {

TextZoom::TextZoom(QWidget &window, QString key)
    : QObject(&window), m_key(std::move(key)), m_default(window.font().pointSizeF()), m_base(m_default)
{
    if (m_default <= 0) // a font set in pixels
        m_base = m_default = 9;
    m_steps = std::clamp(openSettings()->value(m_key + QStringLiteral("/textSteps"), 0).toInt(), kMinSteps,
                         kMaxSteps);
    const auto add = [&window, this](const QKeySequence &keys, void (TextZoom::*action)()) {
        connect(new QShortcut(keys, &window), &QShortcut::activated, this, action);
    };
    add(QKeySequence::ZoomIn, &TextZoom::zoomIn);
    // Ctrl + = is Ctrl + plus without the Shift many keyboards need for "+".
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), &TextZoom::zoomIn);
    add(QKeySequence::ZoomOut, &TextZoom::zoomOut);
    add(QKeySequence(Qt::CTRL | Qt::Key_0), &TextZoom::reset);
}

void TextZoom::setBaseSize(double pointSize)
{
    m_base = std::max(m_default, pointSize);
    Q_EMIT changed(this->pointSize());
}

double TextZoom::pointSize() const
{
    return m_base * std::pow(kStep, m_steps);
}

void TextZoom::setSteps(int steps)
{
    const int bounded = std::clamp(steps, kMinSteps, kMaxSteps);
    if (bounded == m_steps)
        return;
    m_steps = bounded;
    openSettings()->setValue(m_key + QStringLiteral("/textSteps"), m_steps);
    Q_EMIT changed(pointSize());
}

} // namespace windowstate
