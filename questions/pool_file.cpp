#include "questions/pool_file.h"

#include "questions/table_of_contents.h"
#include "textio/text_reader.h"

#include "questions/table_of_contents.h"

#include <QFileInfo>
#include <QSet>

namespace questions {

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
