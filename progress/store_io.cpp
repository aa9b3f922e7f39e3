// The store's statements: writing answers and exams, reading them back, settings.
#include "progress/store_impl.h"

#include <algorithm>

#include <QSqlQuery>
#include <QStringTokenizer>
#include <QVariant>

namespace progress {
namespace {

const QString kAnswerColumns = QStringLiteral("answered_at, pool, question, chosen, correct, hinted, mode");
// Text read back is cut at 64 KB (a moment at 64 characters), so a file holding huge values
// costs no more than one with the longest real ones.
const QString kAnswerReads =
    QStringLiteral("substr(answered_at, 1, 64), substr(pool, 1, 65536), substr(question, 1, 65536), "
                   "substr(chosen, 1, 1), correct, hinted, substr(mode, 1, 16)");
const QString kExamReads = QStringLiteral(
    "id, substr(pool, 1, 65536), substr(started_at, 1, 64), substr(finished_at, 1, 64), score, "
    "total, pass_mark, passed");

int digits(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The stored choice: "A" to "D", or "" for a question left unanswered.
QString choiceText(QChar chosen)
{
    return chosen >= u'A' && chosen <= u'D' ? QString(chosen) : QStringLiteral("");
}

AnswerRecord answerFrom(const QSqlQuery &query)
{
    AnswerRecord answer;
    answer.answeredAt = fromIsoUtc(query.value(0).toString());
    answer.pool = query.value(1).toString();
    answer.question = query.value(2).toString();
    const QString chosen = query.value(3).toString();
    answer.chosen = chosen.isEmpty() ? QChar() : chosen.front();
    answer.correct = query.value(4).toInt() != 0;
    answer.hinted = query.value(5).toInt() != 0;
    answer.mode = modeFromName(query.value(6).toString()).value_or(Mode::Study);
    return answer;
}

} // namespace

QString isoUtc(const QDateTime &moment)
{
    return moment.toUTC().toString(Qt::ISODateWithMs);
}

// The stored form is read by hand: Qt's general ISO parser costs more than the rest of
// reading a row, and the Progress window reads every answer of a pool when it opens.
QDateTime fromIsoUtc(QStringView text)
{
    if (text.size() == 24 && text[4] == u'-' && text[7] == u'-' && text[10] == u'T' && text[13] == u':' &&
        text[16] == u':' && text[19] == u'.' && text[23] == u'Z') {
        const QDate date(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
        const QTime time(digits(text, 11, 2), digits(text, 14, 2), digits(text, 17, 2), digits(text, 20, 3));
        if (date.isValid() && time.isValid())
            return QDateTime(date, time, Qt::UTC);
    }
    QDateTime moment = QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
    return moment.isValid() ? moment.toUTC() : moment;
}

QSqlError Store::Impl::write(const Pending &entry)
{
    if (QSqlError e = exec(QStringLiteral("BEGIN IMMEDIATE")); e.isValid())
        return e;
    QSqlError error;
    QVariant examId;
    if (entry.exam) {
        const ExamRecord &exam = *entry.exam;
        QSqlQuery query(db);
        query.prepare(
            QStringLiteral("INSERT INTO exams (pool, started_at, finished_at, score, total, pass_mark, "
                           "passed) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        query.addBindValue(exam.pool);
        query.addBindValue(isoUtc(exam.startedAt));
        query.addBindValue(isoUtc(exam.finishedAt));
        query.addBindValue(exam.score);
        query.addBindValue(exam.total);
        query.addBindValue(exam.passMark);
        query.addBindValue(exam.passed ? 1 : 0);
        if (query.exec())
            examId = query.lastInsertId();
        else
            error = failureOf(query);
    }
    if (!error.isValid() && !entry.answers.isEmpty()) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("INSERT INTO answers (%1, exam_id) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
                          .arg(kAnswerColumns));
        for (const AnswerRecord &answer : entry.answers) {
            query.addBindValue(isoUtc(answer.answeredAt));
            query.addBindValue(answer.pool);
            query.addBindValue(answer.question);
            query.addBindValue(choiceText(answer.chosen));
            query.addBindValue(answer.correct ? 1 : 0);
            query.addBindValue(answer.hinted ? 1 : 0);
            query.addBindValue(modeName(answer.mode));
            query.addBindValue(examId);
            if (!query.exec()) {
                error = failureOf(query);
                break;
            }
        }
    }
    if (!error.isValid())
        error = exec(QStringLiteral("COMMIT"));
    if (error.isValid()) {
        exec(QStringLiteral("ROLLBACK"));
        return error;
    }
    if (entry.exam)
        lastExamId = examId.toLongLong();
    return {};
}

QString Store::readFault() const
{
    return m_impl->readFault;
}

QList<AnswerRecord> Store::answers(const QString &pool) const
{
    QList<AnswerRecord> result;
    m_impl->readFault.clear();
    if (m_impl->db.isValid()) {
        QSqlQuery query(m_impl->db);
        query.setForwardOnly(true);
        // A statement that cannot be prepared (a table missing, a locked schema) keeps its
        // reason; exec() would replace it with "Parameter count mismatch".
        QSqlError prepareError;
        if (!query.prepare(QStringLiteral("SELECT %1 FROM answers WHERE pool = ? ORDER BY answered_at, id")
                               .arg(kAnswerReads)))
            prepareError = failureOf(query);
        query.addBindValue(pool);
        if (prepareError.isValid()) {
            m_impl->readFailed(prepareError);
        } else if (query.exec()) {
            while (query.next())
                result.append(answerFrom(query));
        }
        if (!prepareError.isValid() && (query.lastError().isValid() || !query.isActive()))
            m_impl->readFailed(failureOf(query));
    }
    for (const Pending &entry : m_impl->pending) {
        for (const AnswerRecord &answer : entry.answers) {
            if (answer.pool == pool)
                result.append(answer);
        }
    }
    return result;
}

QHash<QString, QList<AnswerMark>> Store::answersByQuestion(const QString &pool) const
{
    QHash<QString, QList<AnswerMark>> result;
    m_impl->readFault.clear();
    if (m_impl->db.isValid()) {
        // Each question's answers come as one text, so 100,000 answers cross into Qt as a few
        // hundred rows: per answer its moment's length, ':', the moment and a digit for
        // correct + 2 * hinted. The length, not a separator, ends the moment, whatever the
        // moment holds.
        QSqlQuery query(m_impl->db);
        query.setForwardOnly(true);
        const bool prepared = query.prepare(QStringLiteral(
            "SELECT question, group_concat(length(moment) || ':' || moment || code, '') FROM (SELECT "
            "substr(question, 1, 65536) AS question, CAST(substr(coalesce(answered_at, ''), 1, 64) AS TEXT) "
            "AS moment, (correct != 0) + 2 * (hinted != 0) AS code FROM answers WHERE pool = ?) "
            "GROUP BY question"));
        const QSqlError prepareError = prepared ? QSqlError() : failureOf(query);
        query.addBindValue(pool);
        if (prepareError.isValid()) {
            m_impl->readFailed(prepareError);
        } else if (query.exec()) {
            while (query.next()) {
                QList<AnswerMark> &marks = result[query.value(0).toString()];
                const QString joined = query.value(1).toString();
                const QStringView text(joined);
                for (qsizetype at = 0; at < text.size();) {
                    const qsizetype colon = text.indexOf(u':', at);
                    bool ok = false;
                    const qsizetype length = colon < 0 ? -1 : text.sliced(at, colon - at).toLongLong(&ok);
                    if (!ok || length < 0)
                        break;
                    // SQLite counts characters; a character beyond the BMP is two here.
                    qsizetype end = colon + 1;
                    for (qsizetype n = 0; n < length && end < text.size(); ++n)
                        end += text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
                    if (end >= text.size())
                        break;
                    const int code = text[end].digitValue();
                    marks.append({fromIsoUtc(text.sliced(colon + 1, end - colon - 1)), (code & 1) != 0,
                                  (code & 2) != 0});
                    at = end + 1;
                }
            }
        }
        if (!prepareError.isValid() && (query.lastError().isValid() || !query.isActive()))
            m_impl->readFailed(failureOf(query));
    }
    for (const Pending &entry : m_impl->pending) {
        for (const AnswerRecord &answer : entry.answers) {
            if (answer.pool == pool)
                result[answer.question].append({answer.answeredAt, answer.correct, answer.hinted});
        }
    }
    for (QList<AnswerMark> &marks : result) {
        std::stable_sort(marks.begin(), marks.end(), [](const AnswerMark &a, const AnswerMark &b) {
            return a.answeredAt < b.answeredAt;
        });
    }
    return result;
}

QList<AnswerRecord> Store::allAnswers() const
{
    QList<AnswerRecord> result;
    readAllAnswers([&](const QList<AnswerRecord> &batch) {
        result.append(batch);
        return true;
    });
    return result;
}

bool Store::readAllAnswers(const std::function<bool(const QList<AnswerRecord> &)> &take,
                           const std::function<void(qint64)> &total, int batchSize) const
{
    m_impl->readFault.clear();
    // A copy: `take` may let an answer be recorded meanwhile.
    const QList<Pending> pending = m_impl->pending;
    qint64 waiting = 0;
    for (const Pending &entry : pending)
        waiting += entry.answers.size();
    if (m_impl->db.isValid()) {
        if (total) {
            QSqlQuery count(m_impl->db);
            total(count.exec(QStringLiteral("SELECT COUNT(*) FROM answers")) && count.next()
                      ? count.value(0).toLongLong() + waiting
                      : -1);
        }
        QSqlQuery query(m_impl->db);
        query.setForwardOnly(true);
        if (query.exec(QStringLiteral("SELECT %1 FROM answers ORDER BY answered_at, id").arg(kAnswerReads))) {
            QList<AnswerRecord> batch;
            batch.reserve(batchSize);
            while (query.next()) {
                batch.append(answerFrom(query));
                if (batch.size() >= batchSize) {
                    if (!take(batch))
                        return false;
                    batch.clear();
                }
            }
            if (!batch.isEmpty() && !query.lastError().isValid() && !take(batch))
                return false;
        }
        if (query.lastError().isValid() || !query.isActive()) {
            m_impl->readFailed(failureOf(query));
            return false;
        }
    } else if (total) {
        total(waiting);
    }
    for (const Pending &entry : pending) {
        if (!entry.answers.isEmpty() && !take(entry.answers))
            return false;
    }
    return true;
}

QList<ExamRecord> Store::exams(const QString &pool) const
{
    QList<ExamRecord> result;
    m_impl->readFault.clear();
    if (m_impl->db.isValid()) {
        QSqlQuery query(m_impl->db);
        query.setForwardOnly(true);
        const bool prepared = query.prepare(
            QStringLiteral("SELECT %1 FROM exams WHERE pool = ? ORDER BY started_at, id").arg(kExamReads));
        const QSqlError prepareError = prepared ? QSqlError() : failureOf(query);
        query.addBindValue(pool);
        if (prepareError.isValid()) {
            m_impl->readFailed(prepareError);
        } else if (query.exec()) {
            while (query.next()) {
                ExamRecord exam;
                exam.id = query.value(0).toLongLong();
                exam.pool = query.value(1).toString();
                exam.startedAt = fromIsoUtc(query.value(2).toString());
                exam.finishedAt = fromIsoUtc(query.value(3).toString());
                exam.score = query.value(4).toInt();
                exam.total = query.value(5).toInt();
                exam.passMark = query.value(6).toInt();
                exam.passed = query.value(7).toInt() != 0;
                result.append(exam);
            }
        }
        if (!prepareError.isValid() && (query.lastError().isValid() || !query.isActive()))
            m_impl->readFailed(failureOf(query));
    }
    for (const Pending &entry : m_impl->pending) {
        if (entry.exam && entry.exam->pool == pool)
            result.append(*entry.exam);
    }
    return result;
}

bool Store::forget(const QString &pool)
{
    m_impl->pending.removeIf([&](const Pending &entry) {
        return entry.exam ? entry.exam->pool == pool : entry.answers.front().pool == pool;
    });
    if (!m_impl->flush())
        return false;
    QSqlError error = m_impl->exec(QStringLiteral("BEGIN IMMEDIATE"));
    for (const QString &table :
         {QStringLiteral("answers"), QStringLiteral("exams"), QStringLiteral("settings")}) {
        if (error.isValid())
            break;
        QSqlQuery query(m_impl->db);
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE pool = ?").arg(table));
        query.addBindValue(pool);
        if (!query.exec())
            error = failureOf(query);
    }
    if (!error.isValid())
        error = m_impl->exec(QStringLiteral("COMMIT"));
    if (error.isValid()) {
        m_impl->exec(QStringLiteral("ROLLBACK"));
        m_impl->fail(error);
        return false;
    }
    return true;
}

std::optional<QDateTime> Store::examMoment(const QString &pool) const
{
    m_impl->readFault.clear();
    if (!m_impl->db.isValid())
        return std::nullopt;
    QSqlQuery query(m_impl->db);
    const bool prepared = query.prepare(
        QStringLiteral("SELECT substr(value, 1, 64) FROM settings WHERE pool = ? AND name = 'exam_moment'"));
    if (!prepared) {
        m_impl->readFailed(failureOf(query));
        return std::nullopt;
    }
    query.addBindValue(pool);
    if (!query.exec()) {
        m_impl->readFailed(failureOf(query));
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    const QDateTime moment = fromIsoUtc(query.value(0).toString());
    return moment.isValid() ? std::optional(moment) : std::nullopt;
}

bool Store::setExamMoment(const QString &pool, const QDateTime &moment)
{
    if (!m_impl->flush())
        return false;
    QSqlQuery query(m_impl->db);
    query.prepare(
        QStringLiteral("INSERT OR REPLACE INTO settings (pool, name, value) VALUES (?, 'exam_moment', ?)"));
    query.addBindValue(pool);
    query.addBindValue(isoUtc(moment));
    if (!query.exec()) {
        m_impl->fail(failureOf(query));
        return false;
    }
    return true;
}

} // namespace progress
