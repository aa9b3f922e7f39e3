#include "view/qt/qt_window.h"

#include "view/qt/pixels.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace view::qt {

QtWindow::QtWindow(QSizeF clientTwips, QSizeF designDecorationTwips, QWidget *parent)
    : QWidget(parent), m_client(new QWidget(this)),
      m_width(clientTwips.width() + designDecorationTwips.width()),
      m_height(clientTwips.height() + designDecorationTwips.height()),
      m_designDecoration(designDecorationTwips)
{
    m_client->setObjectName(QStringLiteral("clientArea"));
    installEventFilter(this);
    applyOuterGeometry();
}

QtWindow::~QtWindow()
{
    // Controls go first: each destroys its own widget while the window still exists.
    m_byName.clear();
    m_controls.clear();
}

double QtWindow::twipsPerPixel() const
{
    const QScreen *s = screen();
    const double dpi = s ? s->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int QtWindow::menuBarHeight() const
{
    if (!m_menuBar || m_menuBar->isHidden())
        return 0;
    return m_menuBar->sizeHint().height();
}

QSizeF QtWindow::decorationTwips() const
{
    if (!m_platformDecoration)
        return m_designDecoration;
    const double tpp = twipsPerPixel();
    return QSizeF(m_platformDecoration->width() * tpp,
                  (m_platformDecoration->height() + menuBarHeight()) * tpp);
}

void QtWindow::applyOuterGeometry()
{
    const double tpp = twipsPerPixel();
    const QSizeF decoration = decorationTwips();
    const int clientW = std::max(1, toPixels(m_width - decoration.width(), tpp));
    const int clientH = std::max(1, toPixels(m_height - decoration.height(), tpp));
    const QSize size(clientW, clientH + menuBarHeight());
    m_applying = true;
    resize(size);
    move(toPixels(m_left, tpp), toPixels(m_top, tpp));
    m_applying = false;
    m_appliedSize = size;
    layoutChildren();
}

void QtWindow::layoutChildren()
{
    const int bar = menuBarHeight();
    if (m_menuBar)
        m_menuBar->setGeometry(0, 0, width(), bar);
    m_client->setGeometry(0, bar, width(), std::max(0, height() - bar));
}

void QtWindow::syncDecorations()
{
    if (!isVisible())
        return;
    const QSize frame = frameGeometry().size() - size();
    if (m_platformDecoration == frame)
        return;
    // Until the user resizes the window, its outer size stays the one asked for.
    const bool untouched = size() == m_appliedSize;
    m_platformDecoration = frame;
    if (untouched)
        applyOuterGeometry();
}

std::optional<double> QtWindow::get(Prop prop) const
{
    switch (prop) {
    case Prop::Left:
        return m_left;
    case Prop::Top:
        return m_top;
    case Prop::Width:
        return m_width;
    case Prop::Height:
        return m_height;
    case Prop::FontSize:
        return m_fontSize;
    default:
        return std::nullopt;
    }
}

bool QtWindow::set(Prop prop, double value)
{
    if (!std::isfinite(value))
        return false;
    switch (prop) {
    case Prop::Left:
        m_left = value;
        break;
    case Prop::Top:
        m_top = value;
        break;
    case Prop::Width:
        m_width = value;
        break;
    case Prop::Height:
        m_height = value;
        break;
    case Prop::FontSize:
        m_fontSize = value;
        return true;
    default:
        return false;
    }
    applyOuterGeometry();
    return true;
}

bool QtWindow::isShowing() const
{
    return QWidget::isVisible();
}

Control *QtWindow::control(int index)
{
    if (index < 0 || index >= controlCount())
        return nullptr;
    return m_controls[std::size_t(index)].get();
}

Control *QtWindow::find(const QString &name) const
{
    Control *control = m_byName.value(name);
    // A control whose widget has gone answers to no name any more.
    return control && control->name() == name ? control : nullptr;
}

template <class T> T *QtWindow::append(std::unique_ptr<T> control)
{
    T *raw = control.get();
    m_byName.insert(raw->name(), raw);
    m_controls.push_back(std::move(control));
    return raw;
}

void QtWindow::watchKeys(QWidget *widget)
{
    widget->installEventFilter(this);
}

void QtWindow::raiseWindowless(QWidget *widget)
{
    // Buttons and check boxes always lie above every windowless widget, so they are
    // the top of the stack: walk down from the top to the lowest of them.
    QWidget *lowestWindowed = nullptr;
    const QObjectList &children = m_client->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (*it == widget || !(*it)->isWidgetType())
            continue;
        auto *windowed = qobject_cast<QAbstractButton *>(*it);
        if (!windowed)
            break;
        lowestWindowed = windowed;
    }
    if (lowestWindowed)
        widget->stackUnder(lowestWindowed);
    else
        widget->raise();
}

QtLabel *QtWindow::makeLabel(const QString &name, bool visible)
{
    if (find(name))
        return nullptr;
    auto *label = append(std::make_unique<QtLabel>(this, name));
    raiseWindowless(label->widget());
    // Shown or hidden explicitly: a label made hidden stays hidden when the window shows.
    label->widget()->setVisible(visible);
    return label;
}

QtLabel *QtWindow::createLabel(const QString &name)
{
    return makeLabel(name, true);
}

Label *QtWindow::addLabel(const QString &name)
{
    return makeLabel(name, false);
}

bool QtWindow::removeControl(const QString &name)
{
    Control *control = find(name);
    if (!control)
        return false;
    // Run-time labels are the last ones made, so the search from the end is short.
    const auto it = std::find_if(m_controls.rbegin(), m_controls.rend(),
                                 [control](const auto &c) { return c.get() == control; });
    m_byName.remove(name);
    m_controls.erase(std::next(it).base());
    return true;
}

QtPicture *QtWindow::createPicture(const QString &name)
{
    if (find(name))
        return nullptr;
    auto *picture = append(std::make_unique<QtPicture>(this, name));
    raiseWindowless(picture->widget());
    picture->widget()->show();
    return picture;
}

QtButton *QtWindow::createButton(const QString &name)
{
    if (find(name))
        return nullptr;
    auto *button = append(std::make_unique<QtButton>(this, name));
    button->widget()->raise();
    button->widget()->show();
    watchKeys(button->widget());
    return button;
}

QtCheckBox *QtWindow::createCheckBox(const QString &name)
{
    if (find(name))
        return nullptr;
    auto *box = append(std::make_unique<QtCheckBox>(this, name));
    box->widget()->raise();
    box->widget()->show();
    watchKeys(box->widget());
    return box;
}

QtLine *QtWindow::createLine(const QString &name, double x1, double y1, double x2, double y2)
{
    if (find(name))
        return nullptr;
    auto *line = append(std::make_unique<QtLine>(this, name, x1, y1, x2, y2));
    raiseWindowless(line->widget());
    line->widget()->show();
    return line;
}

QMenuBar *QtWindow::ensureMenuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        m_menuBar->setNativeMenuBar(false);
        m_menuBar->show();
        applyOuterGeometry();
    }
    return m_menuBar;
}

QtMenuItem *QtWindow::createMenu(const QString &name, const QString &caption, QtMenuItem *parent)
{
    if (find(name))
        return nullptr;
    QMenu *menu = nullptr;
    if (parent && parent->action() && parent->action()->menu()) {
        menu = parent->action()->menu()->addMenu(caption);
    } else {
        menu = ensureMenuBar()->addMenu(caption);
        layoutChildren();
    }
    menu->setObjectName(name);
    return append(std::make_unique<QtMenuItem>(menu->menuAction(), name, false));
}

QtMenuItem *QtWindow::createMenuItem(const QString &name, const QString &caption, QtMenuItem *parent,
                                     bool checkable)
{
    if (find(name))
        return nullptr;
    QAction *action = nullptr;
    if (parent && parent->action() && parent->action()->menu()) {
        action = parent->action()->menu()->addAction(caption);
    } else {
        action = ensureMenuBar()->addAction(caption);
        layoutChildren();
    }
    return append(std::make_unique<QtMenuItem>(action, name, checkable));
}

QtTimer *QtWindow::createTimer(const QString &name, int intervalMs)
{
    if (find(name))
        return nullptr;
    return append(std::make_unique<QtTimer>(this, name, intervalMs));
}

QtComponent *QtWindow::createComponent(const QString &name)
{
    if (find(name))
        return nullptr;
    return append(std::make_unique<QtComponent>(name));
}

void QtWindow::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &QtWindow::hidden, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    show();
    loop.exec(QEventLoop::DialogExec);
}

void QtWindow::keyDown(int &) {}

bool QtWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    // A key the focused control ignores travels on to its parents; only its first
    // stop, the control with the focus (or the window when none has it), previews it.
    QWidget *target = focusWidget() ? focusWidget() : this;
    if (watched != target)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    int code = key->key();
    if (code == 0 || code == Qt::Key_unknown)
        return false;
    keyDown(code);
    return code == 0;
}

void QtWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
    if (!m_applying && isVisible() && size() != m_appliedSize) {
        // Resized by the user or the platform: the outer size now reads as it is.
        const double tpp = twipsPerPixel();
        const QSize frame = m_platformDecoration.value_or(QSize());
        m_width = (width() + frame.width()) * tpp;
        m_height = (height() + frame.height()) * tpp;
        m_appliedSize = size();
    }
}

void QtWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    syncDecorations();
    if (!m_applying && isVisible()) {
        const double tpp = twipsPerPixel();
        const QPoint at = frameGeometry().topLeft();
        if (toPixels(m_left, tpp) != at.x() || toPixels(m_top, tpp) != at.y()) {
            m_left = at.x() * tpp;
            m_top = at.y() * tpp;
        }
    }
}

void QtWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    syncDecorations();
}

void QtWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // A window manager reports its frame some time after the window is mapped, by
    // the time it activates the window at the latest.
    if (event->type() == QEvent::ActivationChange)
        syncDecorations();
}

void QtWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT hidden();
}

} // namespace view::qt
