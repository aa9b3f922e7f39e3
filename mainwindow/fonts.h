#pragma once
// The design names its fonts after faces of its own platform. The code keeps those
// names and Qt substitutes installed faces for them.

namespace mainwindow {

// "Arial" and "Arial Narrow" become their metric twins Liberation Sans and Liberation
// Sans Narrow; "MS Sans Serif" the nearest installed sans, and "MS Serif" a narrow face.
void installFontSubstitutions();

} // namespace mainwindow
