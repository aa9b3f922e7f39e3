#pragma once
// The program's command line: --help and --version print and end the program before any
// window system is touched, so they work without a display (over ssh, in a package check).

#include <optional>

namespace app {

// The exit code when the command line asked for help or the version (already printed),
// nothing when the program should start. Options Qt itself reads (-style, -platform...)
// pass through untouched.
std::optional<int> handleInfoOptions(int argc, char *argv[]);

} // namespace app
