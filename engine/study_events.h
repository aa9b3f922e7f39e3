#pragma once
// What the study engine tells the rest of the program: a pool has loaded, and the user
// made a first attempt at a displayed question. The progress store listens; the study
// window's own behaviour does not depend on anyone listening.

#include <QChar>

namespace questions {
class Pool;
struct Question;
} // namespace questions

namespace engine {

class StudyListener
{
public:
    virtual ~StudyListener() = default;
    // After a successful load; the pool stays valid until the next load.
    virtual void poolLoaded(const questions::Pool &pool) = 0;
    // After the feedback of the first attempt at the displayed question. `hinted` is true
    // when Hint removed a choice on this display before the answer.
    virtual void firstAttempt(const questions::Question &question, QChar chosen, bool correct,
                              bool hinted) = 0;
};

} // namespace engine
