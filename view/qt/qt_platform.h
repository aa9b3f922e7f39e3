#pragma once
// The screen, the services and the sound player of the view on Qt.

#include "view/seams.h"
#include "view/view.h"

#include <QPointer>
#include <QWidget>

#include <memory>

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

class SoundBackend;

// Short waveform sounds through QSoundEffect. A new sound stops and releases the one
// before; a missing or broken file, a missing sound module or no audio device gives
// silence, and nothing ever waits for a sound to load or end. Qt Multimedia lives in a
// module (qt_sound_module.h) loaded at the first sound or by prepare(), never at start.
class QtSoundPlayer final : public view::SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(const QString &path) override;
    void close() override;
    // Loads the module in the background a second after the event loop starts, so that
    // the first sound after it starts without that wait.
    void prepare() override;

    // The QSoundEffect loading or playing now, if any (for tests).
    QObject *current() const;
    // Whether this player has played through Qt Multimedia, and whether its prepare() has
    // begun loading it (for tests).
    bool loaded() const { return m_backend != nullptr; }
    bool prepared() const { return m_prepared; }

private:
    SoundBackend *backend();

    std::unique_ptr<SoundBackend> m_backend;
    QObject m_pending; // the receiver of a prepare() still to run; it goes with the player
    bool m_prepared = false;
};

} // namespace view::qt
