#pragma once
// The place for a question's figure in the exam window.

#include <QString>

class QWidget;

namespace examwindow {

QWidget *createFigureSlot(QWidget *parent);
// Shows the named figure ("T-1"), or hides the slot when the name is empty.
void showFigure(QWidget *slot, const QString &figure);

} // namespace examwindow
