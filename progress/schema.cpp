#include "progress/schema.h"

#include "progress/store_impl.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace progress::schema {
namespace {

// Step n takes a file from version n to n + 1.
const QList<QStringList> &steps()
{
    static const QList<QStringList> all = {
        {
            QStringLiteral("CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, "
                           "pool TEXT NOT NULL, question TEXT NOT NULL, chosen TEXT NOT NULL, "
                           "correct INTEGER NOT NULL, hinted INTEGER NOT NULL, mode TEXT NOT NULL)"),
            QStringLiteral("CREATE INDEX answers_by_pool ON answers (pool, answered_at)"),
        },
        {
            QStringLiteral("CREATE TABLE exams (id INTEGER PRIMARY KEY, pool TEXT NOT NULL, "
                           "started_at TEXT NOT NULL, finished_at TEXT NOT NULL, "
                           "score INTEGER NOT NULL, total INTEGER NOT NULL, "
                           "pass_mark INTEGER NOT NULL, passed INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX exams_by_pool ON exams (pool, started_at)"),
            QStringLiteral("ALTER TABLE answers ADD COLUMN exam_id INTEGER REFERENCES exams (id)"),
            // Covers the Progress window's read of a pool's answers by question.
            QStringLiteral(
                "CREATE INDEX answers_by_question ON answers (pool, question, answered_at, correct, "
                "hinted)"),
            QStringLiteral("CREATE TABLE settings (pool TEXT NOT NULL, name TEXT NOT NULL, "
                           "value TEXT NOT NULL, PRIMARY KEY (pool, name))"),
        },
        // A practice exam's unanswered question is kept as a miss with no choice. The table is
        // rebuilt so that the file holds the rule: a choice is A to D, or empty.
        {
            QStringLiteral("CREATE TABLE answers_v3 (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, "
                           "pool TEXT NOT NULL, question TEXT NOT NULL, "
                           "chosen TEXT NOT NULL CHECK (chosen IN ('', 'A', 'B', 'C', 'D')), "
                           "correct INTEGER NOT NULL, hinted INTEGER NOT NULL, mode TEXT NOT NULL, "
                           "exam_id INTEGER REFERENCES exams (id))"),
            QStringLiteral(
                "INSERT INTO answers_v3 (id, answered_at, pool, question, chosen, correct, hinted, "
                "mode, exam_id) SELECT id, answered_at, pool, question, "
                "CASE WHEN chosen IN ('A', 'B', 'C', 'D') THEN chosen ELSE '' END, correct, "
                "hinted, mode, exam_id FROM answers"),
            QStringLiteral("DROP TABLE answers"),
            QStringLiteral("ALTER TABLE answers_v3 RENAME TO answers"),
            QStringLiteral("CREATE INDEX answers_by_pool ON answers (pool, answered_at)"),
            QStringLiteral(
                "CREATE INDEX answers_by_question ON answers (pool, question, answered_at, correct, "
                "hinted)"),
        },
    };
    return all;
}

QSqlError run(const QSqlDatabase &db, const QString &sql)
{
    return execOn(db, sql);
}

} // namespace

Version readVersion(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return {0, failureOf(query)};
    return {query.value(0).toInt(), {}};
}

QSqlError migrate(QSqlDatabase &db)
{
    static_assert(kVersion == 3, "one step per version");
    for (;;) {
        if (QSqlError e = run(db, QStringLiteral("BEGIN IMMEDIATE")); e.isValid())
            return e;
        const Version version = readVersion(db);
        QSqlError error = version.error;
        if (!error.isValid() && (version.value < 0 || version.value > kVersion)) {
            error =
                QSqlError(QStringLiteral("progress"), QStringLiteral("unknown version %1").arg(version.value),
                          QSqlError::StatementError, QStringLiteral("1"));
        }
        if (!error.isValid() && version.value < kVersion) {
            for (const QString &sql : steps().at(version.value)) {
                if (error = run(db, sql); error.isValid())
                    break;
            }
            if (!error.isValid())
                error = run(db, QStringLiteral("PRAGMA user_version = %1").arg(version.value + 1));
        }
        if (error.isValid()) {
            run(db, QStringLiteral("ROLLBACK"));
            return error;
        }
        if (error = run(db, QStringLiteral("COMMIT")); error.isValid()) {
            run(db, QStringLiteral("ROLLBACK"));
            return error;
        }
        if (version.value + 1 >= kVersion)
            return {};
    }
}

} // namespace progress::schema
