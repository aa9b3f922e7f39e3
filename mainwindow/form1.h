#pragma once
// Form1, the study window: the controls, fonts, colours and menus of the design, and
// the routing of every event to the study engine. The design values are set in
// form1_design.cpp; the events and the load handler are in form1.cpp.

#include "engine/clock_random.h"
#include "engine/study_events.h"
#include "engine/study_state.h"
#include "mainwindow/form1_controls.h"
#include "view/qt/qt_platform.h"
#include "view/qt/qt_window.h"

#include <QCoreApplication>
#include <QPointer>

#include <memory>

class QAction;

namespace figures {
class FigureView;
class FigureWindow;
} // namespace figures

namespace examwindow {
class ExamWindow;
struct OpenedWindow;
} // namespace examwindow
namespace progress {
class Store;
}
namespace progresswindow {
class ProgressWindow;
}

namespace mainwindow {

class ProgressHook;

// The maker's web address, a build setting; the title and the link show its host name.
QString makerUrl();
QString makerHost();

class Form1 final : public view::qt::QtWindow, private engine::StudyListener
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // exeDir is the folder of the program, where "test.txt" is kept.
    explicit Form1(const QString &exeDir = QCoreApplication::applicationDirPath());
    ~Form1() override;

    // The load handler: start directory, the two scaling passes on this screen, the
    // remembered exam class; the focus is then on Command1.
    void Form_Load();
    void Form_Load(const view::Screen &screen);

    // Records every first attempt in the store from now on and offers Test > Progress...;
    // without a store the item is unavailable. Call before Form_Load, so the first pool's
    // load is seen.
    void attachProgress(std::unique_ptr<progress::Store> store);
    void openProgress();
    progress::Store *progressStore() const;
    progresswindow::ProgressWindow *progressWindow() const;

    engine::StudyEngine &engine() { return *m_engine; }
    const view::qt::QtSoundPlayer &soundPlayer() const { return m_sound; }
    const Form1Controls &controls() const { return m_ui; }
    view::qt::QtLabel *label(const QString &name) const { return findAs<view::qt::QtLabel>(name); }
    view::qt::QtButton *button(const QString &name) const { return findAs<view::qt::QtButton>(name); }
    view::qt::QtCheckBox *checkBox(const QString &name) const { return findAs<view::qt::QtCheckBox>(name); }
    view::qt::QtMenuItem *menuItem(const QString &name) const { return findAs<view::qt::QtMenuItem>(name); }

    // The folder the question pools are read from; figures are in its "figures" folder.
    QString poolsFolder() const;
    // Shows figure `figure` ("T-1") in the right-hand pane over the product pictures, or,
    // when empty, the product pictures as designed.
    void showFigure(const QString &figure);
    // The large window of the figure on show (the key F or a click on the figure);
    // nothing happens when no figure can be shown.
    void openFigureWindow();
    // A practice exam of the loaded pool (Test > Practice Exam...), or a drill of one of
    // its subelements; a pool that cannot make one gets a message saying why.
    void openPracticeExam();
    void openDrill(const QString &subelement);
    QAction *practiceExamAction() const { return m_practiceExam; }
    // A review of the loaded pool (Test > Review..., the Progress window's Review): the
    // `count` questions that raise the chance to pass the most (-1: the count remembered for
    // the pool), or these questions of a pool (indices into it; a practice exam's own copy of
    // the pool, which the study window may have replaced since).
    void openReview(int count = -1);
    void openReviewOf(const questions::Pool &pool, const QList<int> &questions);

    figures::FigureView *figureView() const { return m_figureView; }
    figures::FigureWindow *figureWindow() const { return m_figureWindow; }

Q_SIGNALS:
    // A practice exam or drill window has opened; with a store attached it records into it.
    void examWindowOpened(examwindow::ExamWindow *window);

protected:
    void keyDown(int &keyCode) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createDesign();
    void routeEvents();
    void openMakerSite();
    void openPrivileges();
    QRect productPaneRect() const;
    void showExamWindow(const examwindow::OpenedWindow &opened);
    // Closes the open practice exam and drill windows; false when one was kept open.
    bool closeExamWindows();
    void addProgressMenu();
    void addPracticeExamMenu();
    void showReview(const questions::Pool &pool, QList<int> questions, std::function<void()> again);
    // The figure pane follows the question on display.
    void questionShown(const questions::Question *question) override;

    view::qt::QtServices m_services;
    engine::ClockRandom m_random;
    view::qt::QtSoundPlayer m_sound;
    std::unique_ptr<engine::StudyEngine> m_engine;
    Form1Controls m_ui;
    figures::FigureView *m_figureView;
    figures::FigureWindow *m_figureWindow = nullptr;
    QAction *m_practiceExam = nullptr; // Test > Practice Exam...
    std::unique_ptr<ProgressHook> m_progress;
    QPointer<QWidget> m_progressWindow; // a ProgressWindow, made when first opened
};

} // namespace mainwindow
