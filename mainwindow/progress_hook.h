#pragma once
// Between the study engine and the progress store: forwards the engine's events to the
// recorder, then brings an open Progress window up to date a moment later, so the feedback
// paints first.

#include "mainwindow/study_recorder.h"

#include <QTimer>

#include <memory>

namespace progresswindow {
class ProgressWindow;
}

namespace mainwindow {

class Form1;

class ProgressHook final : public engine::StudyListener
{
public:
    ProgressHook(Form1 &form, std::unique_ptr<progress::Store> store);
    ~ProgressHook() override;

    void poolLoaded(const questions::Pool &pool) override;
    void firstAttempt(const questions::Question &question, QChar chosen, bool correct, bool hinted) override;

    // Shows the loaded pool in the window, or none after a failed load.
    void showPoolIn(progresswindow::ProgressWindow &window);
    progress::Store &store() { return *m_store; }

private:
    Form1 &m_form;
    std::unique_ptr<progress::Store> m_store;
    StudyRecorder m_recorder;
    QTimer m_refresh;
};

} // namespace mainwindow
