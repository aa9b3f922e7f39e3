#include "figures/figure_window.h"

#include "figures/figure_canvas.h"
#include "windowstate/window_state.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
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
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 4, 4, 0);
    m_zoomIn = addButton(tr("Zoom &in"), tr("Zoom in (Ctrl + plus, Ctrl + wheel)"), &FigureWindow::zoomIn);
    m_zoomOut =
        addButton(tr("Zoom &out"), tr("Zoom out (Ctrl + minus, Ctrl + wheel)"), &FigureWindow::zoomOut);
    m_fit = addButton(tr("&Fit"), tr("Fit the figure to the window"), &FigureWindow::fitToWindow);
    QToolButton *full = addButton(tr("F&ull size"), tr("Full size (Ctrl + 0)"), nullptr);
    connect(full, &QToolButton::clicked, this, [this] { setZoom(1); });
    for (QToolButton *b : {m_zoomIn, m_zoomOut, m_fit, full})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
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

QToolButton *FigureWindow::addButton(const QString &text, const QString &tip, void (FigureWindow::*action)())
{
    auto *button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(tip);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::TabFocus);
    if (action)
        connect(button, &QToolButton::clicked, this, action);
    return button;
}

QPoint FigureWindow::placeBeside(const QRect &anchor, QSize size, const QRect &available)
{
    const int top = std::clamp(anchor.top(), available.top(),
                               std::max(available.top(), available.bottom() + 1 - size.height()));
    if (available.right() - anchor.right() >= size.width())
        return {anchor.right() + 1, top};
    if (anchor.left() - available.left() >= size.width())
        return {anchor.left() - size.width(), top};
    // No room on either side: over the anchor's right-hand part, where the study window
    // shows the figure's thumbnail, leaving the question on the left in sight.
    const int right = std::min(available.right(), anchor.isValid() ? anchor.right() : available.right());
    return {std::max(available.left(), right + 1 - size.width()),
            std::max(available.top(), available.center().y() - size.height() / 2)};
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
    const QWidget *owner = windowstate::ownerOf(*this);
    const QScreen *screen = owner ? owner->screen() : this->screen();
    const QSize room = screen ? screen->availableGeometry().size() * 9 / 10 : QSize(800, 600);
    const QSize margin(4, 4); // the scroll area's frame
    const int buttonsHeight = m_zoomIn->sizeHint().height() + 4 + std::max(0, layout()->spacing());
    const QSize imageRoom = room - QSize(0, buttonsHeight);
    QSize wanted = figure.ok() ? figure.image.size() : QSize(320, 120);
    double zoom = 1;
    if (figure.ok() && (wanted.width() + margin.width() > imageRoom.width() ||
                        wanted.height() + margin.height() > imageRoom.height())) {
        zoom = std::min(double(imageRoom.width() - margin.width()) / wanted.width(),
                        double(imageRoom.height() - margin.height()) / wanted.height());
        wanted = QSize(int(wanted.width() * zoom), int(wanted.height() * zoom));
    }
    setZoom(zoom);
    const QSize buttonsRow(0, buttonsHeight);
    resize(
        (wanted + margin + buttonsRow).expandedTo(QSize(layout()->minimumSize().width(), 0)).boundedTo(room));
    if (screen && !isVisible()) {
        // Its own frame is not known before it shows; its owner's stands in.
        const QWidget *ownerWindow = owner ? owner->window() : nullptr;
        const QRect anchor = ownerWindow ? ownerWindow->frameGeometry() : QRect();
        move(placeBeside(anchor, size().grownBy(windowstate::frameMargins(ownerWindow)),
                         screen->availableGeometry()));
    }
    show();
    // Once shown its frame is known: the whole of it stays on the screen.
    if (screen) {
        const QRect frame = frameGeometry();
        const QPoint inside = windowstate::fitInside(frame, screen->availableGeometry()).topLeft();
        if (inside != frame.topLeft())
            move(inside);
    }
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

void FigureWindow::fitToWindow()
{
    if (!m_figure.ok() || m_figure.image.isNull())
        return;
    const QSize room = m_scroll->viewport()->size();
    const QSize image = m_figure.image.size();
    setZoom(std::min(double(room.width()) / image.width(), double(room.height()) / image.height()));
}

void FigureWindow::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods == Qt::NoModifier && m_keyHandler && m_keyHandler(event->key())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
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
