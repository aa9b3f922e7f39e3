#include "progress/store.h"
#include "progress/store_impl.h"

#include <QIODevice>

namespace progress {
namespace {

// RFC 4180: a field holding a comma, a quote or a line break is quoted, quotes doubled.
// A field a spreadsheet would run as a formula is made text by a leading apostrophe.
QByteArray field(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.isEmpty() && QByteArrayView("=+-@\t\r").contains(bytes.front()))
        bytes.prepend('\'');
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n'))
        bytes = '"' + bytes.replace('"', "\"\"") + '"';
    return bytes;
}

} // namespace

QByteArray csvHeader()
{
    return QByteArrayLiteral("answered_at,pool,question,chosen,correct,hinted,mode\r\n");
}

QByteArray csvRows(const QList<AnswerRecord> &answers)
{
    QByteArray bytes;
    bytes.reserve(answers.size() * 64);
    for (const AnswerRecord &answer : answers) {
        bytes += field(isoUtc(answer.answeredAt)) + ',' + field(answer.pool) + ',' + field(answer.question) +
                 ',' + field(answer.chosen.isNull() ? QString() : QString(answer.chosen)) + ',' +
                 (answer.correct ? '1' : '0') + ',' + (answer.hinted ? '1' : '0') + ',' +
                 field(modeName(answer.mode)) + "\r\n";
    }
    return bytes;
}

bool writeCsv(QIODevice &out, const QList<AnswerRecord> &answers)
{
    const QByteArray bytes = csvHeader() + csvRows(answers);
    return out.write(bytes) == bytes.size();
}

} // namespace progress
