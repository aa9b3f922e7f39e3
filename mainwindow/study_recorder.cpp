#include "mainwindow/study_recorder.h"

#include "progress/store.h"
#include "questions/pool.h"

#include <QDateTime>

namespace mainwindow {

StudyRecorder::StudyRecorder(progress::Store &store, std::function<QDateTime()> clock)
    : m_store(store), m_clock(clock ? std::move(clock) : [] { return QDateTime::currentDateTimeUtc(); })
{
}

void StudyRecorder::poolLoaded(const questions::Pool &pool)
{
    m_poolKey = pool.key();
}

void StudyRecorder::firstAttempt(const questions::Question &question, QChar chosen, bool correct, bool hinted)
{
    // A record without an identifier or a pool without a key cannot be told apart later.
    if (question.id().isEmpty() || m_poolKey.isEmpty())
        return;
    m_store.record(
        {m_clock(), m_poolKey, question.id().toString(), chosen, correct, hinted, progress::Mode::Study});
}

} // namespace mainwindow
