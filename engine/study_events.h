#pragma once
// What the study engine tells the rest of the program: a pool has loaded or failed to load,
// a question is on display, and the user made a first attempt at it. The figure panel and
// the progress store listen; the study window's designed behaviour does not depend on anyone
// listening.

#include <QChar>

namespace questions {
class Pool;
struct Question;
} // namespace questions

namespace engine {

// The engine keeps a list of listeners (addListener) and calls each in order.
class StudyListener
{
public:
    virtual ~StudyListener() = default;
    // After a successful load; the pool stays valid until the next load.
    virtual void poolLoaded(const questions::Pool &) {}
    // After a failed load, before its message: no pool is loaded any more.
    virtual void poolLoadFailed() {}
    // After every ShowQuestion; null when the display shows no question of the loaded pool.
    virtual void questionShown(const questions::Question *) {}
    // After the feedback of the first attempt at the displayed question. `hinted` is true
    // when Hint removed a choice on this display before the answer.
    virtual void firstAttempt(const questions::Question &, QChar /*chosen*/, bool /*correct*/,
                              bool /*hinted*/)
    {
    }
};

} // namespace engine
