#pragma once
// The two passes that adapt the study window, laid out for a 640 x 480 screen, to
// the real screen at load: ScaleToScreen stretches the window and its controls in
// proportion to the screen and then runs FitToWorkArea, which sizes the window to the
// work area at the top-left corner and rescales the controls by that change. Both
// walk the window's control list and touch properties by name, so they run against
// any view::Window.

#include "view/view.h"

#include <functional>

namespace mainwindow {

inline constexpr double kDesignWidth = 9600;  // outer width of the design, twips
inline constexpr double kDesignHeight = 7200; // outer height of the design, twips

// recordStartDirectory is run again by the second pass, as the load does before it.
void ScaleToScreen(view::Window &window, const view::Screen &screen,
                   const std::function<void()> &recordStartDirectory = {});
void FitToWorkArea(view::Window &window, const view::Screen &screen,
                   const std::function<void()> &recordStartDirectory = {});

} // namespace mainwindow
