#include "questions/pool_file.h"

#include "questions/table_of_contents.h"
#include "textio/text_reader.h"

#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace questions {

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

bool borrowTableOfContents(Pool &pool, const QString &poolPath, const QString &otherPoolPath)
{
    if (QFileInfo::exists(tableOfContentsPath(poolPath)) || pool.key().isEmpty())
        return false;
    const textio::FileRead toc = textio::readWholeFile(tableOfContentsPath(otherPoolPath), kMaxTocBytes);
    if (!toc.bytes)
        return false;
    QSet<QString> listed;
    for (const TocEntry &e : parseTableOfContents(*toc.bytes))
        if (e.id.size() == 2)
            listed.insert(e.id);
    QSet<QString> held;
    for (const Subelement &s : std::as_const(pool.subelements))
        held.insert(s.id);
    if (listed.isEmpty() || listed != held)
        return false;
    // The other pool's key says which release its table belongs to.
    const textio::FileRead other = textio::readWholeFile(otherPoolPath);
    if (!other.bytes || parsePool(*other.bytes).pool.key() != pool.key())
        return false;
    applyTableOfContents(pool, *toc.bytes);
    return true;
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
