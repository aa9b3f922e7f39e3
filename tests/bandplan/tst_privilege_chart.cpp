// The privilege chart against the in-memory window: rows, name tags and segments,
// their geometry, looks and names, and the builds that data makes fail.

#include "band_plan_fixture.h"
#include "bandplan/privilege_chart.h"

#include <QTest>

using namespace bandplan;
using namespace bandplan::testing;
using view::memory::MemLabel;
using view::memory::MemoryWindow;
using view::memory::MemScreen;

namespace {

// A 1024 x 768 screen; the window as the load handler leaves it there.
constexpr double kW = 15360;
constexpr double kH = 11070;
constexpr double kLineY = 1080;

struct Chart
{
    std::unique_ptr<MemoryWindow> window = makeWindow(kLineY);
    MemScreen screen{1024, 768};

    Chart() { setSize(*window, kW, kH); }
    ChartOutcome build(const QString &cls, const BandPlanTable &table)
    {
        return BuildPrivilegeChart(cls, table, *window, screen);
    }
    MemLabel *at(const QString &name) { return window->label(name); }
    double get(const QString &name, view::Prop prop) { return *window->find(name)->get(prop); }
};

bool near(double a, double b)
{
    return qAbs(a - b) < 0.01;
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *name : list)
        out << QString::fromLatin1(name);
    return out;
}

const BandPlanTable kTwoBands = tableOf({
    {"Band A", "O", "", 1000, 2000},
    {"Band A", "G", "CW", 1000, 1100},
    {"Band A", "G", "PH", 1500, 2000},
    {"Band A", "E", "CW", 1000, 1100},
    {"Band B", "O", "", 10, 20},
    {"Band B", "E", "PH", 10, 20},
});

} // namespace

class PrivilegeChartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rows_spread_over_the_upper_four_fifths_below_the_line_data();
    void rows_spread_over_the_upper_four_fifths_below_the_line();
    void segments_take_their_place_and_look_from_the_record_data();
    void segments_take_their_place_and_look_from_the_record();
    void a_class_switch_leaves_nothing_of_the_old_chart_and_numbers_from_one();
    void only_a_record_inside_the_band_group_gives_the_band_a_row();
    void two_segments_in_one_row_come_in_file_order();
    void fonts_follow_the_screen_width_up_to_a_limit_data();
    void fonts_follow_the_screen_width_up_to_a_limit();
    void data_faults_end_the_build_and_keep_what_was_made_data();
    void data_faults_end_the_build_and_keep_what_was_made();
    void fixed_controls_are_never_removed();
};

void PrivilegeChartTest::rows_spread_over_the_upper_four_fifths_below_the_line_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("one row") << 1;
    QTest::newRow("four rows") << 4;
}

void PrivilegeChartTest::rows_spread_over_the_upper_four_fifths_below_the_line()
{
    QFETCH(int, rows);
    static const char *const names[] = {"160 m", "80 m", "40 m", "20 m"};
    BandPlanTable table;
    int n = 0;
    for (int r = 0; r < 4; ++r) {
        const float low = float(r + 1);
        table.planBand[++n] = QString::fromLatin1(names[r]);
        table.planClass[n] = QStringLiteral("O");
        table.planLow[n] = low;
        table.planHigh[n] = low + 1;
        table.planBand[++n] = QString::fromLatin1(names[r]);
        table.planClass[n] = r < rows ? QStringLiteral("T") : QStringLiteral("E");
        table.planMode[n] = QStringLiteral("CW");
        table.planLow[n] = low;
        table.planHigh[n] = low + 1;
    }
    table.planCount = float(n);

    Chart chart;
    QCOMPARE(chart.build(QStringLiteral("T"), table), ChartOutcome::Built);
    QCOMPARE(chartNames(*chart.window).size(), 3 * rows);
    for (int k = 1; k <= rows; ++k) {
        const QString bar = QStringLiteral("blbl%1").arg(k);
        const QString tag = QStringLiteral("bnlb%1").arg(k);
        const double top = kLineY + 0.8 * (kH - kLineY) * k / rows;
        QVERIFY2(near(chart.get(bar, view::Prop::Top), top), qPrintable(bar));
        QVERIFY(near(chart.get(bar, view::Prop::Left), 0.10 * kW));
        QVERIFY(near(chart.get(bar, view::Prop::Width), 0.85 * kW));
        QVERIFY(near(chart.get(bar, view::Prop::Height), 0.04 * kH));
        QCOMPARE(chart.at(bar)->text(), QString::fromLatin1(names[k - 1]));
        QCOMPARE(chart.at(bar)->backColor(), view::rgb(0, 0, 0));
        QCOMPARE(chart.at(bar)->foreColor(), view::rgb(0, 0, 0));
        QVERIFY(chart.at(bar)->isVisible());
        QVERIFY(chart.at(bar)->m_border);
        QCOMPARE(chart.at(bar)->m_align, view::Align::Centre);
        QCOMPARE(
            chart.at(bar)->toolTip(),
            QStringLiteral("%1  %2.000 - %3.000").arg(QString::fromLatin1(names[k - 1])).arg(k).arg(k + 1));

        QCOMPARE(chart.get(tag, view::Prop::Top), chart.get(bar, view::Prop::Top));
        QVERIFY(near(chart.get(tag, view::Prop::Left), 0.04 * kW));
        QVERIFY(near(chart.get(tag, view::Prop::Width), 0.05 * kW));
        QCOMPARE(chart.get(tag, view::Prop::Height), chart.get(bar, view::Prop::Height));
        QCOMPARE(chart.at(tag)->text(), chart.at(bar)->text());
        QCOMPARE(chart.at(tag)->toolTip(), chart.at(bar)->toolTip());
        QCOMPARE(chart.at(tag)->backColor(), view::rgb(255, 255, 0));
        QCOMPARE(chart.at(tag)->fontName(), QStringLiteral("ARIAL"));
        QVERIFY(chart.at(tag)->isVisible());
    }
}

void PrivilegeChartTest::segments_take_their_place_and_look_from_the_record_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<float>("low");
    QTest::addColumn<float>("high");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("blue");

    // The band runs from 1800 to 2000.
    QTest::newRow("equal to its band") << QStringLiteral("PH") << 1800.0f << 2000.0f << 0.10 * kW << 0.85 * kW
                                       << QStringLiteral("PH  1,800.000 - 2,000.000") << false;
    QTest::newRow("upper half, CW") << QStringLiteral("CW") << 1900.0f << 2000.0f << 0.525 * kW << 0.425 * kW
                                    << QStringLiteral("CW  1,900.000 - 2,000.000") << true;
    QTest::newRow("starting below the band is not clipped")
        << QStringLiteral("CW") << 1700.0f << 1900.0f << (0.10 - 0.425) * kW << 0.85 * kW
        << QStringLiteral("CW  1,700.000 - 1,900.000") << true;
    QTest::newRow("cw in small letters is phone")
        << QStringLiteral("cw") << 1800.0f << 1850.0f << 0.10 * kW << 0.2125 * kW
        << QStringLiteral("PH  1,800.000 - 1,850.000") << false;
    QTest::newRow("CW with a blank is phone")
        << QStringLiteral("CW ") << 1800.0f << 1850.0f << 0.10 * kW << 0.2125 * kW
        << QStringLiteral("PH  1,800.000 - 1,850.000") << false;
}

void PrivilegeChartTest::segments_take_their_place_and_look_from_the_record()
{
    QFETCH(QString, mode);
    QFETCH(float, low);
    QFETCH(float, high);
    QFETCH(double, left);
    QFETCH(double, width);
    QFETCH(QString, tip);
    QFETCH(bool, blue);

    BandPlanTable table = tableOf({{"160 m", "O", "", 1800, 2000}, {"160 m", "G", "", 0, 0}});
    table.planMode[2] = mode;
    table.planLow[2] = low;
    table.planHigh[2] = high;

    Chart chart;
    QCOMPARE(chart.build(QStringLiteral("G"), table), ChartOutcome::Built);
    MemLabel *segment = chart.at(QStringLiteral("priv1"));
    QVERIFY(segment);
    QVERIFY(near(chart.get(QStringLiteral("priv1"), view::Prop::Left), left));
    QVERIFY(near(chart.get(QStringLiteral("priv1"), view::Prop::Width), width));
    QCOMPARE(chart.get(QStringLiteral("priv1"), view::Prop::Top),
             chart.get(QStringLiteral("blbl1"), view::Prop::Top));
    QCOMPARE(chart.get(QStringLiteral("priv1"), view::Prop::Height),
             chart.get(QStringLiteral("blbl1"), view::Prop::Height));
    QCOMPARE(segment->toolTip(), tip);
    QCOMPARE(segment->text(), tip.mid(4));
    QCOMPARE(segment->backColor(), blue ? view::rgb(0, 0, 255) : view::rgb(0, 255, 0));
    QCOMPARE(segment->foreColor(), blue ? view::rgb(255, 255, 255) : view::rgb(0, 0, 0));
    QCOMPARE(segment->fontName(), QStringLiteral("ARIAL NARROW"));
    QVERIFY(segment->isVisible());
    QVERIFY(segment->m_border);
    QCOMPARE(chart.window->m_frontOrder, names({"priv1"}));
}

void PrivilegeChartTest::a_class_switch_leaves_nothing_of_the_old_chart_and_numbers_from_one()
{
    Chart chart;
    QCOMPARE(chart.build(QStringLiteral("G"), kTwoBands), ChartOutcome::Built);
    QCOMPARE(chartNames(*chart.window), names({"blbl1", "bnlb1", "priv1", "priv2"}));

    QCOMPARE(chart.build(QStringLiteral("E"), kTwoBands), ChartOutcome::Built);
    QCOMPARE(chartNames(*chart.window), names({"blbl1", "blbl2", "bnlb1", "bnlb2", "priv1", "priv2"}));
    QCOMPARE(chart.at(QStringLiteral("blbl2"))->text(), QStringLiteral("Band B"));
    QCOMPARE(chart.at(QStringLiteral("priv1"))->toolTip(), QStringLiteral("CW  1,000.000 - 1,100.000"));
    QCOMPARE(chart.at(QStringLiteral("priv2"))->toolTip(), QStringLiteral("PH  10.000 - 20.000"));

    // The same class again gives the same chart.
    const QStringList before = chart.window->names();
    QCOMPARE(chart.build(QStringLiteral("E"), kTwoBands), ChartOutcome::Built);
    QCOMPARE(chart.window->names(), before);

    // A class with no row removes the chart and draws nothing.
    QCOMPARE(chart.build(QStringLiteral("N"), kTwoBands), ChartOutcome::NoRow);
    QVERIFY(chartNames(*chart.window).isEmpty());
}

void PrivilegeChartTest::only_a_record_inside_the_band_group_gives_the_band_a_row()
{
    const BandPlanTable table = tableOf({
        {"Band A", "O", "", 1000, 2000},
        {"Band A", "G", "CW", 1000, 1100},
        {"Band B", "O", "", 10, 20},
        {"Band B", "E", "PH", 10, 20},
        {"Band A", "E", "CW", 1000, 1100}, // outside Band A's group
    });
    Chart chart;
    QCOMPARE(chart.build(QStringLiteral("E"), table), ChartOutcome::Built);
    QCOMPARE(chartNames(*chart.window), names({"blbl1", "bnlb1", "priv1"}));
    QCOMPARE(chart.at(QStringLiteral("blbl1"))->text(), QStringLiteral("Band B"));
}

void PrivilegeChartTest::two_segments_in_one_row_come_in_file_order()
{
    const BandPlanTable table = tableOf({
        {"20 m", "O", "", 14.0f, 14.35f},
        {"20 m", "G", "PH", 14.225f, 14.35f},
        {"20 m", "G", "CW", 14.025f, 14.15f},
    });
    Chart chart;
    QCOMPARE(chart.build(QStringLiteral("G"), table), ChartOutcome::Built);
    QCOMPARE(chart.at(QStringLiteral("priv1"))->text(), QStringLiteral("14.225 - 14.350"));
    QCOMPARE(chart.at(QStringLiteral("priv2"))->text(), QStringLiteral("14.025 - 14.150"));
    QCOMPARE(chart.get(QStringLiteral("priv1"), view::Prop::Top),
             chart.get(QStringLiteral("priv2"), view::Prop::Top));
    QCOMPARE(chart.window->m_frontOrder, names({"priv1", "priv2"}));
}

void PrivilegeChartTest::fonts_follow_the_screen_width_up_to_a_limit_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<double>("tagPoints");
    QTest::addColumn<double>("segmentPoints");
    QTest::newRow("640 pixels") << 640 << 8.0 << 7.0;
    QTest::newRow("800 pixels") << 800 << 10.0 << 8.75;
    QTest::newRow("960 pixels") << 960 << 12.0 << 10.5;
    QTest::newRow("1920 pixels") << 1920 << 12.0 << 10.5;
}

void PrivilegeChartTest::fonts_follow_the_screen_width_up_to_a_limit()
{
    QFETCH(int, screenWidth);
    QFETCH(double, tagPoints);
    QFETCH(double, segmentPoints);
    Chart chart;
    chart.screen = MemScreen(screenWidth, 600);
    QCOMPARE(chart.build(QStringLiteral("G"), kTwoBands), ChartOutcome::Built);
    QCOMPARE(chart.get(QStringLiteral("bnlb1"), view::Prop::FontSize), tagPoints);
    QCOMPARE(chart.get(QStringLiteral("priv1"), view::Prop::FontSize), segmentPoints);
    QCOMPARE(chart.get(QStringLiteral("priv2"), view::Prop::FontSize), segmentPoints);
}

void PrivilegeChartTest::data_faults_end_the_build_and_keep_what_was_made_data()
{
    QTest::addColumn<QString>("cls");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("a class with no row") << QStringLiteral("N") << int(ChartOutcome::NoRow) << QStringList();
    QStringList bars;
    for (int k = 1; k <= 21; ++k)
        bars << QStringLiteral("blbl%1").arg(k);
    QTest::newRow("a 21st row") << QStringLiteral("T") << int(ChartOutcome::TooManyRows) << bars;
    QTest::newRow("equal band limits met by a segment")
        << QStringLiteral("G") << int(ChartOutcome::EqualBandLimits)
        << names({"blbl1", "blbl2", "bnlb1", "bnlb2", "priv1", "priv2"});
}

void PrivilegeChartTest::data_faults_end_the_build_and_keep_what_was_made()
{
    QFETCH(QString, cls);
    QFETCH(int, outcome);
    QFETCH(QStringList, left);

    // 21 bands for "T"; for "G" a good band, then one whose limits are equal.
    BandPlanTable table;
    int n = 0;
    const auto add = [&](const QString &band, const char *cls, float low, float high) {
        table.planBand[++n] = band;
        table.planClass[n] = QString::fromLatin1(cls);
        table.planMode[n] = QStringLiteral("CW");
        table.planLow[n] = low;
        table.planHigh[n] = high;
    };
    add(QStringLiteral("Good"), "O", 1, 2);
    add(QStringLiteral("Good"), "G", 1, 2);
    add(QStringLiteral("Flat"), "O", 5, 5);
    add(QStringLiteral("Flat"), "G", 5, 5);
    add(QStringLiteral("Good"), "G", 1.5f, 2);
    for (int b = 0; b < 21; ++b) {
        add(QStringLiteral("T%1").arg(b), "O", 1, 2);
        add(QStringLiteral("T%1").arg(b), "T", 1, 2);
    }
    table.planCount = float(n);

    Chart chart;
    // A chart drawn before is removed by the failing build too.
    QCOMPARE(chart.build(QStringLiteral("G"), kTwoBands), ChartOutcome::Built);
    QCOMPARE(int(chart.build(cls, table)), outcome);
    QCOMPARE(chartNames(*chart.window), left);

    if (outcome == int(ChartOutcome::TooManyRows)) {
        // The bars stay where they were first put, black and visible.
        QCOMPARE(chart.get(QStringLiteral("blbl21"), view::Prop::Top), 21 * 0.05 * kH);
        QVERIFY(chart.at(QStringLiteral("blbl21"))->isVisible());
        QCOMPARE(chart.at(QStringLiteral("blbl21"))->backColor(), view::rgb(0, 0, 0));
    }
    if (outcome == int(ChartOutcome::EqualBandLimits)) {
        // The segment that met the flat row was made but never shown; nothing is infinite.
        QVERIFY(chart.at(QStringLiteral("priv1"))->isVisible());
        QVERIFY(!chart.at(QStringLiteral("priv2"))->isVisible());
        for (const QString &name : left)
            for (view::Prop prop : {view::Prop::Left, view::Prop::Top, view::Prop::Width, view::Prop::Height})
                QVERIFY(qIsFinite(chart.get(name, prop)));
    }
}

void PrivilegeChartTest::fixed_controls_are_never_removed()
{
    Chart chart;
    const QStringList fixed = chart.window->names();
    QCOMPARE(chart.build(QStringLiteral("G"), kTwoBands), ChartOutcome::Built);
    QCOMPARE(chart.window->names().mid(0, fixed.size()), fixed);
    QCOMPARE(chart.build(QStringLiteral("N"), kTwoBands), ChartOutcome::NoRow);
    QCOMPARE(chart.window->names(), fixed);
}

// Whatever the user running the tests has chosen, frequencies read as in the United States.
void PrivilegeChartTest::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

QTEST_APPLESS_MAIN(PrivilegeChartTest)
#include "tst_privilege_chart.moc"
