// The load handler and class buttons of the "Frequency Privileges" window against the
// in-memory window, and the band plan shipped with the program.

#include "band_plan_fixture.h"
#include "bandplan/band_plan_form.h"

#include <QTest>

using namespace bandplan;
using namespace bandplan::testing;
using view::memory::MemScreen;
using view::memory::MemServices;

namespace {

const QByteArray kPlan = "\"March 1, 2026\"\r\n"
                         "\"20 m\",\"O\",\"\",14.0,14.35\r\n"
                         "\"20 m\",\"T\",\"CW\",14.0,14.1\r\n"
                         "\"20 m\",\"G\",\"CW\",14.025,14.15\r\n"
                         "\"20 m\",\"G\",\"PH\",14.225,14.35\r\n"
                         "\"20 m\",\"E\",\"PH\",14.15,14.35\r\n";

struct Form
{
    std::unique_ptr<view::memory::MemoryWindow> window = makeWindow();
    MemScreen screen{1024, 768};
    MemServices services;
    BandPlanForm form{*window, screen, services};

    QString title() { return window->label(QStringLiteral("Label2"))->text(); }
};

} // namespace

class BandPlanFormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_fills_the_work_area_and_scales_every_control();
    void the_window_opens_on_the_main_windows_exam_class_data();
    void the_window_opens_on_the_main_windows_exam_class();
    void a_missing_band_plan_is_reported_once_and_the_buttons_still_set_titles();
    void the_shipped_band_plan_charts_every_class();
};

void BandPlanFormTest::load_fills_the_work_area_and_scales_every_control()
{
    QTemporaryDir dir;
    Form f;
    f.screen.m_workHeight = 728 * 15; // a task bar 40 pixels high
    f.window->set(view::Prop::Left, 300);
    f.window->set(view::Prop::Top, 600);
    f.form.load({}, writePlan(dir, kPlan));

    const double w = 1024 * 15, h = 728 * 15;
    QCOMPARE(*f.window->get(view::Prop::Width), w);
    QCOMPARE(*f.window->get(view::Prop::Height), h);
    QCOMPARE(*f.window->get(view::Prop::Left), 0.0);
    QCOMPARE(*f.window->get(view::Prop::Top), 0.0);

    view::Control *novice = f.window->find(QStringLiteral("Command1"));
    QCOMPARE(*novice->get(view::Prop::Left), 120 * w / 9600);
    QCOMPARE(*novice->get(view::Prop::Top), 80 * h / 7200);
    QCOMPARE(*novice->get(view::Prop::Width), 855 * w / 9600);
    QCOMPARE(*novice->get(view::Prop::Height), 300 * h / 7200);
    QCOMPARE(*novice->get(view::Prop::FontSize), 8.25 * 1.5);
    QCOMPARE(*f.window->find(QStringLiteral("Label1"))->get(view::Prop::FontSize), 9 * 1.5);

    view::Control *line = f.window->find(QStringLiteral("Line1"));
    QCOMPARE(*line->get(view::Prop::X1), 120 * w / 9600);
    QCOMPARE(*line->get(view::Prop::X2), 9360 * w / 9600);
    QCOMPARE(*line->get(view::Prop::Y1), 720 * h / 7200);
    QCOMPARE(*line->get(view::Prop::Y2), 720 * h / 7200);

    QCOMPARE(f.window->label(QStringLiteral("Label3"))->backColor(), view::rgb(0, 0, 255));
    QCOMPARE(f.window->label(QStringLiteral("Label4"))->backColor(), view::rgb(0, 255, 0));
    QCOMPARE(f.window->label(QStringLiteral("Label1"))->text(),
             QStringLiteral("Frequencies Effective: March 1, 2026"));
    QVERIFY(f.services.m_messages.empty());
    // No exam class marked: no chart and the design title.
    QCOMPARE(f.title(), QStringLiteral("Privelages"));
    QVERIFY(chartNames(*f.window).isEmpty());
}

void BandPlanFormTest::the_window_opens_on_the_main_windows_exam_class_data()
{
    QTest::addColumn<bool>("technician");
    QTest::addColumn<bool>("general");
    QTest::addColumn<bool>("extra");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("segments");

    QTest::newRow("technician") << true << false << false << QStringLiteral("Technician Frequency Privileges")
                                << 1;
    QTest::newRow("general") << false << true << false << QStringLiteral("General Frequency Privileges") << 2;
    QTest::newRow("extra") << false << false << true << QStringLiteral("Extra Frequency Privileges") << 1;
    QTest::newRow("two marks: the later item wins")
        << true << true << false << QStringLiteral("General Frequency Privileges") << 2;
}

void BandPlanFormTest::the_window_opens_on_the_main_windows_exam_class()
{
    QFETCH(bool, technician);
    QFETCH(bool, general);
    QFETCH(bool, extra);
    QFETCH(QString, title);
    QFETCH(int, segments);

    QTemporaryDir dir;
    Form f;
    f.form.load({technician, general, extra}, writePlan(dir, kPlan));
    QCOMPARE(f.title(), title);
    QCOMPARE(chartNames(*f.window).filter(QStringLiteral("priv")).size(), segments);
    QVERIFY(f.window->label(QStringLiteral("priv1"))->isVisible());

    // Pressing "Tech +" afterwards: its title and an empty chart (no "P" record).
    QCOMPARE(f.form.chooseClass(Licence::TechnicianPlus), ChartOutcome::NoRow);
    QCOMPARE(f.title(), QStringLiteral("Technician Plus Frequency Privileges"));
    QVERIFY(chartNames(*f.window).isEmpty());
}

void BandPlanFormTest::a_missing_band_plan_is_reported_once_and_the_buttons_still_set_titles()
{
    QTemporaryDir dir;
    Form f;
    f.form.load({false, true, false}, dir.filePath(QStringLiteral("BandPlan.txt")));
    QCOMPARE(f.services.m_messages.size(), std::size_t(1));
    QCOMPARE(f.services.m_messages[0].text, QStringLiteral("Band data not available."));
    QCOMPARE(f.services.m_messages[0].title, QStringLiteral("Band Data Not Available."));
    QCOMPARE(f.title(), QStringLiteral("Privelages"));
    QCOMPARE(f.window->label(QStringLiteral("Label1"))->text(), QStringLiteral("Frequencies Effective"));
    // The window was still fitted before the failure.
    QCOMPARE(*f.window->get(view::Prop::Width), 1024.0 * 15);

    QCOMPARE(f.form.chooseClass(Licence::TechnicianPlus), ChartOutcome::NoRow);
    QCOMPARE(f.title(), QStringLiteral("Technician Plus Frequency Privileges"));
    QVERIFY(chartNames(*f.window).isEmpty());
    QCOMPARE(f.services.m_messages.size(), std::size_t(1));
}

void BandPlanFormTest::the_shipped_band_plan_charts_every_class()
{
    const QString path = QStringLiteral(EXAMORA_DATA_DIR "/BandPlan.txt");
    Form f;
    f.form.load({}, path);
    QVERIFY2(f.form.loadResult().ok, qPrintable(f.form.loadResult().description));
    const BandPlanTable &t = f.form.table();
    const int count = t.recordCount();

    // The rules a correct file follows.
    QStringList bands;
    int group = 0;
    for (int i = 1; i <= count; ++i) {
        QVERIFY2(t.planLow[i] < t.planHigh[i], qPrintable(QString::number(i)));
        if (t.planClass[i] == QLatin1String("O")) {
            QVERIFY2(!bands.contains(t.planBand[i]), qPrintable(t.planBand[i]));
            bands << t.planBand[i];
            group = i;
            continue;
        }
        QVERIFY2(group > 0 && t.planBand[i] == t.planBand[group], qPrintable(QString::number(i)));
        QVERIFY(QStringLiteral("NTPGAE").contains(t.planClass[i]) && t.planClass[i].size() == 1);
        QVERIFY(t.planMode[i] == QLatin1String("CW") || t.planMode[i] == QLatin1String("PH"));
        QVERIFY2(t.planLow[i] >= t.planLow[group] && t.planHigh[i] <= t.planHigh[group],
                 qPrintable(QString::number(i)));
    }
    QCOMPARE(bands.size(), 18);
    QCOMPARE(bands.first(), QStringLiteral("2200m"));
    QCOMPARE(bands.last(), QStringLiteral("23cm"));

    // Rows per class: Novice and the two Technicians hold ten bands or fewer; the rest all 18.
    const std::array<int, 6> rows{6, 10, 10, 18, 18, 18};
    for (std::size_t c = 0; c < kLicenceClasses.size(); ++c) {
        QCOMPARE(f.form.chooseClass(Licence(c)), ChartOutcome::Built);
        QCOMPARE(chartNames(*f.window).filter(QStringLiteral("blbl")).size(), rows[c]);
        QCOMPARE(f.title(), QString::fromLatin1(kLicenceClasses[c].title));
    }
}

QTEST_APPLESS_MAIN(BandPlanFormTest)
#include "tst_band_plan_form.moc"
