#pragma once
// Reading a released question pool into numbered lines of text: either the plain-text
// release (UTF-8, or UTF-16 with a byte-order mark; CR LF, LF or a lone CR) or the Word release (a .docx zip
// whose word/document.xml holds one paragraph per line). What comes out is the same for both, so the release
// parser never knows which one it read.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace poolconv {

struct SourceLine
{
    int number = 0; // 1-based line or paragraph number, for messages
    QString text;
    bool invalidUtf8 = false; // the line's bytes were not valid UTF-8
};

struct SourceText
{
    QList<SourceLine> lines;
    QString unit = QStringLiteral("line"); // what `number` counts: "line" or "paragraph"

    QString place(const SourceLine &line) const { return unit + u' ' + QString::number(line.number); }
};

// A read either gives the text or says, in words, why it could not.
struct SourceRead
{
    std::optional<SourceText> text;
    QString error;
};

// No real release comes near these; anything larger is refused rather than read,
// and a Word document that unpacks beyond its bound (a zip bomb) fails cleanly.
inline constexpr qint64 kMaxInputBytes = 64LL * 1024 * 1024;
inline constexpr qint64 kMaxUnpackedBytes = 64LL * 1024 * 1024;

// Reads the file at path: a zip is read as a Word document, anything else as text.
SourceRead readSourceFile(const QString &path);

SourceRead readTextRelease(const QByteArray &source);
SourceRead readDocxRelease(const QByteArray &bytes, qint64 maxUnpacked = kMaxUnpackedBytes);

// The paragraphs of word/document.xml as lines: text runs joined, tabs kept as tabs,
// line breaks splitting a paragraph, non-breaking hyphens as U+2011, deleted
// (tracked) text left out.
SourceRead paragraphsFromDocumentXml(const QByteArray &xml);

bool looksLikeZip(const QByteArray &bytes);

} // namespace poolconv
