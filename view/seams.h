#pragma once
// The program's chance and sound as the study engine sees them: interfaces only, with
// nothing behind them here. The engine's clock-seeded source and the Qt sound player
// implement them; tests put fixed draws and a recorder in their place.

#include <QString>

namespace view {

// Uniform draws in [0, 1); the engine reseeds it before every draw.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    virtual float draw() = 0;
};

// Plays a waveform file in the background. Every failure is swallowed inside.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Stops and releases the sound before, then starts this one without waiting.
    virtual void play(const QString &path) = 0;
    virtual void close() = 0;
    // Readies the audio ahead of the first sound, without waiting for it; optional.
    virtual void prepare() {}
};

} // namespace view
