#include "progress/store.h"
#include "progress/store_impl.h"

#include <QIODevice>

namespace progress {
namespace {

// RFC 4180: a field holding a comma, a quote or a line break is quoted, quotes doubled.
QByteArray field(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n'))
        bytes = '"' + bytes.replace('"', "\"\"") + '"';
    return bytes;
}

} // namespace

bool writeCsv(QIODevice &out, const QList<AnswerRecord> &answers)
{
    QByteArray bytes = "answered_at,pool,question,chosen,correct,hinted,mode\r\n";
    bytes.reserve(answers.size() * 64 + bytes.size());
    for (const AnswerRecord &answer : answers) {
        bytes += field(isoUtc(answer.answeredAt)) + ',' + field(answer.pool) + ',' + field(answer.question) +
                 ',' + field(answer.chosen.isNull() ? QString() : QString(answer.chosen)) + ',' +
                 (answer.correct ? '1' : '0') + ',' + (answer.hinted ? '1' : '0') + ',' +
                 field(modeName(answer.mode)) + "\r\n";
    }
    return out.write(bytes) == bytes.size();
}

} // namespace progress
