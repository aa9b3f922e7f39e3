#pragma once
// The surface a figure is painted on, in device pixels, so it stays crisp on HiDPI
// screens. Fit mode scales the image into the widget with its aspect kept, centred
// at the top; zoom mode paints it at a chosen scale and asks for that size. A
// reduction is resampled once and cached; an enlargement is painted from the original.

#include <QImage>
#include <QWidget>

namespace figures {

class FigureCanvas final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FigureCanvas)

public:
    explicit FigureCanvas(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

    // 0 fits the image into the widget; a positive zoom paints it at that scale
    // (1 = one image pixel per logical pixel) and makes that the widget's size.
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }

    // Where the image lies inside the widget, in logical pixels.
    QRectF imageRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    double m_zoom = 0;
    QImage m_reduced; // m_image resampled to the last device size painted, when smaller
};

} // namespace figures
