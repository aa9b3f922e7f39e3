#pragma once
// FigureWindow: one figure in a resizable window of its own, for a closer look.
//   - showFigure() shows the whole image at full size (one image pixel per logical
//     pixel) when that fits on the screen; a larger image opens scaled down to fit a
//     window of most of the screen. The title is "Figure T-1", as is the accessible name.
//   - Ctrl + wheel, Ctrl + plus and Ctrl + minus zoom in steps of a quarter, between
//     a tenth and eight times; Ctrl + 0 goes back to full size. Scroll bars appear when
//     the figure is larger than the window.
//   - Buttons above the figure zoom in, zoom out, fit it to the window and show it at
//     full size.
//   - Escape closes it. Closing only hides it; showFigure() shows it again.
//   - A figure without an image shows its missing text, as FigureView does.
//   - It opens beside its parent window where the screen leaves room, and over the
//     parent's right-hand side (away from the question) only when it does not.
//   - Other keys go to a handler its owner sets, so the study keys work from here too.

#include "figures/figure_image.h"

#include <QWidget>

#include <functional>

class QLabel;
class QScrollArea;
class QToolButton;

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
    void fitToWindow();

    // Keys this window does not use go to `handler`, which says whether it took them.
    void setKeyHandler(std::function<bool(int key)> handler) { m_keyHandler = std::move(handler); }

    // Where a window of `size` opens: beside `anchor` on the side with room (right first),
    // else at the right of `available`, over the anchor's right-hand side; always inside
    // `available` as far as the size allows.
    static QPoint placeBeside(const QRect &anchor, QSize size, const QRect &available);

    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 8.0;
    static constexpr double kZoomStep = 1.25;

    FigureCanvas *canvas() const { return m_canvas; }
    QLabel *missingLabel() const { return m_missing; }
    QToolButton *zoomInButton() const { return m_zoomIn; }
    QToolButton *zoomOutButton() const { return m_zoomOut; }
    QToolButton *fitButton() const { return m_fit; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QToolButton *addButton(const QString &text, const QString &tip, void (FigureWindow::*action)());

    std::function<bool(int)> m_keyHandler;
    FigureImage m_figure;
    QScrollArea *m_scroll;
    FigureCanvas *m_canvas;
    QLabel *m_missing;
    QToolButton *m_zoomIn = nullptr;
    QToolButton *m_zoomOut = nullptr;
    QToolButton *m_fit = nullptr;
};

} // namespace figures
