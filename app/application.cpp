// The program's objects and their order: made store-last, gone windows-first.
#include "app/application.h"

#include "engine/study_state.h"
#include "examwindow/exam_window.h"
#include "figures/figure_view.h"
#include "figures/figure_window.h"
#include "mainwindow/form1.h"
#include "progress/store.h"
#include "progresswindow/progress_window.h"
#include "windowstate/window_state.h"

namespace app {

Application::Application(const QString &exeDir, const QString &startDir)
    : m_form(std::make_unique<mainwindow::Form1>())
{
    m_engine =
        std::make_unique<engine::StudyEngine>(m_form->studyControls(), m_form->services(), m_form->random(),
                                              m_form->soundPlayer(), exeDir, startDir);
    // The study window's figure pane first, then the recorder, then the windows beside it.
    m_form->attach(*m_engine, *this);
    m_engine->addListener(&m_recorder);
    m_engine->addListener(this);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(150);
    connect(&m_refresh, &QTimer::timeout, this, &Application::refreshProgress);
}

Application::~Application()
{
    // The windows beside the study window hold the store, the pools and the engine: they go
    // first, whatever state they are in.
    m_refresh.stop();
    for (const QPointer<examwindow::ExamWindow> &window : std::as_const(m_examWindows))
        delete window.data();
    m_examWindows.clear();
    delete m_figureWindow.data();
    delete m_progressWindow.data();
}

void Application::setUserPoolFolder(const QString &folder)
{
    m_engine->setUserPoolFolder(folder);
}

void Application::start(std::function<std::unique_ptr<progress::Store>()> openStore)
{
    // Due once events run: after show() as a rule, or under the message of a failed first
    // load, which waits for the user before the window shows.
    if (openStore)
        QTimer::singleShot(0, this,
                           [this, openStore = std::move(openStore)] { attachProgress(openStore()); });
    m_form->Form_Load();
    m_form->show();
}

void Application::attachProgress(std::unique_ptr<progress::Store> store)
{
    if (!store || m_store)
        return;
    m_store = std::move(store);
    m_recorder.attachStore(*m_store);
    m_form->setProgressAvailable(true);
}

progresswindow::ProgressWindow *Application::progressWindow() const
{
    return m_progressWindow;
}

figures::FigureWindow *Application::figureWindow() const
{
    return m_figureWindow;
}

QList<examwindow::ExamWindow *> Application::examWindows() const
{
    QList<examwindow::ExamWindow *> open;
    for (const QPointer<examwindow::ExamWindow> &window : m_examWindows)
        if (window)
            open.append(window);
    return open;
}

void Application::ownWindow(QWidget &window)
{
    windowstate::setOwner(window, m_form.get());
}

bool Application::letStudyWindowClose()
{
    // Each practice exam asks as its own close does; one kept open keeps the program.
    for (examwindow::ExamWindow *window : examWindows()) {
        if (window->isVisible() && !window->close())
            return false;
    }
    closeSecondaryWindows();
    return true;
}

void Application::closeSecondaryWindows()
{
    // Unparented, they would keep the program running after the study window closed.
    for (QWidget *window :
         {static_cast<QWidget *>(m_progressWindow.data()), static_cast<QWidget *>(m_figureWindow.data())}) {
        if (window)
            window->close();
    }
}

void Application::poolLoaded(const questions::Pool &)
{
    showPoolInProgress();
}

void Application::poolLoadFailed()
{
    showPoolInProgress();
}

void Application::firstAttempt(const questions::Question &, QChar, bool, bool)
{
    m_refresh.start();
}

void Application::questionShown(const questions::Question *)
{
    // An open figure window follows the study window's pane, and goes when it has no figure.
    if (!m_figureWindow || !m_figureWindow->isVisible())
        return;
    const figures::FigureView *pane = m_form->figureView();
    if (!m_form->showsFigure())
        m_figureWindow->hide();
    else if (m_figureWindow->figure().figure != pane->figure().figure)
        m_figureWindow->showFigure(pane->figure());
}

void Application::openFigureWindow()
{
    if (!m_form->showsFigure())
        return;
    if (!m_figureWindow) {
        m_figureWindow = new figures::FigureWindow();
        ownWindow(*m_figureWindow);
        // The study keys work from the figure window; F, which opened it, does nothing there.
        m_figureWindow->setKeyHandler([this](int key) {
            if (key == Qt::Key_F)
                return false;
            int code = key;
            m_engine->KeyDown(code);
            return code == 0;
        });
    }
    m_figureWindow->showFigure(m_form->figureView()->figure());
}

} // namespace app
