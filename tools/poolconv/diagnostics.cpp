#include "tools/poolconv/diagnostics.h"

namespace poolconv {

QString Diagnostic::toString() const
{
    QString out = file + QStringLiteral(": ");
    if (!place.isEmpty())
        out += place + QStringLiteral(": ");
    if (!id.isEmpty())
        out += id + QStringLiteral(": ");
    out += severity == Severity::Error ? QStringLiteral("error: ") : QStringLiteral("note: ");
    return out + message;
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
