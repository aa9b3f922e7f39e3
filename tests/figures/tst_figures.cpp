// The figure library offscreen: the panel view with shipped, missing and broken files,
// the trimming of white margins, the large window's size, zoom and Escape, and the
// figures the shipped pools name.
#include "figures/figure_canvas.h"
#include "figures/figure_view.h"
#include "figures/figure_window.h"
#include "questions/pool_file.h"
#include "tests/support/child_process.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

using namespace figures;

namespace {

QString shipped(const char *file)
{
    return QStringLiteral(EXAMORA_FIGURES_DIR "/") + QString::fromLatin1(file);
}

// A white image of `size` with a black block of `block` at `at`.
QImage drawing(QSize size, QRect block, QColor ground = Qt::white)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(ground);
    QPainter(&image).fillRect(block, Qt::black);
    return image;
}

} // namespace

class TestFigures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void the_view_shows_a_figure_or_says_it_is_missing_data();
    void the_view_shows_a_figure_or_says_it_is_missing();
    void a_reduced_figure_gets_one_resampled_pixel_per_device_pixel_data();
    void a_reduced_figure_gets_one_resampled_pixel_per_device_pixel();
    void white_margins_are_trimmed_data();
    void white_margins_are_trimmed();
    void the_large_window_opens_at_full_size_when_it_fits_data();
    void the_large_window_opens_at_full_size_when_it_fits();
    void the_large_window_zooms_with_the_keys_and_the_wheel_and_escape_closes_it_data();
    void the_large_window_zooms_with_the_keys_and_the_wheel_and_escape_closes_it();
    void what_is_not_a_regular_file_is_missing_at_once_data();
    void what_is_not_a_regular_file_is_missing_at_once();
    void the_large_window_opens_beside_its_owner_where_there_is_room_data();
    void the_large_window_opens_beside_its_owner_where_there_is_room();
    void keys_the_large_window_does_not_use_go_to_its_owner();
    void every_figure_a_shipped_pool_names_is_shipped_data();
    void every_figure_a_shipped_pool_names_is_shipped();
};

void TestFigures::the_view_shows_a_figure_or_says_it_is_missing_data()
{
    QTest::addColumn<QByteArray>("bytes"); // written to the file; null: no file at all
    QTest::addColumn<bool>("shown");
    QFile t1(shipped("t-1.png"));
    QVERIFY(t1.open(QIODevice::ReadOnly));
    QTest::newRow("shipped figure") << t1.readAll() << true;
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray("") << false;
    QTest::newRow("not an image") << QByteArray("\x89PNG\r\n\x1a\n garbage") << false;
}

void TestFigures::the_view_shows_a_figure_or_says_it_is_missing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, shown);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t-1.png"));
    if (!bytes.isNull()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QWidget host;
    auto *view = new FigureView(&host);
    view->setGeometry(0, 0, 250, 600);
    host.show();
    QSignalSpy activated(view, &FigureView::activated);
    view->showFigure(QStringLiteral("T-1"), path);

    QVERIFY(view->hasFigure());
    QCOMPARE(view->captionLabel()->text(), QStringLiteral("Figure T-1"));
    QCOMPARE(view->accessibleName(), QStringLiteral("Figure T-1"));
    QCOMPARE(view->figure().ok(), shown);
    QCOMPARE(view->canvas()->isVisible(), shown);
    QCOMPARE(view->missingLabel()->isVisible(), !shown);
    if (shown) {
        // Scaled into the width with its aspect kept, never past the view.
        const QRectF r = view->canvas()->imageRect();
        QVERIFY(r.width() <= 250.5 && r.width() > 200);
        const QImage &image = view->canvas()->image();
        QVERIFY(qAbs(r.height() / r.width() - double(image.height()) / image.width()) < 0.01);
        QVERIFY(view->canvas()->geometry().bottom() < view->height());
    } else {
        QCOMPARE(view->missingLabel()->text(), QStringLiteral("Figure T-1 is missing"));
        QCOMPARE(view->missingLabel()->textFormat(), Qt::PlainText);
        QVERIFY(view->missingLabel()->height() > 0);
    }
    // A click asks for the large view only when there is an image to enlarge.
    QTest::mouseClick(shown ? static_cast<QWidget *>(view->canvas()) : view->missingLabel(), Qt::LeftButton);
    QCOMPARE(activated.size(), shown ? 1 : 0);

    view->clear();
    QVERIFY(!view->hasFigure());
    QVERIFY(!view->canvas()->isVisible() && !view->missingLabel()->isVisible());
    QVERIFY(view->accessibleName().isEmpty());
}

void TestFigures::a_reduced_figure_gets_one_resampled_pixel_per_device_pixel_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("96 dpi") << 1.0;
    QTest::newRow("HiDPI, twice") << 2.0;
    QTest::newRow("HiDPI, one and a half") << 1.5;
}

void TestFigures::a_reduced_figure_gets_one_resampled_pixel_per_device_pixel()
{
    QFETCH(qreal, dpr);
    QImage source = drawing({800, 400}, {});
    QPainter painter(&source);
    for (int x = 0; x < 800; x += 8)
        painter.fillRect(x, 0, 3, 400, Qt::black); // fine stripes blur when resampled twice
    painter.end();
    FigureCanvas canvas;
    canvas.setImage(source);
    canvas.resize(100, 50);
    const QSize device(qRound(100 * dpr), qRound(50 * dpr));
    QImage shown(device, QImage::Format_ARGB32);
    shown.setDevicePixelRatio(dpr);
    shown.fill(Qt::white);
    canvas.render(&shown);
    shown.setDevicePixelRatio(1);
    QCOMPARE(shown, source.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_ARGB32));
}

void TestFigures::white_margins_are_trimmed_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QRect>("kept");
    // The margin kept is 1 % of the longer side, at least 4 pixels.
    QTest::newRow("white margins") << drawing({1000, 500}, {300, 100, 200, 100}) << QRect(290, 90, 220, 120);
    QTest::newRow("transparent margins")
        << drawing({1000, 500}, {300, 100, 200, 100}, Qt::transparent) << QRect(290, 90, 220, 120);
    QTest::newRow("drawing to the edge") << drawing({100, 50}, {0, 0, 100, 50}) << QRect(0, 0, 100, 50);
    QTest::newRow("all white") << drawing({100, 50}, {}) << QRect(0, 0, 100, 50);
    QTest::newRow("null image") << QImage() << QRect();
}

void TestFigures::white_margins_are_trimmed()
{
    QFETCH(QImage, image);
    QFETCH(QRect, kept);
    const QImage trimmed = trimMargins(image);
    QCOMPARE(trimmed.size(), kept.size());
    if (!kept.isEmpty())
        QCOMPARE(trimmed, image.copy(kept));
}

void TestFigures::the_large_window_opens_at_full_size_when_it_fits_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("fullSize");
    // The offscreen screen is 800 x 800.
    QTest::newRow("small figure") << shipped("e9-3.png") << true;
    QTest::newRow("figure wider than the screen") << shipped("t-1.png") << false;
}

void TestFigures::the_large_window_opens_at_full_size_when_it_fits()
{
    QFETCH(QString, file);
    QFETCH(bool, fullSize);
    FigureWindow window;
    window.showFigure(loadFigure(QStringLiteral("E9-3"), file));
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Figure E9-3"));
    QCOMPARE(window.accessibleName(), QStringLiteral("Figure E9-3"));
    QCOMPARE(window.zoom() == 1.0, fullSize);
    const QRect room = window.screen()->availableGeometry();
    QVERIFY(window.width() <= room.width() && window.height() <= room.height());
    // The whole figure is in view either way.
    QVERIFY(window.canvas()->width() <= window.width() && window.canvas()->height() <= window.height());
}

void TestFigures::the_large_window_zooms_with_the_keys_and_the_wheel_and_escape_closes_it_data()
{
    QTest::addColumn<int>("key"); // 0: Ctrl + wheel by `steps` notches; -1, -2: the zoom buttons
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("factor");
    QTest::newRow("Ctrl+plus") << int(Qt::Key_Plus) << 1 << 1.25;
    QTest::newRow("Ctrl+equals") << int(Qt::Key_Equal) << 1 << 1.25;
    QTest::newRow("Ctrl+minus") << int(Qt::Key_Minus) << 1 << 0.8;
    QTest::newRow("Ctrl+plus stops at eight times") << int(Qt::Key_Plus) << 20 << 8.0;
    QTest::newRow("Ctrl+minus stops at a tenth") << int(Qt::Key_Minus) << 20 << 0.1;
    QTest::newRow("Ctrl+wheel up") << 0 << 2 << 1.5625;
    QTest::newRow("Ctrl+wheel down") << 0 << -1 << 0.8;
    QTest::newRow("zoom-in button") << -1 << 2 << 1.5625;
    QTest::newRow("zoom-out button") << -2 << 1 << 0.8;
}

void TestFigures::the_large_window_zooms_with_the_keys_and_the_wheel_and_escape_closes_it()
{
    QFETCH(int, key);
    QFETCH(int, steps);
    QFETCH(double, factor);
    FigureWindow window;
    window.showFigure(loadFigure(QStringLiteral("E9-3"), shipped("e9-3.png")));
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.zoom(), 1.0);
    if (key < 0) {
        QToolButton *button = key == -1 ? window.zoomInButton() : window.zoomOutButton();
        QVERIFY(button->isVisible());
        for (int i = 0; i < steps; ++i)
            button->click();
    } else if (key) {
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(&window, Qt::Key(key), Qt::ControlModifier);
    } else {
        QWidget *viewport = window.canvas()->parentWidget();
        const QPoint at = viewport->rect().center();
        QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
    }
    QVERIFY(qAbs(window.zoom() - factor) < 1e-9);
    const QSize image = window.figure().image.size();
    QCOMPARE(window.canvas()->size(),
             QSize(int(std::ceil(image.width() * factor)), int(std::ceil(image.height() * factor))));
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(window.zoom(), 1.0);
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void TestFigures::what_is_not_a_regular_file_is_missing_at_once_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to a FIFO") << "link";
    QTest::newRow("folder") << "folder";
    QTest::newRow("device") << "device";
}

void TestFigures::what_is_not_a_regular_file_is_missing_at_once()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t-1.png"));
    const QByteArray fifo = QFile::encodeName(dir.filePath(kind == "link" ? "other" : "t-1.png"));
    if (kind == "fifo" || kind == "link")
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    if (kind == "link")
        QVERIFY(QFile::link(QStringLiteral("other"), path));
    if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("t-1.png")));
    if (kind == "device")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    // In a child: a reader that blocks on the FIFO would hang the whole suite.
    const testing::ChildOutcome outcome = testing::runInChild(
        [&] {
            const FigureImage figure = loadFigure(QStringLiteral("T-1"), path);
            return figure.ok() || figure.error.isEmpty() ? 1 : 0;
        },
        std::chrono::seconds(10));
    QVERIFY2(outcome.ok(), qPrintable(outcome.describe()));
}

void TestFigures::the_large_window_opens_beside_its_owner_where_there_is_room_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("at");
    const QSize figure(600, 400);
    QTest::newRow("room on the right") << QRect(0, 0, 1000, 800) << figure << QPoint(1000, 0);
    QTest::newRow("room on the left only") << QRect(900, 100, 1000, 800) << figure << QPoint(300, 100);
    QTest::newRow("low owner: kept on the screen") << QRect(0, 700, 800, 300) << figure << QPoint(800, 680);
    QTest::newRow("owner fills the screen: over its right side")
        << QRect(0, 0, 1920, 1080) << figure << QPoint(1320, 339);
    QTest::newRow("figure larger than the screen")
        << QRect(0, 0, 1920, 1080) << QSize(2500, 1500) << QPoint(0, 0);
}

void TestFigures::the_large_window_opens_beside_its_owner_where_there_is_room()
{
    QFETCH(QRect, anchor);
    QFETCH(QSize, size);
    QFETCH(QPoint, at);
    QCOMPARE(FigureWindow::placeBeside(anchor, size, QRect(0, 0, 1920, 1080)), at);
}

void TestFigures::keys_the_large_window_does_not_use_go_to_its_owner()
{
    QWidget owner;
    FigureWindow window(&owner);
    QList<int> passed;
    window.setKeyHandler([&passed](int key) { return passed.append(key), key != Qt::Key_Q; });
    window.showFigure(loadFigure(QStringLiteral("E9-3"), shipped("e9-3.png")));
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *focus = window.focusWidget() ? window.focusWidget() : &window;
    for (Qt::Key key : {Qt::Key_N, Qt::Key_A, Qt::Key_P, Qt::Key_Q})
        QTest::keyClick(focus, key);
    QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier); // its own, not passed on
    QCOMPARE(passed, QList<int>({Qt::Key_N, Qt::Key_A, Qt::Key_P, Qt::Key_Q}));
    QCOMPARE(window.zoom(), 1.25);
    window.fitButton()->click();
    QVERIFY(window.canvas()->width() <= window.canvas()->parentWidget()->width() + 1);
    QVERIFY(window.canvas()->height() <= window.canvas()->parentWidget()->height() + 1);
}

void TestFigures::every_figure_a_shipped_pool_names_is_shipped_data()
{
    QTest::addColumn<QString>("pool");
    QTest::addColumn<int>("named"); // questions that name a figure: 44 in all
    QTest::newRow("Technician") << QStringLiteral("questech.txt") << 12;
    QTest::newRow("General") << QStringLiteral("quesgen.txt") << 5;
    QTest::newRow("Extra") << QStringLiteral("quesextra.txt") << 27;
}

void TestFigures::every_figure_a_shipped_pool_names_is_shipped()
{
    QFETCH(QString, pool);
    QFETCH(int, named);
    const questions::PoolParse parse = questions::loadPoolFile(shipped("../") + pool);
    QVERIFY(parse.ok());
    int count = 0;
    for (const questions::Question &q : parse.pool.questions) {
        if (q.figure().isEmpty())
            continue;
        ++count;
        const FigureImage figure =
            loadFigure(q.figure(), shipped("") + questions::figureFileName(q.figure()));
        QVERIFY2(figure.ok(), qPrintable(q.id().toString() + QStringLiteral(": ") + figure.error));
    }
    QCOMPARE(count, named);
}

QTEST_MAIN(TestFigures)
#include "tst_figures.moc"
