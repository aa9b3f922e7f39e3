#pragma once
// Runs a piece of a test in a forked child under a time limit, so that a crash or a hang of
// the code under test fails the one test row instead of the whole suite.

#include <QString>

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace testing {

struct ChildOutcome
{
    bool finished = false; // false: still running at the limit, then killed
    int exitCode = -1;     // when it exited
    int signal = 0;        // when a signal ended it

    bool ok() const { return finished && signal == 0 && exitCode == 0; }
    QString describe() const
    {
        if (!finished)
            return QStringLiteral("hung");
        return signal ? QStringLiteral("killed by signal %1").arg(signal)
                      : QStringLiteral("exited with %1").arg(exitCode);
    }
};

// `body` returns the child's exit code. The child leaves through _exit, so nothing of the
// parent's state (Qt's, the test's) is torn down twice.
inline ChildOutcome runInChild(const std::function<int()> &body, std::chrono::milliseconds limit)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    ChildOutcome outcome;
    if (pid < 0)
        return outcome;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return outcome;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    outcome.finished = true;
    if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    else
        outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

} // namespace testing
