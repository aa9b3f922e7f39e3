#pragma once
// What the "Frequency Privileges" window does, apart from its widgets: the load
// handler (fit to the work area, scale every control, colour the legend, read the
// band plan, chart the main window's exam class) and the six class buttons. It
// drives the window through the view interface only.

#include "bandplan/band_plan.h"
#include "bandplan/exam_class_marks.h"
#include "bandplan/privilege_chart.h"

#include <array>

namespace view {
class Screen;
class Services;
class Window;
} // namespace view

namespace bandplan {

struct LicenceClass
{
    const char *button;  // the class button's control name
    const char *caption; // the button's caption
    const char *title;   // the text set into "Label2"
    const char *letter;  // the class letter of the band plan
};

inline constexpr std::array<LicenceClass, 6> kLicenceClasses{{
    {"Command1", "Novice", "Novice Frequency Privileges", "N"},
    {"Command2", "Technician", "Technician Frequency Privileges", "T"},
    {"Command3", "Tech +", "Technician Plus Frequency Privileges", "P"},
    {"Command4", "General", "General Frequency Privileges", "G"},
    {"Command5", "Advanced", "Advanced Frequency Privileges", "A"},
    {"Command6", "Extra", "Extra Frequency Privileges", "E"},
}};

enum class Licence { Novice, Technician, TechnicianPlus, General, Advanced, Extra };

class BandPlanForm final
{
public:
    BandPlanForm(view::Window &window, const view::Screen &screen, view::Services &services);

    // The load handler, once, before the window is first shown. A band plan that
    // cannot be read is reported in a message box and leaves the window without a chart.
    void load(const ExamClassMarks &marks, const QString &planPath = QString::fromLatin1(kBandPlanFile));

    // A click on a class button: its title into "Label2", then that class's chart.
    ChartOutcome chooseClass(Licence licence);

    const BandPlanTable &table() const { return m_table; }
    const LoadResult &loadResult() const { return m_loadResult; }

private:
    view::Window &m_window;
    const view::Screen &m_screen;
    view::Services &m_services;
    BandPlanTable m_table;
    LoadResult m_loadResult;
};

} // namespace bandplan
