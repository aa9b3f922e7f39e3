#pragma once
// The program's own artwork, drawn by code: the window icon, the pictures and names
// of the three products shown in the study window's right-hand pane, and the link
// cursor.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QPainter;

namespace mainwindow {

// The icon at one square size in pixels.
QPixmap drawIcon(int size);
// The icon at 16, 32, 48 and 256 pixels, each drawn when first asked for.
QIcon windowIcon();

inline constexpr int kProductCount = 3;
QString productName(int index);
// The design size of product 0..2's picture: 259 x 194 pixels for the first, 259 x 197 for the others.
QSize productPictureSize(int index);
// Draws product 0..2's picture into the rectangle of its design size at the painter's origin.
void paintProductPicture(int index, QPainter &painter);

// A pointing hand, 32 x 32 with its hot spot at the finger tip (12, 1).
QCursor linkCursor();

} // namespace mainwindow
