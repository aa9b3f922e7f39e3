#pragma once
// The screen, the services and the sound player of the view on Qt.

#include "view/seams.h"
#include "view/view.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QSoundEffect;

namespace view::qt {

// The screen a widget is on (the primary screen when it has none); the work area is
// the screen's available geometry.
class QtScreen final : public Screen
{
public:
    explicit QtScreen(QWidget *window = nullptr) : m_window(window) {}
    double widthTwips() const override;
    double heightTwips() const override;
    std::optional<double> workAreaWidthTwips() const override;
    std::optional<double> workAreaHeightTwips() const override;

private:
    QPointer<QWidget> m_window;
};

class QtServices final : public Services
{
public:
    explicit QtServices(QWidget *window) : m_window(window) {}
    void messageBox(const QString &text, const QString &title) override;
    void beep() override;
    // Paints the whole window at once, without handling any input meanwhile.
    void repaintNow() override;

private:
    QPointer<QWidget> m_window;
};

// Short waveform sounds through QSoundEffect. A new sound stops and releases the one
// before; a missing or broken file, or no audio device, gives silence, and nothing
// ever waits for a sound to load or end.
class QtSoundPlayer final : public view::SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(const QString &path) override;
    void close() override;

    // The sound loading or playing now, if any (for tests).
    QSoundEffect *current() const;

private:
    QPointer<QSoundEffect> m_effect;
};

} // namespace view::qt
