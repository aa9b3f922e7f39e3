// The two scaling passes against the in-memory view: screens smaller and larger than
// the design, a task bar, an unreadable work area, and controls of every kind.
#include "mainwindow/scaling.h"
#include "view/memory_view.h"

#include <QTest>

using namespace view;
using namespace view::memory;
using mainwindow::ScaleToScreen;

namespace {

struct Designed
{
    MemoryWindow window;
    MemLabel *label;
    MemButton *button;
    MemLabel *picture;
    MemLine *line;
    MemMenuItem *menu;
    MemTimer *timer;

    Designed()
    {
        label = window.addMemLabel(QStringLiteral("lblDist1"));
        setBox(label, 1320, 2205, 5220, 735, 8.25);
        button = window.addMemButton(QStringLiteral("Command1"));
        setBox(button, 2400, 5520, 1215, 300, 8.25);
        picture = window.add<MemLabel>(QStringLiteral("Image1"), &window, Kind::Picture);
        setBox(picture, 7080, 540, 2325, 1740, std::nullopt);
        line = window.add<MemLine>(QStringLiteral("Line1"), 6960, 0, 6960, 6480);
        menu = window.add<MemMenuItem>(QStringLiteral("mnuTechnician"));
        timer = window.add<MemTimer>(QStringLiteral("Timer1"), 2500);
        window.add<MemComponent>(QStringLiteral("SysInfo1"));
    }
    static void setBox(Control *c, double l, double t, double w, double h, std::optional<double> font)
    {
        c->set(Prop::Left, l);
        c->set(Prop::Top, t);
        c->set(Prop::Width, w);
        c->set(Prop::Height, h);
        if (font)
            c->set(Prop::FontSize, *font);
    }
};

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-4 * std::max(1.0, std::abs(b));
}

} // namespace

class TestScaling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void both_passes_fit_the_design_to_the_screen_and_work_area_data();
    void both_passes_fit_the_design_to_the_screen_and_work_area();
    void fonts_grow_by_the_smaller_ratio_after_the_first_pass_data();
    void fonts_grow_by_the_smaller_ratio_after_the_first_pass();
    void an_unreadable_work_area_only_moves_the_window_to_the_corner();
    void pictures_menus_and_timers_lose_nothing();
    void the_second_pass_records_the_start_directory_again();
    void a_screen_of_no_size_leaves_the_design_alone();
};

void TestScaling::both_passes_fit_the_design_to_the_screen_and_work_area_data()
{
    QTest::addColumn<double>("screenW");
    QTest::addColumn<double>("screenH");
    QTest::addColumn<double>("workW");
    QTest::addColumn<double>("workH");
    QTest::newRow("640x480 design screen") << 640.0 << 480.0 << 640.0 << 480.0;
    QTest::newRow("800x600") << 800.0 << 600.0 << 800.0 << 600.0;
    QTest::newRow("1024x768") << 1024.0 << 768.0 << 1024.0 << 768.0;
    QTest::newRow("1024x768 with a 30 px task bar") << 1024.0 << 768.0 << 1024.0 << 738.0;
    QTest::newRow("1920x1080") << 1920.0 << 1080.0 << 1920.0 << 1040.0;
    QTest::newRow("3840x2160") << 3840.0 << 2160.0 << 3840.0 << 2160.0;
}

void TestScaling::both_passes_fit_the_design_to_the_screen_and_work_area()
{
    QFETCH(double, screenW);
    QFETCH(double, screenH);
    QFETCH(double, workW);
    QFETCH(double, workH);
    Designed d;
    MemScreen screen(screenW, screenH);
    screen.m_workWidth = workW * 15;
    screen.m_workHeight = workH * 15;
    ScaleToScreen(d.window, screen);

    QCOMPARE(*d.window.get(Prop::Width), workW * 15);
    QCOMPARE(*d.window.get(Prop::Height), workH * 15);
    QCOMPARE(*d.window.get(Prop::Left), 0.0);
    QCOMPARE(*d.window.get(Prop::Top), 0.0);
    // Overall each horizontal value goes by work width / 640 px, each vertical by work height / 480 px.
    const double h = workW / 640, v = workH / 480;
    QVERIFY(near(*d.label->get(Prop::Left), 1320 * h));
    QVERIFY(near(*d.label->get(Prop::Width), 5220 * h));
    QVERIFY(near(*d.label->get(Prop::Top), 2205 * v));
    QVERIFY(near(*d.label->get(Prop::Height), 735 * v));
    QVERIFY(near(*d.button->get(Prop::Top), 5520 * v));
    QVERIFY(near(*d.picture->get(Prop::Width), 2325 * h));
    QVERIFY(near(*d.line->get(Prop::X1), 6960 * h));
    QCOMPARE(*d.line->get(Prop::X1), *d.line->get(Prop::X2));
    QVERIFY(near(*d.line->get(Prop::Y2), 6480 * v));
    QCOMPARE(*d.line->get(Prop::Y1), 0.0);
    // Fonts: the smaller screen ratio, then the work area's width change.
    const double fontFactor = std::min(float(screenW / 640), float(screenH / 480)) * (workW / screenW);
    QVERIFY(near(*d.label->get(Prop::FontSize), 8.25 * fontFactor));
}

void TestScaling::fonts_grow_by_the_smaller_ratio_after_the_first_pass_data()
{
    QTest::addColumn<double>("screenW");
    QTest::addColumn<double>("screenH");
    QTest::addColumn<double>("font");
    QTest::newRow("640x480 unchanged") << 640.0 << 480.0 << 8.25;
    QTest::newRow("1024x768 by 1.6") << 1024.0 << 768.0 << 13.2;
    QTest::newRow("1920x1080 by the height's 2.25") << 1920.0 << 1080.0 << 18.5625;
    QTest::newRow("1280x1024 by the width's 2") << 1280.0 << 1024.0 << 16.5;
}

void TestScaling::fonts_grow_by_the_smaller_ratio_after_the_first_pass()
{
    QFETCH(double, screenW);
    QFETCH(double, screenH);
    QFETCH(double, font);
    Designed d;
    MemScreen screen(screenW, screenH); // work area = screen: the second pass changes nothing
    ScaleToScreen(d.window, screen);
    QVERIFY2(near(*d.label->get(Prop::FontSize), font),
             qPrintable(QString::number(*d.label->get(Prop::FontSize))));
    QVERIFY(near(*d.button->get(Prop::FontSize), font));
    QVERIFY(near(*d.window.get(Prop::FontSize), 8.25 * screenW / 640));
}

void TestScaling::an_unreadable_work_area_only_moves_the_window_to_the_corner()
{
    Designed d;
    d.window.set(Prop::Width, 9000); // not the design size: scaled in proportion and centred first
    MemScreen screen(1024, 768);
    screen.m_workWidth.reset();
    screen.m_workHeight.reset();
    ScaleToScreen(d.window, screen);
    QCOMPARE(*d.window.get(Prop::Width), 9000 * 1.6);
    QCOMPARE(*d.window.get(Prop::Height), 7200 * 1.6);
    QCOMPARE(*d.window.get(Prop::Left), 0.0);
    QCOMPARE(*d.window.get(Prop::Top), 0.0);
    QVERIFY(near(*d.label->get(Prop::Left), 1320 * 1.6));
    QVERIFY(near(*d.label->get(Prop::FontSize), 13.2));
}

void TestScaling::pictures_menus_and_timers_lose_nothing()
{
    Designed d;
    MemScreen screen(1920, 1080);
    screen.m_workHeight = 1040 * 15;
    ScaleToScreen(d.window, screen);
    QVERIFY(!d.picture->get(Prop::FontSize));
    QVERIFY(near(*d.picture->get(Prop::Height), 1740 * 1040.0 / 480));
    QVERIFY(!d.menu->get(Prop::Left));
    QCOMPARE(d.timer->interval(), 2500);
    QCOMPARE(d.window.controlCount(), 7);
}

void TestScaling::the_second_pass_records_the_start_directory_again()
{
    Designed d;
    MemScreen screen(1024, 768);
    int recorded = 0;
    ScaleToScreen(d.window, screen, [&] { ++recorded; });
    QCOMPARE(recorded, 1);
}

void TestScaling::a_screen_of_no_size_leaves_the_design_alone()
{
    Designed d;
    MemScreen screen(0, 0);
    screen.m_workWidth.reset();
    screen.m_workHeight.reset();
    ScaleToScreen(d.window, screen);
    QCOMPARE(*d.window.get(Prop::Width), 9600.0);
    QCOMPARE(*d.label->get(Prop::Left), 1320.0);
    QCOMPARE(*d.label->get(Prop::FontSize), 8.25);
}

QTEST_APPLESS_MAIN(TestScaling)
#include "tst_scaling.moc"
