#include "tests/pool_text.h"

namespace testing {

QByteArray record(const QByteArray &identifier, const QByteArray &question, const QList<QByteArray> &choices)
{
    static const QList<QByteArray> plain{"first", "second", "third", "fourth"};
    QByteArray out =
        identifier + "\r\n" + (question.isNull() ? "Question of " + identifier + "?" : question) + "\r\n";
    for (int c = 0; c < 4; ++c)
        out += QByteArray(1, char('A' + c)) + ".  " + (c < choices.size() ? choices[c] : plain[c]) + "\r\n";
    return out + "~~\r\n";
}

QByteArray poolText(const QList<QByteArray> &identifiers, const QByteArray &header)
{
    QByteArray out = header + "\r\n";
    for (const QByteArray &id : identifiers)
        out += record(id);
    return out;
}

} // namespace testing
