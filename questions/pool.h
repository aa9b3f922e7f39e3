#pragma once
// The question-pool model: a pool file read once into questions, their groups and
// subelements. The study window, poolconv --check, the progress store and the practice
// exam all read pools through parsePool, so they agree on what a file holds.
//
// A pool file is three header fields (title, effective dates, note) in delimited-field
// syntax, then records of seven whole lines: line 0 the identifier with the answer mark
// "(X)" after it and the reference, line 1 the question, lines 2-5 the choices behind a
// four-character prefix, line 6 a separator. At most 1501 records.

#include "questions/exam_rules.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <QStringView>

#include <array>
#include <optional>

namespace questions {

inline constexpr int kMaxQuestions = 1501;
inline constexpr int kRecordLines = 7;

class Question
{
public:
    // Everything below is a view into the decoded text of the file the question was read
    // from. The question shares that text (implicitly, as QString does), so its views stay
    // valid while the question or any copy of it, or of its pool, lives.
    QStringView id() const { return line(0).first(m_idSize); } // "T1A01"; empty when line 0 names none
    QStringView subelement() const { return id().first(m_groupSize > 0 ? 2 : 0); } // "T1"
    QStringView group() const { return id().first(m_groupSize); }                  // "T1A"
    QChar correct() const { return m_correct; } // 'A'..'D'; null when line 0 has no valid "(X)" mark
    QStringView reference() const { return view(m_reference); } // "[97.1]" as written, or empty
    QStringView text() const { return line(1); }
    QStringView choice(int c) const { return line(2 + c).mid(4); } // without its four-character prefix
    QStringView line(int k) const { return view(m_lines[std::size_t(k)]); } // the record exactly as written
    const QString &figure() const { return m_figure; } // "T-1" when the text names a figure, else empty
    int firstLine() const { return m_firstLine; }      // 1-based line of line 0 in the file

private:
    friend class RecordReader;
    struct Span
    {
        qint32 from = 0;
        qint32 size = 0;
    };
    QStringView view(Span s) const { return QStringView(m_source).sliced(s.from, s.size); }

    QString m_source; // the whole decoded file, shared
    std::array<Span, kRecordLines> m_lines;
    Span m_reference;
    QString m_figure;
    qint32 m_firstLine = 0;
    qint16 m_idSize = 0;
    qint16 m_groupSize = 0; // 3 for an identifier of the form T1A01 (any element letter), else 0
    QChar m_correct;
};

struct Group
{
    QString id;           // "T1A"
    QString title;        // from the table of contents; the identifier when there is none
    QList<int> questions; // indices into Pool::questions, in file order
};

struct Subelement
{
    QString id;            // "T1"
    QString title;         // from the table of contents; the identifier when there is none
    QList<int> groups;     // indices into Pool::groups, in file order
    int examQuestions = 0; // questions of an exam drawn from it, from the table of contents; 0 unknown
};

// A record that loads but is not a well-formed question (no answer mark, a letter outside
// A-D, an identifier not of the NCVEC form...). The study window still shows it as written.
struct Problem
{
    // An error leaves the question unanswerable or unreadable; a notice points at a layout
    // that works but suggests the records are out of step.
    enum class Severity { Error, Notice };

    int line = 0; // 1-based
    QString questionId;
    QString message;
    Severity severity = Severity::Error;
};

class Pool
{
public:
    QString title;
    QString effective;
    QString note;
    QList<Question> questions; // complete records, in file order; cheap to copy
    QList<Group> groups;       // in order of first appearance
    QList<Subelement> subelements;
    QList<Problem> problems;
    // Lines of an incomplete last record (fewer than seven), as read; never a question.
    QList<QString> leftoverLines;

    const Question *find(QStringView id) const;
    int indexOf(QStringView id) const;                      // -1 when absent
    qsizetype questionIds() const { return m_byId.size(); } // distinct identifiers
    // The element letter of the identifiers ("T", "G", "E"), empty when they disagree or
    // none has the NCVEC form.
    QString element() const;
    // "T 2026-2030": the element letter and the years of the effective dates.
    QString key() const;

    // Rebuilds groups, subelements and the look-up from questions (after parsing or edits).
    void index();

private:
    QHash<QStringView, int> m_byId; // views into the questions' own text
};

struct ParseError
{
    int line = 0; // 1-based line where reading stopped; 0 for the whole file
    QString message;
};

// The outcome of reading a pool file. On failure `pool` still holds what was read before
// it (header fields as far as they got, complete records), because the study window shows
// exactly that after a failed load.
struct PoolParse
{
    Pool pool;
    std::optional<ParseError> error;
    int headerFields = 0; // header fields read, 0..3: title and effective are valid as far as these go
    bool ok() const { return !error.has_value(); }
};

// Decodes the bytes (UTF-8 when valid, else Windows-1252) and reads them as a pool file.
PoolParse parsePool(const QByteArray &bytes);

// The figure a question's text names ("figure T-1", "Figure E6-3", any letter case),
// normalised to upper case as "T-1"; empty when it names none.
QString figureNameIn(QStringView text);
// The figure's file name inside the pools' "figures" folder: "t-1.png".
QString figureFileName(const QString &figure);
// The folder of the figures of the pools in poolsFolder: its "figures" folder.
QString figuresFolder(const QString &poolsFolder);
// Where the figure of a pool in poolsFolder is: "<poolsFolder>/figures/t-1.png".
QString figurePath(const QString &poolsFolder, const QString &figure);

// Reads a table of contents (subelement and group titles) and applies its titles to the
// pool. A missing or broken table changes nothing: titles fall back to identifiers.
// The file format is described in questions/table_of_contents.h.
void applyTableOfContents(Pool &pool, const QByteArray &tocBytes);

} // namespace questions
