#include "figures/figure_canvas.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace figures {

FigureCanvas::FigureCanvas(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void FigureCanvas::setImage(const QImage &image)
{
    m_image = image;
    m_reduced = QImage();
    if (m_zoom > 0)
        resize(sizeHint());
    update();
}

void FigureCanvas::setZoom(double zoom)
{
    m_zoom = zoom;
    if (m_zoom > 0)
        resize(sizeHint());
    update();
}

QSize FigureCanvas::sizeHint() const
{
    if (m_image.isNull())
        return {};
    if (m_zoom > 0)
        return QSize(int(std::ceil(m_image.width() * m_zoom)), int(std::ceil(m_image.height() * m_zoom)));
    return m_image.size();
}

QRectF FigureCanvas::imageRect() const
{
    if (m_image.isNull())
        return {};
    QSizeF size = m_image.size();
    if (m_zoom > 0)
        return QRectF(QPointF(0, 0), size * m_zoom);
    size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - size.width()) / 2, 0), size);
}

void FigureCanvas::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    // The finer of the screen's ratio and that of what is painted on (an image a caller
    // renders into may be finer), so each device pixel gets one resampled pixel.
    const qreal dpr =
        std::max(devicePixelRatioF(), painter.paintEngine()->paintDevice()->devicePixelRatioF());
    const QRectF target = imageRect();
    const QSize device(int(std::lround(target.width() * dpr)), int(std::lround(target.height() * dpr)));
    if (device.isEmpty())
        return;
    if (device.width() < m_image.width()) {
        // A reduction: resampled from every source pixel once, not skipped over at each paint.
        if (m_reduced.size() != device)
            m_reduced = m_image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_reduced.setDevicePixelRatio(dpr);
        painter.drawImage(target.topLeft(), m_reduced);
        return;
    }
    m_reduced = QImage();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
}

} // namespace figures
