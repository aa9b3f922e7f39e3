#include "textio/file_writer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace textio {

QString replaceFile(const QString &path, QByteArrayView bytes, InPlace inPlace)
{
    // QFileInfo follows links, as the writer does: a link to a device is a device here.
    const QFileInfo target(path);
    if (target.isDir())
        return QStringLiteral("cannot be written: it is a folder");
    if (target.exists() && !target.isFile())
        return QStringLiteral("cannot be written: not a regular file (a device, FIFO or socket), left alone");

    QSaveFile file(path);
    file.setDirectWriteFallback(inPlace == InPlace::WhenFolderRefuses);
    // Unbuffered, so a short write (a full disk) fails here with the system's reason. A
    // buffered QSaveFile flushes at commit, and a failing flush there went unreported.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QStringLiteral("cannot be written: ") + file.errorString();
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("writing failed: ") + reason;
    }
    if (!file.commit())
        return QStringLiteral("writing failed: ") + file.errorString();
    return {};
}

void removeStaleTemporaries(const QString &path)
{
    const QFileInfo target(path);
    // QSaveFile names its temporary file after the target, with six random letters or digits.
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-60);
    QDir folder = target.absoluteDir();
    const QFileInfoList candidates = folder.entryInfoList({target.fileName() + QStringLiteral(".??????")},
                                                          QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &file : candidates)
        if (temporary.match(file.fileName()).hasMatch() && file.lastModified().toUTC() < stale)
            folder.remove(file.fileName());
}

} // namespace textio
