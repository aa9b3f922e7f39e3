#pragma once
// frmBandPlan, the "Frequency Privileges" window on the Qt view: six class buttons,
// "Done", the effective date, the class title, the CW/phone legend and the line
// above the chart. What it does lives in BandPlanForm; the window only builds its
// controls and forwards the clicks.

#include "bandplan/band_plan_form.h"
#include "view/qt/qt_platform.h"
#include "view/qt/qt_window.h"

namespace bandplan {

class frmBandPlan final : public view::qt::QtWindow
{
    Q_OBJECT

public:
    explicit frmBandPlan(QWidget *parent = nullptr);

    // The load handler; runs once, before the window is first shown.
    void load(const ExamClassMarks &marks, const QString &planPath = QString::fromLatin1(kBandPlanFile));

    BandPlanForm &form() { return m_form; }

private:
    void buildControls();
    void chooseClass(Licence licence);

    view::qt::QtScreen m_screen;
    view::qt::QtServices m_services;
    BandPlanForm m_form;
};

} // namespace bandplan
