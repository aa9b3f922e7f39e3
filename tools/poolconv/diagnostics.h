#pragma once
// Problems found while reading, checking or writing a pool. Each names the file, the
// place in it (a line, or a paragraph of a Word document) and the question identifier
// when there is one; notices report what was accepted or skipped, errors stop the output.

#include <QList>
#include <QString>

namespace poolconv {

struct Diagnostic
{
    enum class Severity { Notice, Error };

    Severity severity = Severity::Error;
    QString file;
    QString place; // "line 12", "paragraph 830"; empty for the file as a whole
    QString id;    // question identifier; empty when none applies
    QString message;

    // "FILE: line 12: T1A01: error: MESSAGE", safe to print on a terminal: control
    // characters are escaped ("\x1B").
    QString toString() const;
};

// Text from a file made safe to print on a terminal: control characters and the invisible
// characters that reorder or break a line are shown escaped ("\x1B", "\u202E").
QString escapedForTerminal(const QString &text);

class Diagnostics final
{
public:
    explicit Diagnostics(QString file = {}) : m_file(std::move(file)) {}

    void setFile(const QString &file) { m_file = file; }
    const QString &file() const { return m_file; }

    void error(const QString &place, const QString &id, const QString &message);
    void notice(const QString &place, const QString &id, const QString &message);

    const QList<Diagnostic> &all() const { return m_all; }
    int errorCount() const { return m_errors; }
    bool hasErrors() const { return m_errors > 0; }

    // True once so many errors were reported that going on would only bury them.
    bool tooMany() const { return m_errors >= kMaxErrors; }
    static constexpr int kMaxErrors = 50;

private:
    QString m_file;
    QList<Diagnostic> m_all;
    int m_errors = 0;
};

} // namespace poolconv
