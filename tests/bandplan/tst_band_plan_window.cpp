// The real "Frequency Privileges" window, offscreen: it opens on the main window's exam
// class, the class buttons redraw the chart, and "Done" hides it.

#include "band_plan_fixture.h"
#include "bandplan/band_plan_window.h"
#include "bandplan/frm_band_plan.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace bandplan;
using namespace bandplan::testing;

namespace {

const QByteArray kPlan = "\"March 1, 2026\"\r\n"
                         "\"20 m\",\"O\",\"\",14.0,14.35\r\n"
                         "\"20 m\",\"G\",\"CW\",14.025,14.15\r\n"
                         "\"20 m\",\"G\",\"PH\",14.225,14.35\r\n"
                         "\"<b>2 m</b> & up\",\"O\",\"\",144,148\r\n"
                         "\"<b>2 m</b> & up\",\"E\",\"PH\",144.1,148\r\n"
                         "\"Far\",\"O\",\"\",1,2\r\n"
                         "\"Far\",\"A\",\"CW\",-1e30,-1e29\r\n"
                         "\"Far\",\"A\",\"CW\",1e30,3e38\r\n";

QString labelText(QWidget &window, const char *name)
{
    auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<none>");
}

QPushButton *button(QWidget &window, const char *name)
{
    return window.findChild<QPushButton *>(QString::fromLatin1(name));
}

} // namespace

class BandPlanWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void opens_on_the_exam_class_and_done_hides_it();
    void every_opening_is_a_fresh_window();
    void extreme_limits_give_geometry_qt_can_take();
};

void BandPlanWindowTest::opens_on_the_exam_class_and_done_hides_it()
{
    QTemporaryDir dir;
    frmBandPlan window;
    window.load({false, true, false}, writePlan(dir, kPlan));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), QStringLiteral("Frequency Privileges"));
    QCOMPARE(labelText(window, "Label1"), QStringLiteral("Frequencies Effective: March 1, 2026"));
    QCOMPARE(labelText(window, "Label2"), QStringLiteral("General Frequency Privileges"));
    QCOMPARE(labelText(window, "bnlb1"), QStringLiteral("20 m"));
    QCOMPARE(labelText(window, "priv2"), QStringLiteral("14.225 - 14.350"));
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("priv2"))->isVisible());
    // The window fills the screen's work area from the top-left corner.
    const QRect area = window.screen()->availableGeometry();
    QCOMPARE(window.frameGeometry().topLeft(), area.topLeft());
    QCOMPARE(window.frameGeometry().width(), area.width());
    QCOMPARE(window.focusWidget(), button(window, "Command7"));

    // A band name is shown as written, markup and ampersand included.
    QTest::mouseClick(button(window, "Command6"), Qt::LeftButton);
    QCOMPARE(labelText(window, "Label2"), QStringLiteral("Extra Frequency Privileges"));
    QCOMPARE(labelText(window, "bnlb1"), QStringLiteral("<b>2 m</b> & up"));
    QVERIFY(!window.findChild<QLabel *>(QStringLiteral("priv2")));
    QVERIFY(window.updatesEnabled());

    // Segments far outside their band are placed as computed, off the window.
    QTest::mouseClick(button(window, "Command5"), Qt::LeftButton);
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("priv2"))->isVisible());

    QTest::mouseClick(button(window, "Command7"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

void BandPlanWindowTest::every_opening_is_a_fresh_window()
{
    QTemporaryDir dir;
    const QString plan = writePlan(dir, kPlan);

    // The first opening switches to Extra and closes by the close box; the second
    // opens on the main window's class again and closes by "Done".
    QStringList titles;
    const auto whenShown = [&titles](bool byDone) {
        QTimer::singleShot(0, qApp, [&titles, byDone] {
            auto *window = qobject_cast<frmBandPlan *>(QApplication::activeModalWidget());
            if (!window)
                return;
            titles << labelText(*window, "Label2");
            QTest::mouseClick(button(*window, "Command6"), Qt::LeftButton);
            if (byDone)
                QTest::mouseClick(button(*window, "Command7"), Qt::LeftButton);
            else
                window->close();
        });
    };
    whenShown(false);
    openFrequencyPrivileges({true, false, false}, plan);
    whenShown(true);
    openFrequencyPrivileges({true, false, false}, plan);

    QCOMPARE(titles, QStringList({QStringLiteral("Technician Frequency Privileges"),
                                  QStringLiteral("Technician Frequency Privileges")}));
    const auto windows = QApplication::topLevelWidgets();
    QVERIFY(std::none_of(windows.begin(), windows.end(),
                         [](QWidget *w) { return qobject_cast<frmBandPlan *>(w) != nullptr; }));
}

// Limits far outside their band put segments millions of pixels off the window: they are
// clamped to what a widget can take, with no int overflow on the way (the sanitizer suite
// runs this), and a segment wider than its band still covers the band's bar.
void BandPlanWindowTest::extreme_limits_give_geometry_qt_can_take()
{
    const QByteArray plan = "\"March 1, 2026\"\r\n"
                            "\"Wide\",\"O\",\"\",1,2\r\n"
                            "\"Wide\",\"E\",\"CW\",-2400000,2400000\r\n"
                            "\"High\",\"O\",\"\",1,2\r\n"
                            "\"High\",\"E\",\"PH\",1e30,3.4e38\r\n"
                            "\"Low\",\"O\",\"\",1,2\r\n"
                            "\"Low\",\"E\",\"CW\",-3.4e38,-1e37\r\n";
    QTemporaryDir dir;
    frmBandPlan window;
    window.load({false, false, true}, writePlan(dir, plan));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto geometry = [&window](const char *name) {
        auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
        return label ? label->geometry() : QRect();
    };
    const QRect bar = geometry("blbl1");
    QVERIFY(bar.isValid());
    for (const char *name : {"priv1", "priv2", "priv3"}) {
        const QRect r = geometry(name);
        QVERIFY2(r.width() >= 0 && r.height() > 0, name);
        QVERIFY2(std::abs(r.left()) <= QWIDGETSIZE_MAX && std::abs(r.right()) <= QWIDGETSIZE_MAX, name);
    }
    QVERIFY(geometry("priv1").left() <= bar.left() && geometry("priv1").right() >= bar.right());
    QVERIFY(geometry("priv2").left() > window.width());
    QVERIFY(geometry("priv3").right() < 0);
    QTest::mouseClick(button(window, "Command1"), Qt::LeftButton); // another class, and back
    QTest::mouseClick(button(window, "Command6"), Qt::LeftButton);
    QVERIFY(geometry("priv1").left() <= geometry("blbl1").left());
}

// Whatever the user running the tests has chosen, frequencies read as in the United States.
void BandPlanWindowTest::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(BandPlanWindowTest)
#include "tst_band_plan_window.moc"
