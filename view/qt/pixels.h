#pragma once
// Twips to whole pixels for widget geometry.

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace view::qt {

// Rounded to the nearest pixel and clamped to half the largest widget size Qt takes,
// whatever figure a data file yields (a band limit near 1e38, NaN): the span between two
// positions is then a size Qt takes whole, and the arithmetic never overflows an int.
inline int toPixels(double twips, double twipsPerPixel)
{
    const double pixels = twips / twipsPerPixel;
    if (std::isnan(pixels))
        return 0;
    constexpr double kLimit = QWIDGETSIZE_MAX / 2;
    return int(std::lround(std::clamp(pixels, -kLimit, kLimit)));
}

} // namespace view::qt
