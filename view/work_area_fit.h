#pragma once
// The work-area fit both windows run at load: the window takes the size of the
// screen's work area (the screen less the task bar) at the top-left corner, and every
// control is rescaled by how much the window changed. The work area's own left and
// top are not used, so a task bar at the top or left is overlapped.

#include "view/view.h"

#include <functional>
#include <optional>

namespace view {

struct FitOptions
{
    // What fonts are multiplied by: the change in the window's width when unset.
    std::optional<double> fontFactor;
    // Run once the window sits at the top-left corner, before the controls are rescaled.
    std::function<void()> afterMove;
};

// Each control, in list order: Height, Left, Top, Width, font size, and a line's end
// points. A step the control lacks, or a ratio that cannot be formed (a size that
// cannot be read, an old size of zero), is skipped and the next step runs.
void fitToWorkArea(Window &window, const Screen &screen, const FitOptions &options = {});

} // namespace view
