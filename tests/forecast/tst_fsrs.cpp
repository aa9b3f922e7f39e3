#include "forecast/fsrs.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using forecast::Rating;
using forecast::Review;

namespace {

QDateTime utc(const QString &iso)
{
    return QDateTime::fromString(iso, Qt::ISODateWithMs);
}

// Within `relative` of the reference figure, or a message saying how far off it is.
void checkClose(const char *what, double actual, double expected)
{
    // The model rounds where the reference rounds (8 decimals); what is left is the last
    // bit of exp and pow.
    QVERIFY2(std::abs(actual - expected) <= 1e-9 * std::abs(expected),
             qPrintable(QStringLiteral("%1: %2, reference %3")
                            .arg(QLatin1String(what))
                            .arg(actual, 0, 'g', 12)
                            .arg(expected, 0, 'g', 12)));
}

} // namespace

class TestFsrs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replaying_a_log_matches_the_reference_scheduler_data();
    void replaying_a_log_matches_the_reference_scheduler();
    void an_answer_is_rated_and_guessing_is_added_data();
    void an_answer_is_rated_and_guessing_is_added();
    void reviews_out_of_order_or_without_a_time_are_handled();
    void a_study_day_starts_at_four_local_time_data();
    void a_study_day_starts_at_four_local_time();
};

// Logs replayed through ts-fsrs by tools/fsrs-reference/generate.mjs: same-day answers, long
// gaps, crossings of 04:00 local and of midnight UTC, summer time starting and ending, every
// rating, and random logs, in New York and Kolkata; recall at the exact time since the last
// review.
void TestFsrs::replaying_a_log_matches_the_reference_scheduler_data()
{
    QTest::addColumn<QJsonObject>("log");
    QFile file(QStringLiteral(FSRS_REFERENCE_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QJsonArray logs = QJsonDocument::fromJson(file.readAll())[u"cases"].toArray();
    QVERIFY(logs.size() > 50);
    for (const QJsonValue &log : logs)
        QTest::newRow(qPrintable(log[u"name"].toString())) << log.toObject();
}

void TestFsrs::replaying_a_log_matches_the_reference_scheduler()
{
    QFETCH(QJsonObject, log);
    QList<Review> reviews;
    for (const QJsonValue &review : log[u"reviews"].toArray())
        reviews.append({utc(review[u"at"].toString()), static_cast<Rating>(review[u"rating"].toInt())});
    const forecast::StudyDays days(QTimeZone(log[u"zone"].toString().toUtf8()));
    QVERIFY(days.zone().isValid());
    const auto state = forecast::memoryState(reviews, days);
    QVERIFY(state);
    checkClose("stability", state->stability, log[u"stability"].toDouble());
    checkClose("difficulty", state->difficulty, log[u"difficulty"].toDouble());
    for (const QJsonValue &moment : log[u"recall"].toArray()) {
        const auto r = forecast::recallProbability(reviews, utc(moment[u"at"].toString()), days);
        QVERIFY(r);
        checkClose(qPrintable(moment[u"at"].toString()), *r, moment[u"r"].toDouble());
    }
}

void TestFsrs::an_answer_is_rated_and_guessing_is_added_data()
{
    QTest::addColumn<QList<bool>>("correct"); // one answer a day, each with this outcome
    QTest::addColumn<bool>("hinted");
    QTest::addColumn<int>("hoursAfter");
    QTest::addColumn<double>("recall"); // from the reference: "one Good", "one Hard", "one Again"
    QTest::newRow("wrong 23 hours before, on the exact curve")
        << QList<bool>{false} << false << 23 << 0.7703253;
    QTest::newRow("right 23 hours before, on the exact curve")
        << QList<bool>{true} << false << 23 << 0.94867512;
    QTest::newRow("right a day before") << QList<bool>{true} << false << 24 << 0.9468475;
    QTest::newRow("right after a hint a day before") << QList<bool>{true} << true << 24 << 0.91666972;
    QTest::newRow("wrong a day before") << QList<bool>{false} << false << 24 << 0.76619573;
    QTest::newRow("wrong after a hint a day before") << QList<bool>{false} << true << 24 << 0.76619573;
}

void TestFsrs::an_answer_is_rated_and_guessing_is_added()
{
    QFETCH(QList<bool>, correct);
    QFETCH(bool, hinted);
    QFETCH(int, hoursAfter);
    QFETCH(double, recall);
    QDateTime at = QDateTime::fromSecsSinceEpoch(1'780'000'000, Qt::UTC);
    QList<Review> reviews;
    for (bool right : correct) {
        reviews.append({at, forecast::ratingFor(right, hinted)});
        at = at.addDays(1);
    }
    const auto r = forecast::recallProbability(reviews, at.addDays(-1).addSecs(hoursAfter * 3600));
    QVERIFY(r);
    QCOMPARE(forecast::withGuessing(*r), recall + (1 - recall) / 4);
}

void TestFsrs::reviews_out_of_order_or_without_a_time_are_handled()
{
    const QDateTime start = utc(QStringLiteral("2026-05-01T10:00:00.000Z"));
    const QList<Review> ordered = {
        {start, Rating::Good}, {start.addDays(2), Rating::Again}, {start.addDays(9), Rating::Hard}};
    const QList<Review> shuffled = {ordered[2], {QDateTime(), Rating::Again}, ordered[0], ordered[1]};
    const QDateTime exam = start.addDays(30);
    QCOMPARE(forecast::recallProbability(shuffled, exam), forecast::recallProbability(ordered, exam));
    QCOMPARE(forecast::memoryState(shuffled)->lastReview, start.addDays(9));
    QCOMPARE(forecast::recallProbability({}, exam), std::nullopt);
    QCOMPARE(forecast::recallProbability({{QDateTime(), Rating::Good}}, exam), std::nullopt);
    QCOMPARE(forecast::recallProbability(ordered, QDateTime()), std::nullopt);
}

void TestFsrs::a_study_day_starts_at_four_local_time_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("first"); // UTC
    QTest::addColumn<int>("minutesLater");
    QTest::addColumn<int>("days");
    QTest::newRow("New York, 03:59 to 04:01 summer time")
        << QByteArray("America/New_York") << "2026-06-10T07:59:00Z" << 2 << 1;
    QTest::newRow("New York, 03:59 to 04:01 winter time")
        << QByteArray("America/New_York") << "2026-01-10T08:59:00Z" << 2 << 1;
    QTest::newRow("New York, across midnight UTC")
        << QByteArray("America/New_York") << "2026-06-09T23:59:00Z" << 2 << 0;
    QTest::newRow("New York, 05:00 to 03:59 the next day")
        << QByteArray("America/New_York") << "2026-06-10T09:00:00Z" << 22 * 60 + 59 << 0;
    QTest::newRow("New York, the night summer time starts")
        << QByteArray("America/New_York") << "2026-03-08T06:30:00Z" << 120 << 1;
    QTest::newRow("Kolkata, 03:59 to 04:01")
        << QByteArray("Asia/Kolkata") << "2026-06-09T22:29:00Z" << 2 << 1;
    QTest::newRow("Kolkata, across midnight UTC")
        << QByteArray("Asia/Kolkata") << "2026-06-09T23:59:00Z" << 2 << 0;
    QTest::newRow("UTC, three days") << QByteArray("UTC") << "2026-06-09T12:00:00Z" << 3 * 24 * 60 << 3;
}

void TestFsrs::a_study_day_starts_at_four_local_time()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, first);
    QFETCH(int, minutesLater);
    QFETCH(int, days);
    const forecast::StudyDays studyDays{QTimeZone(zone)};
    const qint64 at = utc(first).toMSecsSinceEpoch();
    QCOMPARE(studyDays.dayOf(at + qint64(minutesLater) * 60'000) - studyDays.dayOf(at), days);
}

QTEST_GUILESS_MAIN(TestFsrs)
#include "tst_fsrs.moc"
