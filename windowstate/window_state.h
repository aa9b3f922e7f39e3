#pragma once
// Where the windows built with layouts open and what they remember: each keeps its size and
// position in the user's settings (QSettings, <config home>/examora/windows.conf) and opens
// inside the available area of its screen however large it was last time, so a window sized
// on a large screen still fits a 640 x 480 one.

#include <QMargins>
#include <QRect>
#include <QString>

#include <memory>

class QSettings;
class QWidget;

namespace windowstate {

// The settings file every layout-built window shares.
std::unique_ptr<QSettings> openSettings();

// `wanted` moved and shrunk as little as possible to lie inside `available`.
QRect fitInside(const QRect &wanted, const QRect &available);

// The frame the desktop draws around `shown`; none while it is not on screen.
QMargins frameMargins(const QWidget *shown);

// The area the window may use: its screen's available geometry (the primary screen's while
// it has none).
QRect availableArea(const QWidget &window);

// Gives the window its remembered geometry under `key`, or `defaultSize` centred on
// `anchor` (the screen when null); either way inside the available area. Call before show().
void restoreGeometry(QWidget &window, const QString &key, QSize defaultSize, const QWidget *anchor = nullptr);
// The window a top-level window opens beside and stays above: `owner`, when the program
// keeps the two unparented, else its parent. setOwner makes `owner` its transient parent.
void setOwner(QWidget &window, QWidget *owner);
QWidget *ownerOf(const QWidget &window);

// Remembers the window's geometry under `key`.
void saveGeometry(const QWidget &window, const QString &key);
// Saves the geometry under `key` whenever the window hides or closes.
void rememberGeometry(QWidget &window, const QString &key);

} // namespace windowstate
