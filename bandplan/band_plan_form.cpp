#include "bandplan/band_plan_form.h"

#include "view/view.h"
#include "view/work_area_fit.h"

namespace bandplan {

BandPlanForm::BandPlanForm(view::Window &window, const view::Screen &screen, view::Services &services)
    : m_window(window), m_screen(screen), m_services(services)
{
}

void BandPlanForm::load(const ExamClassMarks &marks, const QString &planPath)
{
    // Fonts follow the screen's width, as the chart's do, not the window's change.
    view::fitToWorkArea(m_window, m_screen, {fontFactorFor(m_screen), {}});

    // The legend wears the colours of the chart's segments.
    if (view::Label *phone = m_window.findAs<view::Label>(QStringLiteral("Label4")))
        phone->setBackColor(view::rgb(0, 255, 0));
    if (view::Label *cw = m_window.findAs<view::Label>(QStringLiteral("Label3")))
        cw->setBackColor(view::rgb(0, 0, 255));

    m_loadResult = LoadBandPlan(m_table, planPath);
    if (view::Label *date = m_window.findAs<view::Label>(QStringLiteral("Label1")); date && m_loadResult.date)
        date->setText(effectiveCaption(*m_loadResult.date));
    if (!m_loadResult.ok) {
        m_services.messageBox(kLoadFailureText, kLoadFailureTitle);
        return;
    }

    if (marks.technician)
        chooseClass(Licence::Technician);
    if (marks.general)
        chooseClass(Licence::General);
    if (marks.extra)
        chooseClass(Licence::Extra);
}

ChartOutcome BandPlanForm::chooseClass(Licence licence)
{
    const LicenceClass &info = kLicenceClasses[std::size_t(licence)];
    if (view::Label *title = m_window.findAs<view::Label>(QStringLiteral("Label2")))
        title->setText(QString::fromLatin1(info.title));
    return BuildPrivilegeChart(QString::fromLatin1(info.letter), m_table, m_window, m_screen);
}

} // namespace bandplan
