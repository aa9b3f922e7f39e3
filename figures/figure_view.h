#pragma once
// The figure library: a question's figure shown beside it, and the same figure in a
// window of its own. Windows that show questions (the study window, the practice
// exam) use these, so a figure looks, reads and fails the same everywhere.
//
// FigureView (a child widget you place yourself):
//   - showFigure("T-1", path) reads the file and shows the caption "Figure T-1" above
//     the image, scaled to the widget with its aspect kept, crisp on HiDPI screens.
//     Plain white margins of the file are trimmed, so a small panel shows the drawing
//     itself as large as it can.
//   - A missing or unreadable file shows "Figure T-1 is missing" in the image's place;
//     nothing else changes (no message box, no empty box).
//   - clear() shows nothing again; hasFigure() says whether a figure is set.
//   - Its accessible name is "Figure T-1"; a missing figure's description says so.
//   - A click on a shown image emits activated(); open the large view from there.
//   - setHint() puts a line of small text under the image ("Click to enlarge").
//   - It never takes the keyboard focus, so it changes no window's tab order.
//
// FigureWindow: see figure_window.h.

#include "figures/figure_image.h"

#include <QWidget>

class QLabel;

namespace figures {

class FigureCanvas;

class FigureView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FigureView)

public:
    explicit FigureView(QWidget *parent = nullptr);

    void showFigure(const QString &figure, const QString &path);
    void showFigure(const FigureImage &figure);
    void clear();

    bool hasFigure() const { return !m_figure.figure.isEmpty(); }
    // The figure as read, full size and untrimmed: what a large view shows.
    const FigureImage &figure() const { return m_figure; }

    void setHint(const QString &hint);

    // Parts, for tests and for a window that wants to match their look.
    QLabel *captionLabel() const { return m_caption; }
    QLabel *missingLabel() const { return m_missing; }
    FigureCanvas *canvas() const { return m_canvas; }

Q_SIGNALS:
    void activated();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void layoutParts();

    FigureImage m_figure;
    QLabel *m_caption;
    FigureCanvas *m_canvas;
    QLabel *m_missing;
    QLabel *m_hint;
};

} // namespace figures
