#include "figures/figure_view.h"

#include "figures/figure_canvas.h"

#include <QLabel>
#include <QMouseEvent>

namespace figures {

namespace {

QLabel *plainLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace

FigureView::FigureView(QWidget *parent)
    : QWidget(parent), m_caption(plainLabel(this)), m_canvas(new FigureCanvas(this)),
      m_missing(plainLabel(this)), m_hint(plainLabel(this))
{
    setFocusPolicy(Qt::NoFocus);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_missing->setFrameShape(QFrame::Box);
    m_missing->setAlignment(Qt::AlignCenter);
    QFont small = m_hint->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_hint->setFont(small);
    m_hint->hide();
    clear();
}

void FigureView::showFigure(const QString &figure, const QString &path)
{
    showFigure(loadFigure(figure, path));
}

void FigureView::showFigure(const FigureImage &figure)
{
    m_figure = figure;
    m_caption->setText(caption(figure.figure));
    m_caption->show();
    setAccessibleName(caption(figure.figure));
    if (figure.ok()) {
        m_canvas->setImage(trimMargins(figure.image));
        m_canvas->show();
        m_missing->hide();
        setAccessibleDescription(QString());
        setCursor(Qt::PointingHandCursor);
    } else {
        m_canvas->setImage(QImage());
        m_canvas->hide();
        m_missing->setText(missingText(figure.figure));
        m_missing->show();
        setAccessibleDescription(missingText(figure.figure));
        unsetCursor();
    }
    m_hint->setVisible(figure.ok() && !m_hint->text().isEmpty());
    layoutParts();
}

void FigureView::clear()
{
    m_figure = FigureImage();
    m_caption->clear();
    m_caption->hide();
    m_canvas->setImage(QImage());
    m_canvas->hide();
    m_missing->hide();
    m_hint->hide();
    setAccessibleName(QString());
    setAccessibleDescription(QString());
    unsetCursor();
}

void FigureView::setHint(const QString &hint)
{
    m_hint->setText(hint);
    m_hint->setVisible(m_figure.ok() && !hint.isEmpty());
    layoutParts();
}

void FigureView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutParts();
}

void FigureView::mousePressEvent(QMouseEvent *event)
{
    // Taken, so the release comes back here; a click is a press and release on the view.
    if (event->button() == Qt::LeftButton && m_figure.ok())
        event->accept();
    else
        event->ignore();
}

void FigureView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_figure.ok() && rect().contains(event->position().toPoint()))
        Q_EMIT activated();
}

void FigureView::layoutParts()
{
    // Caption on top, the image as large as the rest allows, the hint right under it.
    const int w = width();
    const int captionH = m_caption->heightForWidth(w);
    m_caption->setGeometry(0, 0, w, captionH);
    const int gap = captionH / 3;
    const int hintH = m_hint->isVisibleTo(this) ? m_hint->heightForWidth(w) : 0;
    const int spaceH = std::max(0, height() - captionH - gap - hintH - gap);
    if (m_missing->isVisibleTo(this)) {
        m_missing->setGeometry(0, captionH + gap, w, std::min(spaceH, 4 * captionH));
        return;
    }
    int imageH = spaceH;
    const QImage &image = m_canvas->image();
    if (!image.isNull() && w > 0)
        imageH = std::min(spaceH, int(double(w) * image.height() / image.width() + 0.5));
    m_canvas->setGeometry(0, captionH + gap, w, imageH);
    m_hint->setGeometry(0, captionH + gap + imageH + gap, w, hintH);
}

} // namespace figures
