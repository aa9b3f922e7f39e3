#pragma once
// The seam between QtSoundPlayer and the sound module, the one part of the program that
// links Qt Multimedia. The player loads the module on the first sound (or when told to
// prepare), so that Qt Multimedia and the audio libraries it brings are not loaded at start.

#include <QString>

class QObject;

namespace view::qt {

// Plays checked wave files through QSoundEffect.
class SoundBackend
{
public:
    virtual ~SoundBackend() = default;
    // Stops and releases the sound before, then plays this file once it has loaded.
    virtual void play(const QString &path) = 0;
    virtual void stop() = 0;
    // The QSoundEffect loading or playing now, if any.
    virtual QObject *current() const = 0;
};

// The module's entry point: extern "C" SoundBackend *examoraSoundBackend().
using MakeSoundBackend = SoundBackend *(*)();
inline constexpr char kSoundModuleEntry[] = "examoraSoundBackend";
inline constexpr char kSoundModuleFile[] = "examora_sound.so";

} // namespace view::qt
