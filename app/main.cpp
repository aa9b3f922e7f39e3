// The program's entry: the study window, loaded and shown, and the event loop.
#include "mainwindow/fonts.h"
#include "mainwindow/form1.h"
#include "progress/store.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    mainwindow::installFontSubstitutions();
    mainwindow::Form1 form;
    form.attachProgress(std::make_unique<progress::Store>());
    form.Form_Load();
    form.show();
    return app.exec();
}
