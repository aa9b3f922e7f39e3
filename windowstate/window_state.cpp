#include "windowstate/window_state.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>

namespace windowstate {

namespace {

QString geometryKey(const QString &key)
{
    return key + QStringLiteral("/geometry");
}

} // namespace

QMargins frameMargins(const QWidget *shown)
{
    if (!shown || !shown->isVisible())
        return {};
    const QRect frame = shown->frameGeometry();
    const QRect client = shown->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

namespace {

// Saves the watched window's geometry as it hides.
class GeometrySaver final : public QObject
{
public:
    GeometrySaver(QWidget &window, QString key) : QObject(&window), m_key(std::move(key))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close)
            saveGeometry(*static_cast<QWidget *>(watched), m_key);
        return false;
    }

private:
    QString m_key;
};

} // namespace

std::unique_ptr<QSettings> openSettings()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return std::make_unique<QSettings>(folder + QStringLiteral("/windows.conf"), QSettings::IniFormat);
}

QRect fitInside(const QRect &wanted, const QRect &available)
{
    if (!available.isValid())
        return wanted;
    QRect out(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    if (out.right() > available.right())
        out.moveRight(available.right());
    if (out.bottom() > available.bottom())
        out.moveBottom(available.bottom());
    if (out.left() < available.left())
        out.moveLeft(available.left());
    if (out.top() < available.top())
        out.moveTop(available.top());
    return out;
}

QRect availableArea(const QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void restoreGeometry(QWidget &window, const QString &key, QSize defaultSize, const QWidget *anchor)
{
    const QRect area = availableArea(anchor ? *anchor : window);
    // No minimum may exceed the screen: the contents scroll instead.
    window.setMinimumSize(window.minimumSize().boundedTo(area.size()));
    // The window's own frame is not known before it is shown; its opener's stands in.
    const QMargins frame = frameMargins(anchor ? anchor->window() : nullptr);
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    QRect wanted;
    const QByteArray saved = openSettings()->value(geometryKey(key)).toByteArray();
    if (!saved.isEmpty() && window.restoreGeometry(saved)) {
        wanted = window.geometry();
    } else {
        wanted = QRect(QPoint(), defaultSize);
        wanted.moveCenter((anchor ? anchor->window()->frameGeometry() : area).center());
    }
    wanted.setSize(wanted.size().expandedTo(least));
    window.setGeometry(fitInside(wanted.marginsAdded(frame), area).marginsRemoved(frame));
}

void saveGeometry(const QWidget &window, const QString &key)
{
    openSettings()->setValue(geometryKey(key), window.saveGeometry());
}

void rememberGeometry(QWidget &window, const QString &key)
{
    new GeometrySaver(window, key);
}

namespace {
// A child of the window holding its owner, gone with the window.
class OwnerLink final : public QObject
{
public:
    using QObject::QObject;
    QPointer<QWidget> owner;
};
const QString kOwnerLinkName = QStringLiteral("windowstate_owner");
} // namespace

void setOwner(QWidget &window, QWidget *owner)
{
    auto *link =
        dynamic_cast<OwnerLink *>(window.findChild<QObject *>(kOwnerLinkName, Qt::FindDirectChildrenOnly));
    if (!link) {
        link = new OwnerLink(&window);
        link->setObjectName(kOwnerLinkName);
    }
    link->owner = owner;
    if (owner) {
        window.winId(); // the native windows, so the desktop keeps this one above its owner
        owner->window()->winId();
        window.windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
}

QWidget *ownerOf(const QWidget &window)
{
    if (const auto *link = dynamic_cast<OwnerLink *>(
            window.findChild<QObject *>(kOwnerLinkName, Qt::FindDirectChildrenOnly)))
        return link->owner;
    return window.parentWidget();
}

} // namespace windowstate
