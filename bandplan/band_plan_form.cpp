#include "bandplan/band_plan_form.h"

#include "view/view.h"

#include <cmath>

namespace bandplan {

namespace {

view::Control *findControl(view::Window &window, const QString &name)
{
    for (int i = 0; i < window.controlCount(); ++i) {
        view::Control *control = window.control(i);
        if (control && control->name() == name)
            return control;
    }
    return nullptr;
}

view::Label *findLabel(view::Window &window, const QString &name)
{
    return dynamic_cast<view::Label *>(findControl(window, name));
}

// property := property × factor; skipped when the property, or the factor, is not there.
void scale(view::Control &control, view::Prop prop, std::optional<double> factor)
{
    if (!factor)
        return;
    const std::optional<double> value = control.get(prop);
    if (!value)
        return;
    const double scaled = *value * *factor;
    if (std::isfinite(scaled))
        control.set(prop, scaled);
}

// new ÷ old, or nothing when either is unknown or the old size is zero.
std::optional<double> ratio(std::optional<double> now, std::optional<double> before)
{
    if (!now || !before || *before == 0.0)
        return std::nullopt;
    const double r = *now / *before;
    return std::isfinite(r) ? std::optional<double>(r) : std::nullopt;
}

} // namespace

BandPlanForm::BandPlanForm(view::Window &window, const view::Screen &screen, view::Services &services)
    : m_window(window), m_screen(screen), m_services(services)
{
}

void BandPlanForm::fitToWorkArea()
{
    const std::optional<double> w0 = m_window.get(view::Prop::Width);
    const std::optional<double> h0 = m_window.get(view::Prop::Height);

    if (const auto workWidth = m_screen.workAreaWidthTwips())
        m_window.set(view::Prop::Width, *workWidth);
    if (const auto workHeight = m_screen.workAreaHeightTwips())
        m_window.set(view::Prop::Height, *workHeight);
    m_window.set(view::Prop::Left, 0);
    m_window.set(view::Prop::Top, 0);

    const std::optional<double> across = ratio(m_window.get(view::Prop::Width), w0);
    const std::optional<double> down = ratio(m_window.get(view::Prop::Height), h0);
    const double fontFactor = fontFactorFor(m_screen);

    for (int i = 0; i < m_window.controlCount(); ++i) {
        view::Control *control = m_window.control(i);
        if (!control)
            continue;
        scale(*control, view::Prop::Height, down);
        scale(*control, view::Prop::Left, across);
        scale(*control, view::Prop::Top, down);
        scale(*control, view::Prop::Width, across);
        scale(*control, view::Prop::FontSize, fontFactor);
        if (control->kind() == view::Kind::Line) {
            scale(*control, view::Prop::X1, across);
            scale(*control, view::Prop::X2, across);
            scale(*control, view::Prop::Y1, down);
            scale(*control, view::Prop::Y2, down);
        }
    }
}

void BandPlanForm::load(const ExamClassMarks &marks, const QString &planPath)
{
    fitToWorkArea();

    // The legend wears the colours of the chart's segments.
    if (view::Label *phone = findLabel(m_window, QStringLiteral("Label4")))
        phone->setBackColor(view::rgb(0, 255, 0));
    if (view::Label *cw = findLabel(m_window, QStringLiteral("Label3")))
        cw->setBackColor(view::rgb(0, 0, 255));

    m_loadResult = LoadBandPlan(m_table, findLabel(m_window, QStringLiteral("Label1")), planPath);
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
    if (view::Label *title = findLabel(m_window, QStringLiteral("Label2")))
        title->setText(QString::fromLatin1(info.title));
    return BuildPrivilegeChart(QString::fromLatin1(info.letter), m_table, m_window, m_screen);
}

} // namespace bandplan
