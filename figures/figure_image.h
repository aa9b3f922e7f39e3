#pragma once
// A question's figure read from its file, and the words it is shown with. Shared by
// every window that shows figures, so they all say the same thing.

#include <QImage>
#include <QString>

namespace figures {

// "Figure T-1": the caption, the accessible name and the large window's title.
QString caption(const QString &figure);
// "Figure T-1 is missing": shown in the figure's place when its file cannot be read.
QString missingText(const QString &figure);

struct FigureImage
{
    QString figure; // "T-1"
    QImage image;   // null when the file is missing or unreadable
    QString error;  // why the file could not be read, for a log or a tool tip

    bool ok() const { return !image.isNull(); }
};

// Reads figure `figure` ("T-1") from the image file at `path`. Never fails loudly:
// a missing, unreadable or empty file gives a FigureImage without an image.
FigureImage loadFigure(const QString &figure, const QString &path);

// The image without its plain white (or transparent) margins, a few pixels of margin
// kept; the image itself when nothing would be cut. Scanned figures carry wide white
// borders that would waste a small panel.
QImage trimMargins(const QImage &image);

} // namespace figures
