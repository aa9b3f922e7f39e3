#pragma once
// Records the study window's first attempts in the progress store. The engine calls its
// listeners after the feedback is shown, so the write never delays the feedback.

#include "engine/study_events.h"

#include <QList>
#include <QString>

#include <functional>

class QDateTime;

namespace progress {
class Store;
struct AnswerRecord;
} // namespace progress

namespace mainwindow {

class StudyRecorder final : public engine::StudyListener
{
public:
    // `clock` gives the moment of an answer; tests hand a fixed one.
    explicit StudyRecorder(progress::Store &store, std::function<QDateTime()> clock = {});
    // Without a store yet: answers wait, with their moments, until attachStore.
    explicit StudyRecorder(std::function<QDateTime()> clock = {});
    ~StudyRecorder() override;

    // Writes the answers that waited, then every answer as it comes.
    void attachStore(progress::Store &store);

    void poolLoaded(const questions::Pool &pool) override;
    void poolLoadFailed() override;
    void firstAttempt(const questions::Question &question, QChar chosen, bool correct, bool hinted) override;

    // The key of the loaded pool; empty before a load and after a failed one.
    QString poolKey() const { return m_poolKey; }

private:
    progress::Store *m_store = nullptr;
    std::function<QDateTime()> m_clock;
    QString m_poolKey;
    QList<progress::AnswerRecord> m_waiting;
};

} // namespace mainwindow
