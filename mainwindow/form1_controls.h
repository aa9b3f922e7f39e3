#pragma once
// The study window's controls that its code drives, kept as the design creates them:
// a misspelt control is a build error, not a failed look-up at run time.

#include "view/qt/qt_controls.h"

#include <QStringList>

#include <array>

namespace mainwindow {

struct Form1Controls
{
    using Label = view::qt::QtLabel;
    using Button = view::qt::QtButton;
    using MenuItem = view::qt::QtMenuItem;

    Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    Label *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label17 = nullptr;
    Label *lblQuestion = nullptr;
    std::array<Label *, 4> lblDist{};    // lblDist1..lblDist4
    std::array<Button *, 4> cmdAnswer{}; // cmdA..cmdD
    Button *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;
    Button *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr;
    Button *Command9 = nullptr;
    view::qt::QtCheckBox *Check1 = nullptr, *Check2 = nullptr;
    view::qt::QtTimer *Timer1 = nullptr;
    MenuItem *mnuTest = nullptr, *mnuExit = nullptr, *mnuTechnician = nullptr, *mnuGeneral = nullptr,
             *mnuExtra = nullptr;
    MenuItem *mnuPrivelages = nullptr;
    // The right-hand pane's product pictures (Image1..Image3) and their names (Label14..Label16).
    std::array<view::qt::QtPicture *, 3> products{};
    std::array<Label *, 3> productNames{};

    // "name: problem" for every member that is missing or holds a control of another
    // name; empty when all are as designed. The window refuses to start otherwise.
    QStringList faults() const;
};

} // namespace mainwindow
