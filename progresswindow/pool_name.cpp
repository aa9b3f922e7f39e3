#include "progresswindow/pool_name.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace progresswindow {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("progresswindow", text);
}

} // namespace

QString poolName(const QString &key, const QString &title)
{
    QStringList parts = key.split(u' ', Qt::SkipEmptyParts);
    QString years;
    if (!parts.isEmpty() && parts.last().front().isDigit())
        years = parts.takeLast().replace(u'-', QChar(0x2013));
    QString name;
    if (parts.size() == 1 && parts.first() == QStringLiteral("T"))
        name = tr("Technician pool");
    else if (parts.size() == 1 && parts.first() == QStringLiteral("G"))
        name = tr("General pool");
    else if (parts.size() == 1 && parts.first() == QStringLiteral("E"))
        name = tr("Extra pool");
    else
        name = title.simplified().isEmpty() ? tr("Question pool") : title.simplified();
    return years.isEmpty() ? name : tr("%1, %2").arg(name, years);
}

QString progressTitle(const QString &poolName, const QString &userFolder)
{
    if (poolName.isEmpty())
        return tr("Progress");
    if (userFolder.isEmpty())
        return tr("Progress: %1").arg(poolName);
    return tr("Progress: %1, your installed copy from %2")
        .arg(poolName, QDir::toNativeSeparators(userFolder));
}

} // namespace progresswindow
