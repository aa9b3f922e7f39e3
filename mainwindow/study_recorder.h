#pragma once
// Records the study window's first attempts in the progress store. The engine calls its
// listeners after the feedback is shown, so the write never delays the feedback.

#include "engine/study_events.h"

#include <QString>

#include <functional>

class QDateTime;

namespace progress {
class Store;
}

namespace mainwindow {

class StudyRecorder final : public engine::StudyListener
{
public:
    // `clock` gives the moment of an answer; tests hand a fixed one.
    explicit StudyRecorder(progress::Store &store, std::function<QDateTime()> clock = {});

    void poolLoaded(const questions::Pool &pool) override;
    void firstAttempt(const questions::Question &question, QChar chosen, bool correct, bool hinted) override;

    QString poolKey() const { return m_poolKey; }

private:
    progress::Store &m_store;
    std::function<QDateTime()> m_clock;
    QString m_poolKey;
};

} // namespace mainwindow
