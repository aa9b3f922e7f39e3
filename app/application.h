#pragma once
// The program around the study window: it owns the study engine, the progress store and
// its recorder, the study window, and the windows opened beside it (Progress, practice
// exams, drills and reviews, the large figure), each a window of its own. They go in the
// reverse order: the windows beside the study window first, then the engine and the study
// window, the recorder, and the store last, so nothing outlives what it holds a reference to.

#include "engine/study_events.h"
#include "mainwindow/study_recorder.h"
#include "mainwindow/study_window_host.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace engine {
class StudyEngine;
}
namespace examwindow {
class ExamWindow;
struct OpenedWindow;
} // namespace examwindow
namespace figures {
class FigureWindow;
}
namespace mainwindow {
class Form1;
}
namespace progress {
class Store;
}
namespace progresswindow {
class ProgressWindow;
}
namespace questions {
class Pool;
}

namespace app {

class Application final : public QObject, private mainwindow::StudyWindowHost, private engine::StudyListener
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

public:
    // exeDir holds "test.txt"; startDir is the folder of the pools, figures, sounds and band
    // plan, recorded as the start directory by the load handler.
    Application(const QString &exeDir, const QString &startDir);
    ~Application() override;

    // A pool file found in this folder is read before the one of the same name in startDir.
    void setUserPoolFolder(const QString &folder);

    // The start: the study window is loaded and shown, then, once events run (under the
    // message of a failed first load too), `openStore` opens the store (none when it returns
    // null) and the recorder writes into it every answer made so far and from then on.
    void start(std::function<std::unique_ptr<progress::Store>()> openStore);
    // Attaches a store at once (tests, benchmarks); the first one stays.
    void attachProgress(std::unique_ptr<progress::Store> store);

    mainwindow::Form1 &form() { return *m_form; }
    engine::StudyEngine &engine() { return *m_engine; }
    progress::Store *progressStore() const { return m_store.get(); }
    progresswindow::ProgressWindow *progressWindow() const;
    figures::FigureWindow *figureWindow() const;
    // The practice exam, drill and review windows still open.
    QList<examwindow::ExamWindow *> examWindows() const;

    void openProgress() override;
    // A review of the loaded pool (Test > Review..., the Progress window's Review): the
    // `count` questions that raise the chance to pass the most (-1: the count remembered for
    // the pool), or these questions of a pool (indices into it; a practice exam's own copy of
    // the pool, which the study window may have replaced since).
    void openReview(int count);
    void openReview() override { openReview(-1); }
    void openReviewOf(const questions::Pool &pool, const QList<int> &questions);
    // A practice exam of the loaded pool, or a drill of one of its subelements; a pool that
    // cannot make one gets a message saying why.
    void openPracticeExam() override;
    void openDrill(const QString &subelement);
    void openFigureWindow() override;

Q_SIGNALS:
    // A practice exam, drill or review window has opened; with a store it records into it.
    void examWindowOpened(examwindow::ExamWindow *window);

private:
    bool letStudyWindowClose() override;
    void poolLoaded(const questions::Pool &pool) override;
    void poolLoadFailed() override;
    void questionShown(const questions::Question *question) override;
    void firstAttempt(const questions::Question &question, QChar chosen, bool correct, bool hinted) override;

    // Shows the loaded pool in the Progress window, or none after a failed load.
    void showPoolInProgress();
    void refreshProgress();
    void showExamWindow(const examwindow::OpenedWindow &opened);
    void showReview(const questions::Pool &pool, QList<int> questions, std::function<void()> again);
    // Opens `window` as a window of its own beside the study window.
    void ownWindow(QWidget &window);
    void closeSecondaryWindows();

    // Declared in the order they are made; they go in the reverse one.
    std::unique_ptr<progress::Store> m_store;
    mainwindow::StudyRecorder m_recorder;
    std::unique_ptr<mainwindow::Form1> m_form;
    std::unique_ptr<engine::StudyEngine> m_engine;
    QPointer<progresswindow::ProgressWindow> m_progressWindow;
    QPointer<figures::FigureWindow> m_figureWindow;
    QList<QPointer<examwindow::ExamWindow>> m_examWindows;
    QTimer m_refresh; // an open Progress window follows the answers a moment after their feedback
};

} // namespace app
