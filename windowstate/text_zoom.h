#pragma once
// The text size of a window's questions and choices: a base size (at least the desktop's,
// and at least what the caller asks for, such as the study window's scaled question size)
// enlarged or reduced in steps of an eighth by Ctrl + plus / minus, back to the base by
// Ctrl + 0. The step is remembered under the window's key.

#include <QObject>
#include <QString>

class QWidget;

namespace windowstate {

class TextZoom final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextZoom)

public:
    // Adds the shortcuts to `window`; reads the remembered step under `key`.
    TextZoom(QWidget &window, QString key);

    // The size at step 0 becomes the larger of `pointSize` and the window's default.
    void setBaseSize(double pointSize);
    double baseSize() const { return m_base; }
    double pointSize() const;
    int steps() const { return m_steps; }

    void zoomIn() { setSteps(m_steps + 1); }
    void zoomOut() { setSteps(m_steps - 1); }
    void reset() { setSteps(0); }
    void setSteps(int steps); // bounded to [kMinSteps, kMaxSteps], remembered

    static constexpr int kMinSteps = -4;
    static constexpr int kMaxSteps = 10;
    static constexpr double kStep = 1.125;

Q_SIGNALS:
    void changed(double pointSize);

private:
    QString m_key;
    double m_default;
    double m_base;
    int m_steps = 0;
};

} // namespace windowstate
