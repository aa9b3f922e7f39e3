#pragma once
// Form1, the study window: the controls, fonts, colours and menus of the design, and
// the routing of every event to the study engine. The design values are set in
// form1_design.cpp; the events and the load handler are in form1.cpp.

#include "engine/clock_random.h"
#include "engine/study_state.h"
#include "view/qt/qt_platform.h"
#include "view/qt/qt_window.h"

#include <QCoreApplication>
#include <QPointer>

#include <memory>

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

class Form1 final : public view::qt::QtWindow
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
    view::qt::QtLabel *label(const QString &name) const { return findAs<view::qt::QtLabel>(name); }
    view::qt::QtButton *button(const QString &name) const { return findAs<view::qt::QtButton>(name); }
    view::qt::QtCheckBox *checkBox(const QString &name) const { return findAs<view::qt::QtCheckBox>(name); }
    view::qt::QtMenuItem *menuItem(const QString &name) const { return findAs<view::qt::QtMenuItem>(name); }

protected:
    void keyDown(int &keyCode) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createDesign();
    void routeEvents();
    void openMakerSite();
    void openPrivileges();
    void addProgressMenu();

    view::qt::QtServices m_services;
    engine::ClockRandom m_random;
    view::qt::QtSoundPlayer m_sound;
    std::unique_ptr<engine::StudyEngine> m_engine;
    std::unique_ptr<ProgressHook> m_progress;
    QPointer<QWidget> m_progressWindow; // a ProgressWindow, made when first opened
};

} // namespace mainwindow
