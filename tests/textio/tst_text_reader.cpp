// The line and field rules shared by the pool header, "test.txt" and "BandPlan.txt".
#include "textio/text_reader.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using textio::TextReader;

class TextReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fields_follow_the_delimited_rule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        const auto row = [](const char *name, const char *text, QStringList fields) {
            QTest::newRow(name) << QString::fromUtf8(text) << fields;
        };
        row("three on one line", "a,b,c\r\n", {"a", "b", "c"});
        row("quoted field holds commas", "\"July 1, 2026\",x\r\n", {"July 1, 2026", "x"});
        row("leading spaces skipped", "   a,  \"b\"\r\n", {"a", "b"});
        row("trailing spaces kept when unquoted", "a  ,b\r\n", {"a  ", "b"});
        row("one field a line", "a\r\nb\r\nc\r\n", {"a", "b", "c"});
        row("lone LF ends a field", "a\nb\n", {"a", "b"});
        row("lone CR ends a field", "a\rb\r", {"a", "b"});
        row("text after a closing quote is dropped", "\"a\"junk,b\r\n", {"a", "b"});
        row("unclosed quote is no field", "a,\"abc", {"a"});
        row("quoted line break loses its CR", "\"a\r\nb\",c", {"a\nb", "c"});
        row("empty line is an empty field", "\r\nx", {"", "x"});
        row("comma then line end", "a,\r\nb", {"a", "", "b"});
        row("no trailing line end", "a,b", {"a", "b"});
        row("empty text has no field", "", {});
    }
    void fields_follow_the_delimited_rule()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        TextReader reader(text);
        QStringList got;
        while (auto field = reader.readField())
            got << *field;
        QCOMPARE(got, fields);
        QVERIFY(reader.atEnd());
    }

    void lines_accept_any_line_end_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF") << QStringLiteral("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("mixed") << QStringLiteral("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("blank lines count") << QStringLiteral("a\r\n\r\n") << QStringList{"a", ""};
        QTest::newRow("commas and quotes kept") << QStringLiteral("x, \"y\"\r\n") << QStringList{"x, \"y\""};
    }
    void lines_accept_any_line_end()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        TextReader reader(text);
        QStringList got;
        while (auto line = reader.readLine())
            got << *line;
        QCOMPARE(got, lines);
    }

    // 'F' reads a field, 'L' a line: the two share one position in the text.
    void fields_and_lines_interleave_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QStringList>("got");
        QTest::newRow("header then LF lines")
            << QStringLiteral("h,i\na\nb") << "FLLL" << QStringList{"h", "i", "a", "b"};
        QTest::newRow("field passes a line feed")
            << QStringLiteral("a,b\nc\rd\ne") << "FLLFL" << QStringList{"a", "b", "c", "d", "e"};
        QTest::newRow("quoted field over line ends")
            << QStringLiteral("x\n\"p\nq\r\nr\"\ns\rt") << "LFLL" << QStringList{"x", "p\nq\nr", "s", "t"};
        QTest::newRow("CR-only lines after a field")
            << QStringLiteral("a\rb\rc\r\nd") << "FLLL" << QStringList{"a", "b", "c", "d"};
    }
    void fields_and_lines_interleave()
    {
        QFETCH(QString, text);
        QFETCH(QString, calls);
        QFETCH(QStringList, got);
        TextReader reader(text);
        QStringList read;
        for (const QChar call : calls)
            read << (call == u'F' ? reader.readField() : reader.readLine()).value_or(QStringLiteral("<end>"));
        QCOMPARE(read, got);
        QVERIFY(reader.atEnd());
    }

    // A byte-order mark names the encoding; UTF-16 "Unicode" saves are common elsewhere.
    void byte_order_marks_name_the_encoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("text");
        const QString pool = QStringLiteral("\"Tést\",\"x\"\r\n(A)\r\n");
        const auto utf16 = [](const QString &text, bool big) {
            QByteArray out = big ? "\xFE\xFF" : "\xFF\xFE";
            for (const QChar ch : text) {
                const char hi = char(ch.unicode() >> 8), lo = char(ch.unicode() & 0xFF);
                out.append(big ? hi : lo).append(big ? lo : hi);
            }
            return out;
        };
        QTest::newRow("UTF-16 LE") << utf16(pool, false) << int(textio::TextEncoding::Utf16LE) << pool;
        QTest::newRow("UTF-16 BE") << utf16(pool, true) << int(textio::TextEncoding::Utf16BE) << pool;
        QTest::newRow("UTF-16 LE, odd last byte")
            << utf16(QStringLiteral("ab"), false) + 'c' << int(textio::TextEncoding::Utf16LE)
            << QStringLiteral("ab\uFFFD");
        QTest::newRow("UTF-8 mark, invalid byte later")
            << QByteArray("\xEF\xBB\xBF\xC3\xA9\xE9") << int(textio::TextEncoding::Utf8)
            << QStringLiteral("é\uFFFD");
        QTest::newRow("no mark, UTF-8")
            << QByteArray("\xC3\xA9") << int(textio::TextEncoding::Utf8) << QStringLiteral("é");
        QTest::newRow("no mark, Windows-1252")
            << QByteArray("caf\xE9") << int(textio::TextEncoding::Windows1252) << QStringLiteral("café");
    }
    void byte_order_marks_name_the_encoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(QString, text);
        QCOMPARE(int(textio::textEncoding(bytes)), encoding);
        QCOMPARE(textio::decodeText(bytes), text);
    }

    void decoding_prefers_utf8_and_falls_back_to_windows_1252()
    {
        QCOMPARE(textio::decodeText("caf\xC3\xA9 \xE2\x80\x93"), QStringLiteral("café –"));
        QCOMPARE(textio::decodeText("\xEF\xBB\xBFhead"), QStringLiteral("head"));
        // 0x93/0x94 are curly quotes and 0xE9 is é in Windows-1252; not valid UTF-8.
        QCOMPARE(textio::decodeText("\x93quoted\x94 caf\xE9 \x80"),
                 QStringLiteral("\u201Cquoted\u201D café \u20AC"));
        QCOMPARE(textio::decodeText("<b>bold</b>"), QStringLiteral("<b>bold</b>"));
    }

    void whole_file_reads_refuse_what_is_not_a_regular_file()
    {
        QTemporaryDir dir;
        QCOMPARE(textio::readWholeFile(dir.filePath(QStringLiteral("none"))).error,
                 textio::ReadError::Missing);
        QCOMPARE(textio::readWholeFile(dir.path()).error, textio::ReadError::NotAFile);
        const QByteArray fifo = dir.filePath(QStringLiteral("fifo")).toLocal8Bit();
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QCOMPARE(textio::readWholeFile(QString::fromLocal8Bit(fifo)).error, textio::ReadError::NotAFile);

        QFile big(dir.filePath(QStringLiteral("big")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(QByteArray(100, 'x'));
        big.close();
        QCOMPARE(textio::readWholeFile(big.fileName(), 99).error, textio::ReadError::TooLarge);
        QCOMPARE(textio::readWholeFile(big.fileName(), 100).bytes->size(), 100);
    }
};

QTEST_GUILESS_MAIN(TextReaderTest)
#include "tst_text_reader.moc"
