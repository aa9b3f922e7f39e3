#include "view/qt/qt_announce.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace view::qt {

namespace {

const char kAnnounced[] = "examoraAnnounced";

class AnnouncedLabel final : public QAccessibleWidget
{
public:
    explicit AnnouncedLabel(QLabel *label) : QAccessibleWidget(label, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const QLabel *>(widget())->text()
                                      : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *announcedLabelFactory(const QString &, QObject *object)
{
    auto *label = qobject_cast<QLabel *>(object);
    return label && label->property(kAnnounced).toBool() ? new AnnouncedLabel(label) : nullptr;
}

} // namespace

void makeAnnounced(QLabel *label)
{
    static const bool installed = (QAccessible::installFactory(announcedLabelFactory), true);
    Q_UNUSED(installed);
    label->setProperty(kAnnounced, true);
    // Qt asks for a widget's interface at its first show or hide, even with no screen reader
    // listening, and keeps it: the plain-text one made before is dropped.
    QAccessible::deleteAccessibleInterface(
        QAccessible::uniqueId(QAccessible::queryAccessibleInterface(label)));
}

void announce(QLabel *label, bool wasShown)
{
    if (!label->isVisible())
        return;
    if (wasShown) {
        QAccessibleEvent shown(label, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
    QAccessibleEvent alert(label, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace view::qt
