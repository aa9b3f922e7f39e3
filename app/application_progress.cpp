// The Progress window: made at its first opening, kept in step with the loaded pool (none
// after a failed load, so it offers nothing that writes) and with the answers recorded.
#include "app/application.h"

#include "engine/study_state.h"
#include "mainwindow/form1.h"
#include "progress/store.h"
#include "progresswindow/progress_window.h"

namespace app {

void Application::showPoolInProgress()
{
    if (!m_progressWindow)
        return;
    const questions::Pool &pool = m_engine->pool();
    const bool loaded = !pool.questions.isEmpty() && !m_recorder.poolKey().isEmpty();
    m_progressWindow->setUserPoolFolder(m_engine->loadedUserPoolFolder());
    m_progressWindow->setPool(loaded ? &pool : nullptr, loaded ? m_recorder.poolKey() : QString());
}

void Application::refreshProgress()
{
    if (m_progressWindow && m_progressWindow->isVisible())
        m_progressWindow->refresh();
}

void Application::openProgress()
{
    if (!m_store)
        return;
    if (!m_progressWindow) {
        m_progressWindow = new progresswindow::ProgressWindow(*m_store);
        ownWindow(*m_progressWindow);
        connect(m_progressWindow, &progresswindow::ProgressWindow::drillRequested, this,
                &Application::openDrill);
        connect(m_progressWindow, &progresswindow::ProgressWindow::reviewRequested, this,
                qOverload<int>(&Application::openReview));
    }
    showPoolInProgress();
    m_progressWindow->show();
    m_progressWindow->raise();
    m_progressWindow->activateWindow();
}

} // namespace app
