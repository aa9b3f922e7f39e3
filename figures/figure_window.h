#pragma once
// FigureWindow: one figure in a resizable window of its own, for a closer look.
//   - showFigure() shows the whole image at full size (one image pixel per logical
//     pixel) when that fits on the screen; a larger image opens scaled down to fit a
//     window of most of the screen. The title is "Figure T-1", as is the accessible name.
//   - Ctrl + wheel, Ctrl + plus and Ctrl + minus zoom in steps of a quarter, between
//     a tenth and eight times; Ctrl + 0 goes back to full size. Scroll bars appear when
//     the figure is larger than the window.
//   - Escape closes it. Closing only hides it; showFigure() shows it again.
//   - A figure without an image shows its missing text, as FigureView does.

#include "figures/figure_image.h"

#include <QWidget>

class QLabel;
class QScrollArea;

namespace figures {

class FigureCanvas;

class FigureWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FigureWindow)

public:
    // With a parent it stays above that window; it is a window of its own either way.
    explicit FigureWindow(QWidget *parent = nullptr);

    void showFigure(const FigureImage &figure);
    const FigureImage &figure() const { return m_figure; }

    double zoom() const;
    void setZoom(double zoom); // bounded to [kMinZoom, kMaxZoom]
    void zoomIn();
    void zoomOut();

    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 8.0;
    static constexpr double kZoomStep = 1.25;

    FigureCanvas *canvas() const { return m_canvas; }
    QLabel *missingLabel() const { return m_missing; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FigureImage m_figure;
    QScrollArea *m_scroll;
    FigureCanvas *m_canvas;
    QLabel *m_missing;
};

} // namespace figures
