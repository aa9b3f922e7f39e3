#include "questions/pool_file.h"

#include "textio/text_reader.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace questions {

namespace {
// A table of contents holds a few hundred short lines; anything far larger is not one.
constexpr qint64 kMaxTocBytes = 1024 * 1024;
} // namespace

QString poolFileName(QChar element)
{
    switch (element.unicode()) {
    case u'T':
        return QStringLiteral("questech.txt");
    case u'G':
        return QStringLiteral("quesgen.txt");
    case u'E':
        return QStringLiteral("quesextra.txt");
    default:
        return {};
    }
}

QStringList poolFileNames()
{
    return {poolFileName(u'T'), poolFileName(u'G'), poolFileName(u'E')};
}

QString userPoolFolder()
{
    // The folder name is fixed, not the application's name, so that poolconv and the
    // program find the same folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/examora/pools");
}

QString tableOfContentsPath(const QString &poolPath)
{
    const QString suffix = QFileInfo(poolPath).suffix();
    return (suffix.isEmpty() ? poolPath : poolPath.chopped(suffix.size() + 1)) + QStringLiteral(".toc");
}

void loadTableOfContents(Pool &pool, const QString &poolPath)
{
    const textio::FileRead toc = textio::readWholeFile(tableOfContentsPath(poolPath), kMaxTocBytes);
    if (toc.bytes)
        applyTableOfContents(pool, *toc.bytes);
}

PoolParse loadPoolFile(const QString &path)
{
    const textio::FileRead file = textio::readWholeFile(path);
    if (!file.bytes) {
        PoolParse out;
        out.error = ParseError{0, textio::describe(file.error)};
        return out;
    }
    PoolParse out = parsePool(*file.bytes);
    loadTableOfContents(out.pool, path);
    return out;
}

} // namespace questions
