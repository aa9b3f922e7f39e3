// Writes answers into a progress store for the store's tests, as a second running copy of
// the program would.
//   progress_writer write <file> <count> <tag>  records answers (0: until one fails), printing
//                                               the count after each commit; with a count, an
//                                               answer kept waiting is fine, and the writer
//                                               ends once all are written (3 if one never is)
//   progress_writer hold <file> [read]          holds the file's write lock (or a read lock)
//                                               until stdin closes
#include "progress/store.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == "hold") {
        auto db = QSqlDatabase::addDatabase("QSQLITE");
        db.setDatabaseName(args[2]);
        const bool read = args.value(3) == "read";
        if (!db.open() || !QSqlQuery(db).exec(read ? "BEGIN" : "BEGIN EXCLUSIVE") ||
            (read && !QSqlQuery(db).exec("SELECT COUNT(*) FROM sqlite_master")))
            return 1;
        std::puts("held");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    if (args.size() < 5 || args[1] != "write")
        return 2;
    progress::Store store(args[2]);
    const long count = args[3].toLong();
    for (long i = 0; count == 0 || i < count; ++i) {
        const QString question = QStringLiteral("%1%2").arg(args[4]).arg(i, 5, 10, QLatin1Char('0'));
        if (store.record({QDateTime::currentDateTimeUtc(), "T 2026-2030", question,
                          QChar(char16_t(u'A' + i % 4)), i % 3 != 0, i % 5 == 0, progress::Mode::Study})) {
            std::printf("%ld\n", i + 1);
            std::fflush(stdout);
        } else if (count == 0) {
            return 3;
        }
    }
    for (QDeadlineTimer deadline(30000); store.waitingWrites() > 0 && !deadline.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    return store.waitingWrites() > 0 ? 3 : 0;
}
