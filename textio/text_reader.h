#pragma once
// Reading the program's text files: whole-file reads that never block or run away,
// decoding (by byte-order mark, else UTF-8 when valid, else Windows-1252), and a front-to-back reader of
// whole lines and delimited fields shared by the pool header, "test.txt" and "BandPlan.txt".

#include <QByteArray>
#include <QString>

#include <optional>

namespace textio {

enum class ReadError { Missing, NotAFile, CannotOpen, ReadFailed, TooLarge };

struct FileRead
{
    std::optional<QByteArray> bytes;
    ReadError error = ReadError::Missing;
};

// Files larger than this are refused rather than read: no real input comes near it.
inline constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;

// The reason in words: "no such file", "not a regular file"...
QString describe(ReadError error);

// Reads a regular file whole. Folders, FIFOs and devices are refused without opening
// them, so a stray FIFO of a pool's name cannot hang the program.
FileRead readWholeFile(const QString &path, qint64 maxBytes = kMaxFileBytes);

enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

// The encoding a byte-order mark names (UTF-8, UTF-16 LE or BE); without one, UTF-8 when
// the bytes are valid UTF-8, otherwise Windows-1252.
TextEncoding textEncoding(QByteArrayView bytes);

// The bytes decoded in their textEncoding(), the byte-order mark dropped.
QString decodeText(const QByteArray &bytes);

// Reads decoded text strictly from the front. A line ends at CR LF, LF or a lone CR;
// no CR ever reaches a returned line or field.
class TextReader
{
public:
    explicit TextReader(QString text) : m_text(std::move(text)) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    // The whole text; the views the reader hands out point into it.
    const QString &text() const { return m_text; }
    // How much of the text has been read: everything before this offset.
    QStringView consumed() const { return QStringView(m_text).first(m_pos); }
    QStringView rest() const { return QStringView(m_text).mid(m_pos); }

    // The next whole line without its line end; nullopt at the end of the text.
    std::optional<QString> readLine();
    // The same line as a view into the text, valid while the reader lives.
    std::optional<QStringView> readLineView();

    // The next delimited field: it ends at a comma or a line end; spaces before it are
    // skipped; a field that begins with a double quote runs to the next double quote,
    // may hold commas and line ends, and loses its quotes (anything between the closing
    // quote and the next delimiter is dropped). nullopt when the text is at its end, or
    // ends inside a quoted field.
    std::optional<QString> readField();

private:
    void skipLineEnd();

    const QString m_text; // never written: views and copies of it stay valid
    qsizetype m_pos = 0;
    qsizetype m_nextLf = -1; // the first line feed at or after m_pos, or the text's size
};

} // namespace textio
