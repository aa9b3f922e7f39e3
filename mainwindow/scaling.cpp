#include "mainwindow/scaling.h"

#include "view/work_area_fit.h"

#include <cmath>

namespace mainwindow {

namespace {

// Multiplies a property by a factor; a property the control lacks, or a factor that
// is not a finite number, leaves it as it was.
template <class Target> void scale(Target &target, view::Prop prop, double factor)
{
    if (!std::isfinite(factor))
        return;
    if (const std::optional<double> value = target.get(prop))
        target.set(prop, *value * factor);
}

bool hasBox(view::Kind kind)
{
    return kind == view::Kind::Label || kind == view::Kind::Button || kind == view::Kind::CheckBox ||
           kind == view::Kind::Picture;
}

} // namespace

void ScaleToScreen(view::Window &window, const view::Screen &screen,
                   const std::function<void()> &recordStartDirectory)
{
    const double screenW = screen.widthTwips();
    const double screenH = screen.heightTwips();
    // A screen whose size cannot be read would shrink everything to nothing: go
    // straight to the work-area fit instead.
    if (!(screenW > 0) || !(screenH > 0)) {
        FitToWorkArea(window, screen, recordStartDirectory);
        return;
    }

    const double width = window.get(view::Prop::Width).value_or(kDesignWidth) / kDesignWidth * screenW;
    window.set(view::Prop::Width, width);
    const double height = window.get(view::Prop::Height).value_or(kDesignHeight) / kDesignHeight * screenH;
    window.set(view::Prop::Height, height);
    window.set(view::Prop::Left, (screenW - width) / 2);
    window.set(view::Prop::Top, (screenH - height) / 2);
    scale(window, view::Prop::FontSize, width / kDesignWidth);

    const double widthRatio = screenW / kDesignWidth;
    const double heightRatio = screenH / kDesignHeight;
    // Fonts grow by the smaller ratio, both taken in single precision; the width's on a tie.
    const float w32 = float(widthRatio), h32 = float(heightRatio);
    const double fontFactor = h32 < w32 ? h32 : w32;

    for (int i = 0; i < window.controlCount(); ++i) {
        view::Control *c = window.control(i);
        if (!c)
            continue;
        if (hasBox(c->kind())) {
            if (c->kind() != view::Kind::Picture)
                scale(*c, view::Prop::FontSize, fontFactor);
            scale(*c, view::Prop::Height, heightRatio);
            scale(*c, view::Prop::Left, widthRatio);
            scale(*c, view::Prop::Top, heightRatio);
            scale(*c, view::Prop::Width, widthRatio);
        } else if (c->kind() == view::Kind::Line) {
            scale(*c, view::Prop::X1, widthRatio);
            scale(*c, view::Prop::X2, widthRatio);
            scale(*c, view::Prop::Y1, heightRatio);
            scale(*c, view::Prop::Y2, heightRatio);
        }
    }
    FitToWorkArea(window, screen, recordStartDirectory);
}

void FitToWorkArea(view::Window &window, const view::Screen &screen,
                   const std::function<void()> &recordStartDirectory)
{
    // Fonts follow the change in the window's width.
    view::fitToWorkArea(window, screen, {std::nullopt, recordStartDirectory});
}

} // namespace mainwindow
