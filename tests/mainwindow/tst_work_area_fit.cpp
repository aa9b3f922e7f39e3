// The work-area fit both windows run at load, against the in-memory view: the study
// window's fonts follow the window's change in width, the band plan's a fixed factor;
// an unreadable work area only moves the window; the hook runs between move and rescale.
#include "view/memory_view.h"
#include "view/work_area_fit.h"

#include <QTest>

using namespace view;
using namespace view::memory;

class TestWorkAreaFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void the_window_fills_the_work_area_and_controls_follow_data();
    void the_window_fills_the_work_area_and_controls_follow();
};

void TestWorkAreaFit::the_window_fills_the_work_area_and_controls_follow_data()
{
    QTest::addColumn<double>("workW"); // pixels; 0: the work area cannot be read
    QTest::addColumn<double>("workH");
    QTest::addColumn<double>("fontFactor"); // 0: fonts follow the width
    QTest::addColumn<double>("across");
    QTest::addColumn<double>("down");
    QTest::addColumn<double>("font");
    // The window starts at the design's 9600 x 7200 twips (640 x 480 pixels).
    QTest::newRow("study window, task bar") << 1024.0 << 738.0 << 0.0 << 1.6 << 1.5375 << 1.6;
    QTest::newRow("band plan, task bar") << 1024.0 << 738.0 << 1.5 << 1.6 << 1.5375 << 1.5;
    QTest::newRow("study window, no work area") << 0.0 << 0.0 << 0.0 << 1.0 << 1.0 << 1.0;
    QTest::newRow("band plan, no work area") << 0.0 << 0.0 << 1.5 << 1.0 << 1.0 << 1.5;
}

void TestWorkAreaFit::the_window_fills_the_work_area_and_controls_follow()
{
    QFETCH(double, workW);
    QFETCH(double, workH);
    QFETCH(double, fontFactor);
    QFETCH(double, across);
    QFETCH(double, down);
    QFETCH(double, font);

    MemoryWindow window(9600, 7200);
    window.set(Prop::Left, 300);
    window.set(Prop::Top, 200);
    MemLabel *label = window.addMemLabel(QStringLiteral("Label1"));
    for (auto [prop, value] : {std::pair{Prop::Left, 120.0},
                               {Prop::Top, 400.0},
                               {Prop::Width, 6375.0},
                               {Prop::Height, 300.0},
                               {Prop::FontSize, 9.0}})
        label->set(prop, value);
    auto *picture = window.add<MemLabel>(QStringLiteral("Image1"), &window, Kind::Picture);
    picture->set(Prop::Width, 2325);
    auto *line = window.add<MemLine>(QStringLiteral("Line1"), 120, 720, 9360, 720);

    MemScreen screen(1024, 768);
    screen.m_workWidth = workW ? std::optional(workW * 15) : std::nullopt;
    screen.m_workHeight = workH ? std::optional(workH * 15) : std::nullopt;
    int hooked = 0;
    FitOptions options;
    if (fontFactor)
        options.fontFactor = fontFactor;
    options.afterMove = [&] {
        ++hooked;
        QCOMPARE(*window.get(Prop::Left), 0.0);
        QCOMPARE(*label->get(Prop::Left), 120.0); // not yet rescaled
    };
    fitToWorkArea(window, screen, options);

    QCOMPARE(hooked, 1);
    QCOMPARE(*window.get(Prop::Top), 0.0);
    QCOMPARE(*window.get(Prop::Width), 9600 * across);
    QVERIFY(qFuzzyCompare(*label->get(Prop::Left), 120 * across));
    QVERIFY(qFuzzyCompare(*label->get(Prop::Height), 300 * down));
    QVERIFY(qFuzzyCompare(*label->get(Prop::FontSize), 9 * font));
    QVERIFY(qFuzzyCompare(*picture->get(Prop::Width), 2325 * across));
    QVERIFY(!picture->get(Prop::FontSize));
    QVERIFY(qFuzzyCompare(*line->get(Prop::X2), 9360 * across));
    QVERIFY(qFuzzyCompare(*line->get(Prop::Y1), 720 * down));
}

QTEST_GUILESS_MAIN(TestWorkAreaFit)
#include "tst_work_area_fit.moc"
