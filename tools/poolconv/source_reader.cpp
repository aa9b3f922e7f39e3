#include "tools/poolconv/source_reader.h"

#include "textio/text_reader.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <memory>

namespace poolconv {

namespace {

const QString kWordNs = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kCompatNs = QStringLiteral("http://schemas.openxmlformats.org/markup-compatibility/2006");

// Word writes characters of the Symbol font as w:sym with a code from that font;
// these are the ones a pool may plausibly hold. Anything else stays a private-use
// character, which the checks then report.
char16_t symbolFontChar(uint code)
{
    switch (code & 0xFF) {
    case 0x2D:
        return u'\u2212'; // minus
    case 0x44:
        return u'\u0394'; // Delta
    case 0x57:
        return u'\u03A9'; // Omega
    case 0x61:
        return u'\u03B1'; // alpha
    case 0x62:
        return u'\u03B2'; // beta
    case 0x66:
        return u'\u03C6'; // phi
    case 0x6C:
        return u'\u03BB'; // lambda
    case 0x6D:
        return u'\u03BC'; // mu
    case 0x70:
        return u'\u03C0'; // pi
    case 0x71:
        return u'\u03B8'; // theta
    case 0xA3:
        return u'\u2264'; // less than or equal
    case 0xA5:
        return u'\u221E'; // infinity
    case 0xB0:
        return u'\u00B0'; // degree
    case 0xB1:
        return u'\u00B1'; // plus-minus
    case 0xB3:
        return u'\u2265'; // greater than or equal
    case 0xB4:
        return u'\u00D7'; // multiplication
    case 0xB8:
        return u'\u00F7'; // division
    case 0xB9:
        return u'\u2260'; // not equal
    case 0xBB:
        return u'\u2248'; // almost equal
    case 0xD6:
        return u'\u221A'; // square root
    default:
        return 0;
    }
}

struct ZipCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct ZipFileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

QString zipMessage(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

} // namespace

bool looksLikeZip(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

SourceRead readSourceFile(const QString &path)
{
    const textio::FileRead file = textio::readWholeFile(path, kMaxInputBytes);
    if (!file.bytes) {
        if (file.error == textio::ReadError::TooLarge)
            return {std::nullopt,
                    QStringLiteral("larger than %1 MiB: not a question pool").arg(kMaxInputBytes >> 20)};
        return {std::nullopt, textio::describe(file.error)};
    }
    if (file.bytes->isEmpty())
        return {std::nullopt, QStringLiteral("the file is empty")};
    if (looksLikeZip(*file.bytes))
        return readDocxRelease(*file.bytes);
    if (path.endsWith(QStringLiteral(".docx"), Qt::CaseInsensitive))
        return {std::nullopt, QStringLiteral("not a zip archive, so not a Word (.docx) document")};
    return readTextRelease(*file.bytes);
}

SourceRead readTextRelease(const QByteArray &source)
{
    // UTF-16 with a byte-order mark is read as the same text in UTF-8.
    const textio::TextEncoding encoding = textio::textEncoding(source);
    const QByteArray bytes =
        encoding == textio::TextEncoding::Utf16LE || encoding == textio::TextEncoding::Utf16BE
            ? textio::decodeText(source).toUtf8()
            : source;
    SourceText text;
    qsizetype start = 0;
    qsizetype nextLf = -1;
    int number = 0;
    while (start < bytes.size()) {
        // A line ends at CR LF, LF or a lone CR. The next line feed is searched for once
        // and kept, so text whose lines end in a lone CR is read in linear time.
        if (nextLf < start) {
            nextLf = bytes.indexOf('\n', start);
            if (nextLf < 0)
                nextLf = bytes.size();
        }
        const QByteArrayView raw = QByteArrayView(bytes).first(nextLf).sliced(start);
        const qsizetype cr = raw.indexOf('\r');
        const QByteArrayView content = cr < 0 ? raw : raw.first(cr);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        SourceLine line{++number, utf8.decode(content), false};
        line.invalidUtf8 = utf8.hasError();
        if (number == 1 && line.text.startsWith(QChar(0xFEFF)))
            line.text.remove(0, 1);
        text.lines.append(std::move(line));
        start += content.size() + 1;
        if (cr >= 0 && start == nextLf) // CR LF
            ++start;
    }
    return {std::move(text), {}};
}

SourceRead readDocxRelease(const QByteArray &bytes, qint64 maxUnpacked)
{
    const QString docName = QStringLiteral("word/document.xml");
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (!source) {
        const QString message = zipMessage(&error);
        zip_error_fini(&error);
        return {std::nullopt, QStringLiteral("cannot read the zip archive: ") + message};
    }
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) {
        zip_source_free(source);
        const QString message = zipMessage(&error);
        zip_error_fini(&error);
        return {
            std::nullopt,
            QStringLiteral("not a readable zip archive (%1), so not a Word (.docx) document").arg(message)};
    }
    zip_error_fini(&error);

    const zip_int64_t index = zip_name_locate(archive.get(), "word/document.xml", 0);
    if (index < 0)
        return {std::nullopt,
                QStringLiteral("the zip archive holds no %1: not a Word (.docx) document").arg(docName)};
    zip_stat_t stat;
    zip_stat_init(&stat);
    const QString tooLarge =
        QStringLiteral("%1 unpacks to more than %2 MiB: refused").arg(docName).arg(maxUnpacked >> 20);
    if (zip_stat_index(archive.get(), zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        stat.size > zip_uint64_t(maxUnpacked))
        return {std::nullopt, tooLarge};

    std::unique_ptr<zip_file_t, ZipFileCloser> member(zip_fopen_index(archive.get(), zip_uint64_t(index), 0));
    if (!member)
        return {std::nullopt, QStringLiteral("cannot unpack %1: %2")
                                  .arg(docName, QString::fromLocal8Bit(zip_strerror(archive.get())))};
    // The stored size may lie; count what actually comes out.
    QByteArray xml;
    char chunk[64 * 1024];
    for (;;) {
        const zip_int64_t got = zip_fread(member.get(), chunk, sizeof chunk);
        if (got < 0)
            return {std::nullopt, QStringLiteral("cannot unpack %1: %2")
                                      .arg(docName, QString::fromLocal8Bit(zip_file_strerror(member.get())))};
        if (got == 0)
            break;
        if (xml.size() + got > maxUnpacked)
            return {std::nullopt, tooLarge};
        xml.append(chunk, qsizetype(got));
    }
    SourceRead read = paragraphsFromDocumentXml(xml);
    if (!read.text)
        read.error = docName + QStringLiteral(": ") + read.error;
    return read;
}

SourceRead paragraphsFromDocumentXml(const QByteArray &xml)
{
    SourceText text;
    text.unit = QStringLiteral("paragraph");
    QXmlStreamReader reader(xml);
    // Paragraphs can nest (a text box inside a paragraph); each gets its own buffer.
    QList<QString> open;
    QList<QString> stack; // local names of the open elements; empty for other namespaces
    int paragraphs = 0;
    QList<int> openNumbers;

    const auto emitParagraph = [&](const QString &buffer, int number) {
        for (const QString &piece : buffer.split(u'\n'))
            text.lines.append({number, piece, false});
    };

    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const bool word = reader.namespaceUri() == kWordNs;
            const QString name = reader.name().toString();
            // Deleted tracked changes, moved-away text and fallback copies of drawings
            // are not part of the text a reader sees.
            if ((word && (name == u"del" || name == u"moveFrom")) ||
                (reader.namespaceUri() == kCompatNs && name == u"Fallback")) {
                reader.skipCurrentElement();
                continue;
            }
            const QString parentName = stack.isEmpty() ? QString() : stack.last();
            stack.append(word ? name : QString());
            if (!word)
                continue;
            if (name == u"p") {
                open.append(QString());
                openNumbers.append(++paragraphs);
            } else if (open.isEmpty()) {
                continue;
            } else if (name == u"t") {
                open.last() += reader.readElementText(QXmlStreamReader::IncludeChildElements);
                stack.removeLast();
            } else if (parentName == u"r") {
                if (name == u"tab")
                    open.last() += u'\t';
                else if (name == u"br" || name == u"cr")
                    open.last() += u'\n';
                else if (name == u"noBreakHyphen")
                    open.last() += QChar(0x2011);
                else if (name == u"sym") {
                    bool ok = false;
                    const uint code =
                        reader.attributes().value(kWordNs, QStringLiteral("char")).toUInt(&ok, 16);
                    const bool symbolFont =
                        reader.attributes().value(kWordNs, QStringLiteral("font")) == u"Symbol";
                    const char16_t mapped = symbolFont && ok ? symbolFontChar(code) : 0;
                    open.last() +=
                        mapped ? QChar(mapped) : QChar(ok && code <= 0xFFFF ? char16_t(code) : u'\uFFFD');
                }
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (!stack.isEmpty())
                stack.removeLast();
            if (reader.namespaceUri() == kWordNs && reader.name() == u"p" && !open.isEmpty())
                emitParagraph(open.takeLast(), openNumbers.takeLast());
        }
    }
    if (reader.hasError())
        return {std::nullopt, QStringLiteral("not well-formed XML (%1, at line %2)")
                                  .arg(reader.errorString())
                                  .arg(reader.lineNumber())};
    // Sort by paragraph number: a nested paragraph closes before the one around it.
    std::stable_sort(text.lines.begin(), text.lines.end(),
                     [](const SourceLine &a, const SourceLine &b) { return a.number < b.number; });
    return {std::move(text), {}};
}

} // namespace poolconv
