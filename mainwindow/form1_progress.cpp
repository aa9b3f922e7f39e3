// The study window's link to the progress store: Test > Progress... and Review... below a separator, the
// recorder of first attempts, and the Progress window kept in step with the loaded pool.
// None of it touches the designed controls; Reset History leaves the store alone.
#include "mainwindow/form1.h"
#include "mainwindow/progress_hook.h"

#include "progress/store.h"
#include "progresswindow/progress_window.h"

#include <QAction>
#include <QMenu>

namespace mainwindow {

ProgressHook::ProgressHook(Form1 &form, std::unique_ptr<progress::Store> store)
    : m_form(form), m_store(std::move(store)), m_recorder(*m_store)
{
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(150);
    QObject::connect(&m_refresh, &QTimer::timeout, &form, [this] {
        if (auto *window = m_form.progressWindow(); window && window->isVisible())
            window->refresh();
    });
}

ProgressHook::~ProgressHook() = default;

void ProgressHook::poolLoaded(const questions::Pool &pool)
{
    m_recorder.poolLoaded(pool);
    if (auto *window = m_form.progressWindow())
        showPoolIn(*window);
}

void ProgressHook::firstAttempt(const questions::Question &question, QChar chosen, bool correct, bool hinted)
{
    m_recorder.firstAttempt(question, chosen, correct, hinted);
    m_refresh.start();
}

void ProgressHook::showPoolIn(progresswindow::ProgressWindow &window)
{
    const questions::Pool &pool = m_form.engine().pool();
    const bool loaded = !pool.questions.isEmpty() && !m_recorder.poolKey().isEmpty();
    window.setUserPoolFolder(m_form.engine().loadedUserPoolFolder());
    window.setPool(loaded ? &pool : nullptr, m_recorder.poolKey());
}

void Form1::addProgressMenu()
{
    QMenu *test = m_ui.mnuTest->action()->menu();
    test->addSeparator();
    QAction *item = test->addAction(tr("&Progress..."));
    item->setObjectName(QStringLiteral("mnuProgress"));
    item->setEnabled(false);
    connect(item, &QAction::triggered, this, &Form1::openProgress);
    QAction *review = test->addAction(tr("Re&view..."));
    review->setObjectName(QStringLiteral("mnuReview"));
    review->setEnabled(false);
    connect(review, &QAction::triggered, this, [this] { openReview(); });
}

void Form1::attachProgress(std::unique_ptr<progress::Store> store)
{
    if (!store || m_progress)
        return;
    m_progress = std::make_unique<ProgressHook>(*this, std::move(store));
    m_engine->addListener(m_progress.get());
    for (const char *name : {"mnuProgress", "mnuReview"})
        if (auto *item = findChild<QAction *>(QString::fromLatin1(name)))
            item->setEnabled(true);
}

progresswindow::ProgressWindow *Form1::progressWindow() const
{
    return static_cast<progresswindow::ProgressWindow *>(m_progressWindow.data());
}

progress::Store *Form1::progressStore() const
{
    return m_progress ? &m_progress->store() : nullptr;
}

void Form1::openProgress()
{
    if (!m_progress)
        return;
    if (!m_progressWindow) {
        auto *window = new progresswindow::ProgressWindow(m_progress->store(), this);
        connect(window, &progresswindow::ProgressWindow::drillRequested, this, &Form1::openDrill);
        connect(window, &progresswindow::ProgressWindow::reviewRequested, this, &Form1::openReview);
        m_progressWindow = window;
    }
    m_progress->showPoolIn(*progressWindow());
    m_progressWindow->show();
    m_progressWindow->raise();
    m_progressWindow->activateWindow();
}

} // namespace mainwindow
