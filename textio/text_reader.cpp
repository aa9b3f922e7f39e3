#include "textio/text_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <array>

namespace textio {

QString describe(ReadError error)
{
    switch (error) {
    case ReadError::Missing:
        return QStringLiteral("no such file");
    case ReadError::NotAFile:
        return QStringLiteral("not a regular file");
    case ReadError::CannotOpen:
        return QStringLiteral("cannot be opened for reading");
    case ReadError::ReadFailed:
        return QStringLiteral("reading failed");
    case ReadError::TooLarge:
        break;
    }
    return QStringLiteral("too large");
}

FileRead readWholeFile(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {std::nullopt, ReadError::Missing};
    if (!info.isFile())
        return {std::nullopt, ReadError::NotAFile};
    if (info.size() > maxBytes)
        return {std::nullopt, ReadError::TooLarge};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, ReadError::CannotOpen};
    // Read to the end rather than trusting the size: the file may change under us. The
    // size it had goes straight into the buffer; whatever follows comes in chunks.
    QByteArray bytes(qsizetype(info.size()), Qt::Uninitialized);
    qsizetype filled = 0;
    char chunk[64 * 1024];
    for (;;) {
        const bool direct = filled < bytes.size();
        const qint64 got =
            direct ? file.read(bytes.data() + filled, bytes.size() - filled) : file.read(chunk, sizeof chunk);
        if (got < 0)
            return {std::nullopt, ReadError::ReadFailed};
        if (got == 0)
            break;
        if (filled + got > maxBytes)
            return {std::nullopt, ReadError::TooLarge};
        if (!direct)
            bytes.append(chunk, qsizetype(got));
        filled += qsizetype(got);
    }
    bytes.truncate(filled); // a file that shrank meanwhile
    return {std::move(bytes), ReadError::Missing};
}

namespace {

// Windows-1252 code points for bytes 0x80..0x9F; the five unassigned bytes map to
// the C1 control of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

} // namespace

namespace {

std::optional<QStringConverter::Encoding> byteOrderMark(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringConverter::Utf8;
    if (bytes.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

} // namespace

TextEncoding textEncoding(QByteArrayView bytes)
{
    if (const std::optional<QStringConverter::Encoding> marked = byteOrderMark(bytes))
        return *marked == QStringConverter::Utf16LE   ? TextEncoding::Utf16LE
               : *marked == QStringConverter::Utf16BE ? TextEncoding::Utf16BE
                                                      : TextEncoding::Utf8;
    // Validated whole: a decoder without state lets a sequence cut off at the end pass.
    return bytes.isValidUtf8() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

QString decodeText(const QByteArray &bytes)
{
    // A byte-order mark decides, and invalid sequences behind one decode as replacement
    // characters; the mark itself is dropped.
    const std::optional<QStringConverter::Encoding> marked = byteOrderMark(bytes);
    if (!marked && !bytes.isValidUtf8())
        return decodeCp1252(bytes);
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8), QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

namespace {

// Where ch first is in text, or its size: Qt's vectorised search called directly, since
// QStringView::indexOf(QChar) reaches it through the general substring search, whose
// fixed cost is more than the search itself on a line of a pool.
qsizetype find(QStringView text, char16_t ch)
{
    return QtPrivate::qustrchr(text, ch) - text.utf16();
}

} // namespace

void TextReader::skipLineEnd()
{
    if (m_pos < m_text.size() && m_text[m_pos] == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
        ++m_pos;
}

std::optional<QStringView> TextReader::readLineView()
{
    if (atEnd())
        return std::nullopt;
    // Qt's vectorised search finds the next line feed once; it is kept until the reader
    // passes it, so text whose lines end in a lone CR is not searched to its end at
    // every line. A CR can only end the line before that line feed.
    if (m_nextLf < m_pos)
        m_nextLf = m_pos + find(QStringView(m_text).sliced(m_pos), u'\n');
    const QStringView rest = QStringView(m_text).first(m_nextLf).sliced(m_pos);
    const qsizetype end = find(rest, u'\r');
    m_pos += end;
    skipLineEnd();
    return rest.first(end);
}

std::optional<QString> TextReader::readLine()
{
    const std::optional<QStringView> line = readLineView();
    return line ? std::optional<QString>(line->toString()) : std::nullopt;
}

std::optional<QString> TextReader::readField()
{
    if (atEnd())
        return std::nullopt;
    const qsizetype size = m_text.size();
    while (m_pos < size && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t'))
        ++m_pos;

    QString value;
    if (m_pos < size && m_text[m_pos] == u'"') {
        const qsizetype start = m_pos + 1;
        const qsizetype close = m_text.indexOf(u'"', start);
        if (close < 0) { // the text ends inside the field: there is no whole field to give
            m_pos = size;
            return std::nullopt;
        }
        value = m_text.mid(start, close - start);
        value.remove(u'\r');
        m_pos = close + 1;
        // Whatever stands between the closing quote and the delimiter is dropped.
        while (m_pos < size && m_text[m_pos] != u',' && m_text[m_pos] != u'\r' && m_text[m_pos] != u'\n')
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < size && m_text[m_pos] != u',' && m_text[m_pos] != u'\r' && m_text[m_pos] != u'\n')
            ++m_pos;
        value = m_text.mid(start, m_pos - start);
    }
    if (m_pos < size && m_text[m_pos] == u',')
        ++m_pos;
    else
        skipLineEnd();
    return value;
}

} // namespace textio
