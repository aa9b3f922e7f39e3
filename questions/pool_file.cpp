#include "questions/pool_file.h"

#include "questions/table_of_contents.h"
#include "textio/text_reader.h"

#include <QFileInfo>

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
