#include "view/work_area_fit.h"

#include <cmath>

namespace view {

namespace {

// property := property × factor; skipped when the property is missing or either
// number is not finite.
void scale(Control &control, Prop prop, double factor)
{
    if (!std::isfinite(factor))
        return;
    const std::optional<double> value = control.get(prop);
    if (!value)
        return;
    const double scaled = *value * factor;
    if (std::isfinite(scaled))
        control.set(prop, scaled);
}

double ratio(std::optional<double> now, std::optional<double> before)
{
    return now && before ? *now / *before : NAN;
}

} // namespace

void fitToWorkArea(Window &window, const Screen &screen, const FitOptions &options)
{
    const std::optional<double> oldW = window.get(Prop::Width);
    const std::optional<double> oldH = window.get(Prop::Height);
    if (const std::optional<double> w = screen.workAreaWidthTwips())
        window.set(Prop::Width, *w);
    if (const std::optional<double> h = screen.workAreaHeightTwips())
        window.set(Prop::Height, *h);
    window.set(Prop::Left, 0);
    window.set(Prop::Top, 0);
    if (options.afterMove)
        options.afterMove();

    const double across = ratio(window.get(Prop::Width), oldW);
    const double down = ratio(window.get(Prop::Height), oldH);
    const double fontFactor = options.fontFactor.value_or(across);
    for (int i = 0; i < window.controlCount(); ++i) {
        Control *c = window.control(i);
        if (!c)
            continue;
        scale(*c, Prop::Height, down);
        scale(*c, Prop::Left, across);
        scale(*c, Prop::Top, down);
        scale(*c, Prop::Width, across);
        scale(*c, Prop::FontSize, fontFactor);
        if (c->kind() == Kind::Line) {
            scale(*c, Prop::X1, across);
            scale(*c, Prop::X2, across);
            scale(*c, Prop::Y1, down);
            scale(*c, Prop::Y2, down);
        }
    }
}

} // namespace view
