#pragma once
// Form1, the study window: the controls, fonts, colours and menus of the design, and
// the routing of every event to the study engine it is given. The design values are set in
// form1_design.cpp; the events and the load handler are in form1.cpp. The windows beside it
// (Progress, practice exam, review, the large figure) belong to the program around it,
// which its added menu items ask through StudyWindowHost.

#include "engine/clock_random.h"
#include "engine/study_events.h"
#include "engine/study_state.h"
#include "mainwindow/form1_controls.h"
#include "mainwindow/study_window_host.h"
#include "view/qt/qt_platform.h"
#include "view/qt/qt_window.h"

class QAction;

namespace figures {
class FigureView;
} // namespace figures

namespace mainwindow {

// The maker's web address, a build setting; the title and the link show its host name.
QString makerUrl();
QString makerHost();

class Form1 final : public view::qt::QtWindow, private engine::StudyListener
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    Form1();
    ~Form1() override;

    // What the engine drives: the designed controls, the services, chance and the sound.
    engine::StudyControls studyControls();
    view::Services &services() { return m_services; }
    engine::RandomSource &random() { return m_random; }
    view::qt::QtSoundPlayer &soundPlayer() { return m_sound; }
    const view::qt::QtSoundPlayer &soundPlayer() const { return m_sound; }
    // Routes the designed events to `engine` and the added items to `host` (either may
    // outlive the window, neither is owned); call once, before Form_Load.
    void attach(engine::StudyEngine &engine, StudyWindowHost &host);

    // The load handler: start directory, the two scaling passes on this screen, the
    // remembered exam class; the focus is then on Command1.
    void Form_Load();
    void Form_Load(const view::Screen &screen);

    // Test > Progress... and Review... are unavailable until the program has a store.
    void setProgressAvailable(bool available);

    engine::StudyEngine &engine() { return *m_engine; }
    const Form1Controls &controls() const { return m_ui; }
    view::qt::QtLabel *label(const QString &name) const { return findAs<view::qt::QtLabel>(name); }
    view::qt::QtButton *button(const QString &name) const { return findAs<view::qt::QtButton>(name); }
    view::qt::QtCheckBox *checkBox(const QString &name) const { return findAs<view::qt::QtCheckBox>(name); }
    view::qt::QtMenuItem *menuItem(const QString &name) const { return findAs<view::qt::QtMenuItem>(name); }

    // The folder the question pools are read from; figures are in its "figures" folder.
    QString poolsFolder() const;
    // Shows figure `figure` ("T-1") in the right-hand pane over the product pictures, or,
    // when empty, the product pictures as designed. The pane is made at its first figure.
    void showFigure(const QString &figure);
    QAction *practiceExamAction() const { return m_practiceExam; }

    // The figure pane; null until a question with a figure has been shown.
    figures::FigureView *figureView() const { return m_figureView; }
    // True when the pane shows a figure that could be read.
    bool showsFigure() const;

protected:
    void keyDown(int &keyCode) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createDesign();
    void routeEvents();
    void openMakerSite();
    void openPrivileges();
    QRect productPaneRect() const;
    void addTestMenuItems();
    // The figure pane follows the question on display.
    void questionShown(const questions::Question *question) override;

    view::qt::QtServices m_services;
    engine::ClockRandom m_random;
    view::qt::QtSoundPlayer m_sound;
    engine::StudyEngine *m_engine = nullptr;
    StudyWindowHost *m_host = nullptr;
    Form1Controls m_ui;
    figures::FigureView *m_figureView = nullptr;
    QAction *m_progressItem = nullptr; // Test > Progress...
    QAction *m_reviewItem = nullptr;   // Test > Review...
    QAction *m_practiceExam = nullptr; // Test > Practice Exam...
};

} // namespace mainwindow
