// The bare window as a program of its own, linking Qt Widgets alone: the baseline of the
// time to the first mapped window (bench/mapped-window), where loading the program's
// libraries counts.
#include "bare_window.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const auto window = bench::buildBareWindow();
    window->show();
    return app.exec();
}
