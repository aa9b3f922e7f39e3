#pragma once
// The privilege chart of one licence class, made of labels created at run time:
// a black bar per band that the class may use ("blbl"k, in file order), a yellow
// name tag at its left ("bnlb"k) and a blue CW or green phone segment per privilege
// record ("priv"m), placed in proportion to its frequencies within the band.

#include <QString>

namespace view {
class Screen;
class Window;
} // namespace view

namespace bandplan {

struct BandPlanTable;

inline constexpr int kMaxChartRows = 20;

// How a build ended. The window ignores it: a failed build just stops, keeping the
// labels it made so far, and the old chart is gone either way.
enum class ChartOutcome {
    Built,
    NoRow,           // the class has no row: nothing to space out
    TooManyRows,     // a 21st row
    EqualBandLimits, // a segment met a row whose band limits give no usable scale
    ViewFailure,     // the window refused a label, a property or has no "Line1"
};

// Screen width / 9600 twips (a 640-pixel screen), at most 1.5.
float fontFactorFor(const view::Screen &screen);

// Replaces the chart in `window` by the chart of `classLetter` ("N", "T", "P", "G",
// "A" or "E") drawn from `table`, below the window's "Line1".
ChartOutcome BuildPrivilegeChart(const QString &classLetter, const BandPlanTable &table, view::Window &window,
                                 const view::Screen &screen);

} // namespace bandplan
