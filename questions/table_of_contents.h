#pragma once
// The table of contents of a pool: the titles of its subelements and groups, and how many
// questions of an exam each subelement gives, as the NCVEC release names them. poolconv
// writes it beside the pool it converts ("questech.txt" -> "questech.toc").
//
// The file is UTF-8 text, one entry a line, fields separated by a tab:
//     T1<TAB>COMMISSION'S RULES<TAB>6
//     T1A<TAB>Purpose and permissible use of the Amateur Radio Service; ...
// A subelement line gives its identifier (element letter and digit), its title and the
// number of exam questions; a group line its identifier (subelement and letter) and its
// title. Lines starting with "#" and empty lines are comments. A reader skips every line
// it cannot use, so a damaged file costs titles, never the pool.

#include <QByteArray>
#include <QList>
#include <QString>

namespace questions {

struct TocEntry
{
    QString id;            // "T1" or "T1A"
    QString title;         // as released
    int examQuestions = 0; // subelements only; 0 when not known
};

// The file's bytes; comment is written as the first line, after "# ". Titles are written
// on one line with their white space runs made single spaces.
QByteArray formatTableOfContents(const QList<TocEntry> &entries, const QString &comment);

// A table of contents holds a few hundred short lines; a file over this is not one.
inline constexpr qint64 kMaxTocBytes = 1024 * 1024;

struct TocRead
{
    QList<TocEntry> entries; // the usable ones, in file order
    QList<int> skippedLines; // 1-based lines that are neither comment, blank nor entry
    bool tooLarge = false;   // over kMaxTocBytes: not read at all
};
TocRead readTableOfContents(const QByteArray &bytes);

// The usable entries of a table of contents, in file order.
QList<TocEntry> parseTableOfContents(const QByteArray &bytes);

} // namespace questions
