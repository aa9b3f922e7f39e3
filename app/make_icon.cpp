// Writes the window icon, drawn by the program's own artwork code, as a PNG file.
#include "mainwindow/artwork.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: examora_icon <file.png> [size]\n");
        return 2;
    }
    const int size = args.size() > 2 ? args.at(2).toInt() : 256;
    if (size < 16 || size > 1024 || !mainwindow::drawIcon(size).save(args.at(1), "PNG"))
        return 1;
    return 0;
}
