#include "figures/figure_image.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace figures {

QString caption(const QString &figure)
{
    return QStringLiteral("Figure ") + figure;
}

QString missingText(const QString &figure)
{
    return caption(figure) + QStringLiteral(" is missing");
}

FigureImage loadFigure(const QString &figure, const QString &path)
{
    FigureImage out{figure, {}, {}};
    // Opened without blocking and checked before a byte is read: a FIFO would wait for a
    // writer forever, and a device need never end.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info
    {
    };
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        out.error =
            fd < 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("not a regular file");
        if (fd >= 0)
            ::close(fd);
        return out;
    }
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    QImageReader reader(&file);
    // QImageReader's default allocation limit keeps a hostile file from claiming gigabytes.
    out.image = reader.read();
    if (out.image.isNull())
        out.error = reader.errorString();
    return out;
}

namespace {

bool isBackground(QRgb pixel)
{
    constexpr int kNearWhite = 240;
    return qAlpha(pixel) < 16 ||
           (qRed(pixel) >= kNearWhite && qGreen(pixel) >= kNearWhite && qBlue(pixel) >= kNearWhite);
}

} // namespace

QImage trimMargins(const QImage &image)
{
    if (image.isNull())
        return image;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int left = argb.width(), right = -1, top = argb.height(), bottom = -1;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (isBackground(line[x]))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return image; // all background: nothing to show smaller
    const int margin = std::max(4, std::max(image.width(), image.height()) / 100);
    const QRect content =
        QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-margin, -margin, margin, margin);
    const QRect kept = content.intersected(image.rect());
    return kept == image.rect() ? image : image.copy(kept);
}

} // namespace figures
