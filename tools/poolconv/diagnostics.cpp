#include "tools/poolconv/diagnostics.h"

namespace poolconv {

// A message quotes its input. Control characters in it would reach the terminal as they
// are, where a crafted file's escape sequences could rewrite the screen; they are shown
// escaped, and so are the invisible characters that reorder or break a line.
QString escapedForTerminal(const QString &text)
{
    const auto hex = [](char16_t c, int width) {
        return QString::number(uint(c), 16).toUpper().rightJustified(width, u'0');
    };
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            out += QStringLiteral("\\x") + hex(c, 2);
        else if (c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069))
            out += QStringLiteral("\\u") + hex(c, 4);
        else
            out += ch;
    }
    return out;
}

QString Diagnostic::toString() const
{
    QString out = file + QStringLiteral(": ");
    if (!place.isEmpty())
        out += place + QStringLiteral(": ");
    if (!id.isEmpty())
        out += id + QStringLiteral(": ");
    out += severity == Severity::Error ? QStringLiteral("error: ") : QStringLiteral("note: ");
    return escapedForTerminal(out + message);
}

void Diagnostics::error(const QString &place, const QString &id, const QString &message)
{
    m_all.append({Diagnostic::Severity::Error, m_file, place, id, message});
    ++m_errors;
}

void Diagnostics::notice(const QString &place, const QString &id, const QString &message)
{
    m_all.append({Diagnostic::Severity::Notice, m_file, place, id, message});
}

} // namespace poolconv
