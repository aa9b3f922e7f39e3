// Reading "BandPlan.txt": the field rules, the record limit and every way a file can be wrong.

#include "band_plan_fixture.h"

#include <QDir>
#include <QTest>

using namespace bandplan;
using namespace bandplan::testing;

namespace {

const QByteArray kDate = "\"March 1, 2026\"\r\n";
const QByteArray kBand = "\"Band A\",\"O\",\"\",1000,2000\r\n";
const QByteArray kSegment = "\"Band A\",\"G\",\"CW\",1000,1100\r\n";

QByteArray records(int count)
{
    QByteArray out = kDate + kBand;
    for (int i = 1; i < count; ++i)
        out += kSegment;
    return out;
}

} // namespace

class BandPlanFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_follows_the_field_rules_and_limits_data();
    void load_follows_the_field_rules_and_limits();
    void a_missing_file_or_a_folder_fails();
    void an_unquoted_comma_in_the_date_spills_into_the_first_record();
    void limits_are_finite_32_bit_decimal_numbers_data();
    void limits_are_finite_32_bit_decimal_numbers();
    void numbers_use_the_users_separators_with_the_c_locale_as_the_us_data();
    void numbers_use_the_users_separators_with_the_c_locale_as_the_us();
};

void BandPlanFileTest::load_follows_the_field_rules_and_limits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("dateCaption");

    const QString dated = QStringLiteral("Frequencies Effective: March 1, 2026");
    const QString design = QStringLiteral("Frequencies Effective");
    QTest::newRow("one record to a line") << records(2) << true << 0 << 2 << dated;
    QTest::newRow("several records to a line")
        << (kDate + "\"Band A\",\"O\",\"\",1000,2000,\"Band A\",\"G\",\"CW\",1000,1100\r\n") << true << 0 << 2
        << dated;
    QTest::newRow("one field to a line")
        << (kDate + "\"Band A\"\r\n\"O\"\r\n\"\"\r\n1000\r\n2000\r\n") << true << 0 << 1 << dated;
    QTest::newRow("lf line ends") << QByteArray("\"March 1, 2026\"\n\"Band A\",\"O\",\"\",1000,2000\n")
                                  << true << 0 << 1 << dated;
    QByteArray utf16be = "\xFE\xFF";
    for (const char ch : records(2))
        utf16be.append('\0').append(ch);
    QTest::newRow("UTF-16 BE with a byte-order mark") << utf16be << true << 0 << 2 << dated;
    QTest::newRow("no line end after the last record")
        << (kDate + "\"Band A\",\"O\",\"\",1000,2000") << true << 0 << 1 << dated;
    QTest::newRow("only the date") << kDate << true << 0 << 0 << dated;
    QTest::newRow("200 records") << records(200) << true << 0 << 200 << dated;

    QTest::newRow("zero bytes") << QByteArray() << false << int(LoadError::NoDate) << 0 << design;
    QTest::newRow("201 records") << records(201) << false << int(LoadError::TooManyRecords) << 0 << dated;
    QTest::newRow("blank line at the end")
        << (records(2) + "\r\n") << false << int(LoadError::PartialRecord) << 0 << dated;
    QTest::newRow("partial record at the end") << (records(2) + "\"Band A\",\"G\",\"PH\"\r\n") << false
                                               << int(LoadError::PartialRecord) << 0 << dated;
    QTest::newRow("record split short by the end")
        << (kDate + "\"Band A\",\"O\",\"\",1000") << false << int(LoadError::PartialRecord) << 0 << dated;
    QTest::newRow("word as a limit") << (kDate + "\"Band A\",\"O\",\"\",low,2000\r\n") << false
                                     << int(LoadError::NotANumber) << 0 << dated;
    QTest::newRow("empty limit") << (kDate + "\"Band A\",\"O\",\"\",1000,\r\n") << false
                                 << int(LoadError::NotANumber) << 0 << dated;
}

void BandPlanFileTest::load_follows_the_field_rules_and_limits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(int, error);
    QFETCH(int, count);
    QFETCH(QString, dateCaption);

    QTemporaryDir dir;
    BandPlanTable table;
    const LoadResult result = LoadBandPlan(table, writePlan(dir, bytes));

    QCOMPARE(result.ok, ok);
    if (!ok) {
        QCOMPARE(int(result.error), error);
        QVERIFY(!result.description.isEmpty());
    }
    QCOMPARE(table.planCount, float(count));
    QCOMPARE(result.date ? effectiveCaption(*result.date) : QStringLiteral("Frequencies Effective"),
             dateCaption);
    if (count > 0) {
        QCOMPARE(table.planBand[1], QStringLiteral("Band A"));
        QCOMPARE(table.planClass[1], QStringLiteral("O"));
        QCOMPARE(table.planMode[1], QString());
        QCOMPARE(table.planLow[1], 1000.0f);
        QCOMPARE(table.planHigh[1], 2000.0f);
        QVERIFY(table.planBand[0].isEmpty());
    }
    if (count > 1) {
        QCOMPARE(table.planBand[count], QStringLiteral("Band A"));
        QCOMPARE(table.planMode[count], QStringLiteral("CW"));
        QCOMPARE(table.planHigh[count], 1100.0f);
    }
}

void BandPlanFileTest::a_missing_file_or_a_folder_fails()
{
    QTemporaryDir dir;
    for (const QString &path : {dir.filePath(QStringLiteral("BandPlan.txt")), dir.path()}) {
        BandPlanTable table;
        const LoadResult result = LoadBandPlan(table, path);
        QVERIFY(!result.ok);
        QCOMPARE(result.error, LoadError::Unreadable);
        QCOMPARE(table.planCount, 0.0f);
    }
}

void BandPlanFileTest::an_unquoted_comma_in_the_date_spills_into_the_first_record()
{
    QTemporaryDir dir;
    BandPlanTable table;
    const QString path = writePlan(dir, "March 1, 2026\r\n X,O,1,2\r\n");
    const LoadResult result = LoadBandPlan(table, path);
    QVERIFY(result.ok);
    QCOMPARE(result.date, QStringLiteral("March 1"));
    QCOMPARE(table.planCount, 1.0f);
    QCOMPARE(table.planBand[1], QStringLiteral("2026"));
    QCOMPARE(table.planClass[1], QStringLiteral("X"));
    QCOMPARE(table.planMode[1], QStringLiteral("O"));
}

void BandPlanFileTest::limits_are_finite_32_bit_decimal_numbers_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<float>("value");

    QTest::newRow("whole") << QStringLiteral("1800") << true << 1800.0f;
    QTest::newRow("fraction") << QStringLiteral("0.1357") << true << 0.1357f;
    QTest::newRow("no leading digit") << QStringLiteral(".5") << true << 0.5f;
    QTest::newRow("blanks around") << QStringLiteral(" 14.35 ") << true << 14.35f;
    QTest::newRow("exponent") << QStringLiteral("1.2e3") << true << 1200.0f;
    QTest::newRow("negative") << QStringLiteral("-3") << true << -3.0f;
    QTest::newRow("comma as decimal point") << QStringLiteral("14,35") << false << 0.0f;
    QTest::newRow("thousands separator") << QStringLiteral("1,800") << false << 0.0f;
    QTest::newRow("unit attached") << QStringLiteral("14.35MHz") << false << 0.0f;
    QTest::newRow("empty") << QString() << false << 0.0f;
    QTest::newRow("nan") << QStringLiteral("nan") << false << 0.0f;
    QTest::newRow("NaN") << QStringLiteral("NaN") << false << 0.0f;
    QTest::newRow("inf") << QStringLiteral("inf") << false << 0.0f;
    QTest::newRow("-infinity") << QStringLiteral("-infinity") << false << 0.0f;
    QTest::newRow("beyond float") << QStringLiteral("1e39") << false << 0.0f;
}

void BandPlanFileTest::limits_are_finite_32_bit_decimal_numbers()
{
    QFETCH(QString, field);
    QFETCH(bool, ok);
    QFETCH(float, value);

    const std::optional<float> parsed = parseFrequency(field);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(*parsed, value);

    // The same value in a file: a failure of the whole load, never a number slipped through.
    QTemporaryDir dir;
    BandPlanTable table;
    const QByteArray line = "\"Band A\",\"O\",\"\",\"" + field.toUtf8() + "\",2000\r\n";
    QCOMPARE(LoadBandPlan(table, writePlan(dir, kDate + line)).ok, ok);
}

void BandPlanFileTest::numbers_use_the_users_separators_with_the_c_locale_as_the_us_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("C 1800") << QStringLiteral("C") << 1800.0 << QStringLiteral("1,800.000");
    QTest::newRow("C 14.35") << QStringLiteral("C") << double(14.35f) << QStringLiteral("14.350");
    QTest::newRow("C 7") << QStringLiteral("C") << 7.0 << QStringLiteral("7.000");
    QTest::newRow("C 0.5") << QStringLiteral("C") << 0.5 << QStringLiteral(".500");
    QTest::newRow("C 0") << QStringLiteral("C") << 0.0 << QStringLiteral(".000");
    QTest::newRow("C 0.1357") << QStringLiteral("C") << double(0.1357f) << QStringLiteral(".1357");
    QTest::newRow("C 60 m channel") << QStringLiteral("C") << double(5.3515f) << QStringLiteral("5.3515");
    QTest::newRow("C fifth decimal rounds") << QStringLiteral("C") << 5.35149 << QStringLiteral("5.3515");
    QTest::newRow("C rounds to three") << QStringLiteral("C") << 5.35196 << QStringLiteral("5.352");
    QTest::newRow("C float three decimals")
        << QStringLiteral("C") << double(144.1f) << QStringLiteral("144.100");
    QTest::newRow("de_DE fourth decimal")
        << QStringLiteral("de_DE") << double(0.4725f) << QStringLiteral(",4725");
    QTest::newRow("C millions") << QStringLiteral("C") << 1234567.0 << QStringLiteral("1,234,567.000");
    QTest::newRow("C negative fraction") << QStringLiteral("C") << -0.25 << QStringLiteral("-.250");
    QTest::newRow("en_US 1240") << QStringLiteral("en_US") << 1240.0 << QStringLiteral("1,240.000");
    QTest::newRow("de_DE 1800") << QStringLiteral("de_DE") << 1800.0 << QStringLiteral("1.800,000");
    QTest::newRow("de_DE 0.5") << QStringLiteral("de_DE") << 0.5 << QStringLiteral(",500");
}

void BandPlanFileTest::numbers_use_the_users_separators_with_the_c_locale_as_the_us()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);

    const QLocale saved;
    QLocale::setDefault(QLocale(locale));
    const QString formatted = formatFrequency(value);
    QLocale::setDefault(saved);
    QCOMPARE(formatted, text);
}

QTEST_APPLESS_MAIN(BandPlanFileTest)
#include "tst_band_plan_file.moc"
