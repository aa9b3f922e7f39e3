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
    return QDateTime::fromString(iso, Qt::ISODateWithMs).toUTC();
}

QList<Review> reviewsFrom(const QJsonArray &array)
{
    QList<Review> reviews;
    for (const QJsonValue &value : array) {
        const QJsonObject review = value.toObject();
        reviews.append({utc(review[u"at"].toString()), static_cast<Rating>(review[u"rating"].toInt())});
    }
    return reviews;
}

bool closeTo(double actual, double expected, double relative)
{
    return std::abs(actual - expected) <= relative * std::abs(expected);
}

} // namespace

class TestFsrs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replaying_a_log_matches_the_reference_scheduler_data();
    void replaying_a_log_matches_the_reference_scheduler();
    void answer_chance_adds_a_guess_to_recall_data();
    void answer_chance_adds_a_guess_to_recall();
    void reviews_out_of_order_or_without_a_time_are_handled();
};

void TestFsrs::replaying_a_log_matches_the_reference_scheduler_data()
{
    QTest::addColumn<QJsonObject>("log");
    QFile file(QStringLiteral(FSRS_REFERENCE_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QJsonArray cases = QJsonDocument::fromJson(file.readAll())[u"cases"].toArray();
    QVERIFY(cases.size() > 50);
    for (const QJsonValue &value : cases)
        QTest::newRow(qPrintable(value[u"name"].toString())) << value.toObject();
}

// The reference rounds every intermediate figure to 8 decimals and so does the model; what is
// left is the last bit of exp and pow, far inside the tolerance.
void TestFsrs::replaying_a_log_matches_the_reference_scheduler()
{
    QFETCH(QJsonObject, log);
    const QList<Review> reviews = reviewsFrom(log[u"reviews"].toArray());
    const auto state = forecast::memoryState(reviews);
    QVERIFY(state);
    const double relative = 1e-9;
    QVERIFY2(closeTo(state->stability, log[u"stability"].toDouble(), relative),
             qPrintable(QStringLiteral("stability %1, reference %2")
                            .arg(state->stability)
                            .arg(log[u"stability"].toDouble())));
    QVERIFY2(closeTo(state->difficulty, log[u"difficulty"].toDouble(), relative),
             qPrintable(QStringLiteral("difficulty %1, reference %2")
                            .arg(state->difficulty)
                            .arg(log[u"difficulty"].toDouble())));
    for (const QJsonValue &value : log[u"recall"].toArray()) {
        const QString at = value[u"at"].toString();
        const double expected = value[u"r"].toDouble();
        const auto r = forecast::recallProbability(reviews, utc(at));
        QVERIFY(r);
        QVERIFY2(closeTo(*r, expected, relative),
                 qPrintable(QStringLiteral("at %1: %2, reference %3").arg(at).arg(*r).arg(expected)));
    }
}

void TestFsrs::answer_chance_adds_a_guess_to_recall_data()
{
    QTest::addColumn<QList<bool>>("hinted"); // one entry per answer, a day apart; absent = wrong
    QTest::addColumn<QList<bool>>("correct");
    QTest::addColumn<qint64>("hoursAfter");
    QTest::addColumn<double>("recall");
    // Recall a day after one answer, from the reference figures ("one Good", "one Hard", "one Again").
    QTest::newRow("never answered is a guess") << QList<bool>{} << QList<bool>{} << qint64(24) << 0.0;
    QTest::newRow("wrong this hour is still recalled")
        << QList<bool>{false} << QList<bool>{false} << qint64(1) << 1.0;
    QTest::newRow("right a day ago") << QList<bool>{false} << QList<bool>{true} << qint64(24) << 0.9468475;
    QTest::newRow("right after a hint a day ago")
        << QList<bool>{true} << QList<bool>{true} << qint64(24) << 0.91666972;
    QTest::newRow("wrong a day ago") << QList<bool>{false} << QList<bool>{false} << qint64(24) << 0.76619573;
    QTest::newRow("wrong after a hint a day ago")
        << QList<bool>{true} << QList<bool>{false} << qint64(24) << 0.76619573;
}

void TestFsrs::answer_chance_adds_a_guess_to_recall()
{
    QFETCH(QList<bool>, hinted);
    QFETCH(QList<bool>, correct);
    QFETCH(qint64, hoursAfter);
    QFETCH(double, recall);
    const QDateTime start = QDateTime::fromSecsSinceEpoch(1'780'000'000, Qt::UTC);
    QList<Review> reviews;
    for (qsizetype i = 0; i < correct.size(); ++i)
        reviews.append({start.addDays(i), forecast::ratingFor(correct[i], hinted[i])});
    const QDateTime exam =
        start.addDays(std::max<qsizetype>(correct.size() - 1, 0)).addSecs(hoursAfter * 3600);
    QCOMPARE(forecast::answerChance(reviews, exam), recall + (1 - recall) / 4);
}

void TestFsrs::reviews_out_of_order_or_without_a_time_are_handled()
{
    const QDateTime start =
        QDateTime::fromString(QStringLiteral("2026-05-01T10:00:00.000Z"), Qt::ISODateWithMs);
    const QList<Review> ordered = {
        {start, Rating::Good}, {start.addDays(2), Rating::Again}, {start.addDays(9), Rating::Hard}};
    const QList<Review> shuffled = {ordered[2], {QDateTime(), Rating::Again}, ordered[0], ordered[1]};
    const QDateTime exam = start.addDays(30);
    QCOMPARE(forecast::recallProbability(shuffled, exam), forecast::recallProbability(ordered, exam));
    QCOMPARE(forecast::recallProbability({}, exam), std::nullopt);
    QCOMPARE(forecast::recallProbability({{QDateTime(), Rating::Good}}, exam), std::nullopt);
    QCOMPARE(forecast::recallProbability(ordered, QDateTime()), std::nullopt);
    QCOMPARE(forecast::memoryState(ordered)->lastReview, start.addDays(9));
}

QTEST_GUILESS_MAIN(TestFsrs)
#include "tst_fsrs.moc"
