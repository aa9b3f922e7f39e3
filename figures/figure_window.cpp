#include "figures/figure_window.h"

#include "figures/figure_canvas.h"

#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace figures {

FigureWindow::FigureWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_scroll(new QScrollArea(this)), m_canvas(new FigureCanvas),
      m_missing(new QLabel(this))
{
    setObjectName(QStringLiteral("FigureWindow"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    layout->addWidget(m_missing);
    m_scroll->setWidget(m_canvas);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Base);
    m_scroll->viewport()->installEventFilter(this);
    m_canvas->setZoom(1);
    m_missing->setTextFormat(Qt::PlainText);
    m_missing->setAlignment(Qt::AlignCenter);
    m_missing->hide();

    const auto shortcut = [this](const QKeySequence &keys, auto action) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence::ZoomIn, [this] { zoomIn(); });
    // Ctrl + = is Ctrl + plus without the Shift many keyboards need for "+".
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { zoomIn(); });
    shortcut(QKeySequence::ZoomOut, [this] { zoomOut(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { setZoom(1); });
    shortcut(QKeySequence(Qt::Key_Escape), [this] { close(); });
}

void FigureWindow::showFigure(const FigureImage &figure)
{
    m_figure = figure;
    setWindowTitle(caption(figure.figure));
    setAccessibleName(caption(figure.figure));
    m_canvas->setImage(figure.image);
    m_scroll->setVisible(figure.ok());
    m_missing->setVisible(!figure.ok());
    m_missing->setText(missingText(figure.figure));

    // Full size when it fits in most of the screen, else as large as fits.
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    const QSize room = screen ? screen->availableGeometry().size() * 9 / 10 : QSize(800, 600);
    const QSize margin(4, 4); // the scroll area's frame
    QSize wanted = figure.ok() ? figure.image.size() : QSize(320, 120);
    double zoom = 1;
    if (figure.ok() && (wanted.width() + margin.width() > room.width() ||
                        wanted.height() + margin.height() > room.height())) {
        zoom = std::min(double(room.width() - margin.width()) / wanted.width(),
                        double(room.height() - margin.height()) / wanted.height());
        wanted = QSize(int(wanted.width() * zoom), int(wanted.height() * zoom));
    }
    setZoom(zoom);
    resize((wanted + margin).boundedTo(room));
    if (screen && !isVisible())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

double FigureWindow::zoom() const
{
    return m_canvas->zoom();
}

void FigureWindow::setZoom(double zoom)
{
    const double bounded = std::clamp(zoom, kMinZoom, kMaxZoom);
    // Keep the point at the middle of the view where it is.
    QScrollBar *h = m_scroll->horizontalScrollBar();
    QScrollBar *v = m_scroll->verticalScrollBar();
    const double old = m_canvas->zoom();
    const double cx = (h->value() + m_scroll->viewport()->width() / 2.0) / old;
    const double cy = (v->value() + m_scroll->viewport()->height() / 2.0) / old;
    m_canvas->setZoom(bounded);
    h->setValue(int(std::lround(cx * bounded - m_scroll->viewport()->width() / 2.0)));
    v->setValue(int(std::lround(cy * bounded - m_scroll->viewport()->height() / 2.0)));
}

void FigureWindow::zoomIn()
{
    setZoom(zoom() * kZoomStep);
}

void FigureWindow::zoomOut()
{
    setZoom(zoom() / kZoomStep);
}

bool FigureWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int steps = wheel->angleDelta().y() / 120;
            if (steps != 0)
                setZoom(zoom() * std::pow(kZoomStep, steps));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace figures
