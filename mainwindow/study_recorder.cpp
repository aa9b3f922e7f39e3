#include "mainwindow/study_recorder.h"

#include "progress/store.h"
#include "questions/pool.h"

#include <QDateTime>

namespace mainwindow {

StudyRecorder::StudyRecorder(progress::Store &store, std::function<QDateTime()> clock)
    : StudyRecorder(std::move(clock))
{
    m_store = &store;
}

StudyRecorder::StudyRecorder(std::function<QDateTime()> clock)
    : m_clock(clock ? std::move(clock) : [] { return QDateTime::currentDateTimeUtc(); })
{
}

StudyRecorder::~StudyRecorder() = default;

void StudyRecorder::attachStore(progress::Store &store)
{
    m_store = &store;
    for (const progress::AnswerRecord &answer : std::as_const(m_waiting))
        m_store->record(answer);
    m_waiting.clear();
}

void StudyRecorder::poolLoaded(const questions::Pool &pool)
{
    m_poolKey = pool.key();
}

void StudyRecorder::poolLoadFailed()
{
    m_poolKey.clear();
}

void StudyRecorder::firstAttempt(const questions::Question &question, QChar chosen, bool correct, bool hinted)
{
    // A record without an identifier or a pool without a key cannot be told apart later.
    if (question.id().isEmpty() || m_poolKey.isEmpty())
        return;
    const progress::AnswerRecord answer{m_clock(), m_poolKey, question.id().toString(), chosen,
                                        correct,   hinted,    progress::Mode::Study};
    if (m_store)
        m_store->record(answer);
    else
        m_waiting.append(answer);
}

} // namespace mainwindow
