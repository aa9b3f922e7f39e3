#pragma once
// A study engine wired to in-memory controls, fixed draws and a recording sound
// player, working in its own temporary start and program folders.

#include "engine/study_state.h"
#include "tests/pool_text.h"
#include "view/memory_view.h"

#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>

namespace testing {

class FixedRandom final : public engine::RandomSource
{
public:
    void reseed() override { ++reseeds; }
    float draw() override
    {
        if (draws.empty())
            return 0.0f;
        const float value = draws.front();
        draws.pop_front();
        return value;
    }
    std::deque<float> draws;
    int reseeds = 0;
};

class RecordingSound final : public engine::SoundPlayer
{
public:
    void play(const QString &path) override { played << path; }
    void close() override { ++closes; }
    QStringList played;
    int closes = 0;
};

class StudyFixture
{
public:
    // exeDirPath, when given, replaces the temporary program folder.
    explicit StudyFixture(const QString &exeDirPath = {});

    void writeStartFile(const QString &name, const QByteArray &bytes) const;
    void writeExamClassFile(const QByteArray &bytes) const;
    QByteArray examClassFileBytes() const;
    void start(); // records the start directory, then restores the remembered class

    view::memory::MemLabel *label(const QString &name) { return window.label(name); }
    QString text(const QString &name) { return label(name)->text(); }
    engine::StudyState &state() { return engine->state(); }
    int current() const { return engine::toIndex(engine->state().currentQuestion); }
    bool checked(const QString &name);

    QTemporaryDir startDir;
    QTemporaryDir exeDir;
    QString exePath; // where test.txt lives
    view::memory::MemoryWindow window;
    view::memory::MemServices services;
    FixedRandom random;
    RecordingSound sound;
    view::memory::MemCheckBox *check1 = nullptr;
    view::memory::MemCheckBox *check2 = nullptr;
    view::memory::MemTimer *timer1 = nullptr;
    std::unique_ptr<engine::StudyEngine> engine;
};

} // namespace testing
