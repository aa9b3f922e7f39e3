// The study window on the offscreen screen this test is started with (its size is
// chosen by the test's configuration file): the window fills the screen and a
// handful of controls are where the design puts them, scaled; the product pictures
// fill their boxes.
#include "app/application.h"
#include "mainwindow/artwork.h"
#include "mainwindow/fonts.h"
#include "mainwindow/form1.h"
#include "pool_fixture.h"

#include <QPainter>
#include <QScreen>
#include <QTest>

using namespace mainwindow;
using view::Prop;

class TestForm1Screens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }
    void controls_scale_with_the_screen_data();
    void controls_scale_with_the_screen();
    void product_pictures_are_drawn_at_the_size_they_show();
};

void TestForm1Screens::controls_scale_with_the_screen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("design");
    QTest::addColumn<double>("font");
    QTest::newRow("Label2 score") << "Label2" << QRectF(120, 40, 1695, 255) << 8.25;
    QTest::newRow("lblDist1 choice") << "lblDist1" << QRectF(1320, 2205, 5220, 735) << 8.25;
    QTest::newRow("Command1 next") << "Command1" << QRectF(2400, 5520, 1215, 300) << 8.25;
    QTest::newRow("cmdA") << "cmdA" << QRectF(360, 2280, 615, 375) << 9.75;
    QTest::newRow("Check2") << "Check2" << QRectF(180, 6120, 915, 320) << 6.75;
    QTest::newRow("Image1 picture") << "Image1" << QRectF(7080, 540, 2325, 1740) << 0.0;
    QTest::newRow("Label17 link") << "Label17" << QRectF(7080, 30, 2295, 585) << 6.0;
}

void TestForm1Screens::controls_scale_with_the_screen()
{
    QFETCH(QString, name);
    QFETCH(QRectF, design);
    QFETCH(double, font);
    PoolFolder pool(5);
    app::Application application(pool.path(), pool.path());
    Form1 &form = application.form();
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const QRect screen = form.screen()->geometry();
    const double h = screen.width() / 640.0, v = screen.height() / 480.0;
    QCOMPARE(*form.get(Prop::Width), screen.width() * 15.0);
    QCOMPARE(*form.get(Prop::Height), screen.height() * 15.0);
    QCOMPARE(*form.get(Prop::Left), 0.0);

    view::Control *c = form.find(name);
    QVERIFY(c);
    QVERIFY(qFuzzyCompare(*c->get(Prop::Left), design.left() * h));
    QVERIFY(qFuzzyCompare(*c->get(Prop::Top), design.top() * v));
    QVERIFY(qFuzzyCompare(*c->get(Prop::Width), design.width() * h));
    QVERIFY(qFuzzyCompare(*c->get(Prop::Height), design.height() * v));
    if (font > 0)
        QVERIFY(qFuzzyCompare(*c->get(Prop::FontSize), font * std::min(float(h), float(v))));
    else
        QVERIFY(!c->get(Prop::FontSize));

    // The widget shows the twips rounded to pixels by their edges.
    QWidget *w = form.clientArea()->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->x(), int(std::lround(design.left() * h / 15)));
    QCOMPARE(w->y(), int(std::lround(design.top() * v / 15)));
    QCOMPARE(w->x() + w->width(), int(std::lround(design.right() * h / 15)));

    // Line1 stays vertical.
    view::Control *line = form.find(QStringLiteral("Line1"));
    QCOMPARE(*line->get(Prop::X1), *line->get(Prop::X2));
    QVERIFY(qFuzzyCompare(*line->get(Prop::Y2), 6480 * v));
}

void TestForm1Screens::product_pictures_are_drawn_at_the_size_they_show()
{
    PoolFolder pool(5);
    app::Application application(pool.path(), pool.path());
    Form1 &form = application.form();
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    for (int i = 0; i < kProductCount; ++i) {
        auto *picture = form.findAs<view::qt::QtPicture>(QStringLiteral("Image%1").arg(i + 1));
        QVERIFY(picture);
        const QLabel *widget = picture->widget();
        const QImage shown = widget->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        // Exactly the box: nothing is resampled when it paints.
        QCOMPARE(shown.size(), widget->size() * widget->devicePixelRatio());

        // It looks like the design picture stretched over the box.
        QImage design(productPictureSize(i), QImage::Format_RGB32);
        design.fill(Qt::white);
        QPainter painter(&design);
        painter.setRenderHint(QPainter::Antialiasing);
        paintProductPicture(i, painter);
        painter.end();
        const QImage stretched = design.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = stretched.pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b));
            }
        const double perChannel = double(difference) / (3.0 * shown.width() * shown.height());
        QVERIFY2(
            perChannel < 4,
            qPrintable(
                QStringLiteral("Image%1 differs by %2 a channel on average").arg(i + 1).arg(perChannel)));
    }
}

QTEST_MAIN(TestForm1Screens)
#include "tst_form1_screens.moc"
