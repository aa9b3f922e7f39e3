#pragma once
// The baseline the study window's start is measured against: a window of the same
// number of plain widgets with a menu bar, placed by hand. Qt Widgets alone.

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>

#include <memory>

namespace bench {

inline std::unique_ptr<QWidget> buildBareWindow()
{
    auto window = std::make_unique<QWidget>();
    auto *menu = new QMenuBar(window.get());
    for (const char *title : {"&File", "&Test", "Pri&vileges", "&Help"})
        menu->addMenu(QString::fromLatin1(title));
    for (int i = 0; i < 45; ++i) {
        QWidget *w = i % 3 == 0
                         ? static_cast<QWidget *>(new QPushButton(QStringLiteral("Button"), window.get()))
                         : new QLabel(QStringLiteral("Label text of a control"), window.get());
        w->setGeometry(10 + (i % 5) * 120, 30 + (i / 5) * 40, 110, 30);
    }
    window->resize(1024, 738);
    return window;
}

} // namespace bench
