// The windows that sit beside the study window, on the screen this test is started with
// (640 x 480 and 1920 x 1080 among them): each opens inside the available area with no
// minimum larger than it, the exam's text is never smaller than the study window's question,
// and a window reopens where it was left, inside a smaller screen too.
#include "app/application.h"
#include "examwindow/exam_window.h"
#include "figures/figure_image.h"
#include "figures/figure_window.h"
#include "mainwindow/fonts.h"
#include "mainwindow/form1.h"
#include "pool_fixture.h"
#include "progress/store.h"
#include "progresswindow/progress_window.h"
#include "windowstate/window_state.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using mainwindow::Form1;

class TestWindowsFit final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        mainwindow::installFontSubstitutions();
    }
    void init() { windowstate::openSettings()->clear(); }
    void every_new_window_opens_inside_the_screen_data();
    void every_new_window_opens_inside_the_screen();
    void a_window_is_moved_and_shrunk_no_more_than_it_must_data();
    void a_window_is_moved_and_shrunk_no_more_than_it_must();
    void a_window_reopens_where_it_was_left();
};

void TestWindowsFit::every_new_window_opens_inside_the_screen_data()
{
    QTest::addColumn<QString>("window");
    for (const char *name : {"practice exam", "exam result", "drill", "Progress", "figure"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestWindowsFit::every_new_window_opens_inside_the_screen()
{
    QFETCH(QString, window);
    PoolFolder folder;
    const QString pool = folder.path() + QStringLiteral("/questech.txt");
    QFile::remove(pool);
    QVERIFY(QFile::copy(QStringLiteral(EXAMORA_DATA_DIR "/questech.txt"), pool));
    app::Application application(folder.path(), folder.path());
    Form1 &form = application.form();
    application.attachProgress(
        std::make_unique<progress::Store>(folder.path() + QStringLiteral("/progress.sqlite")));
    form.Form_Load();
    form.show();
    examwindow::ExamWindow *exam = nullptr;
    connect(&application, &app::Application::examWindowOpened, this,
            [&exam](examwindow::ExamWindow *w) { exam = w; });

    QWidget *shown = nullptr;
    if (window == QStringLiteral("Progress")) {
        application.openProgress();
        shown = application.progressWindow();
    } else if (window == QStringLiteral("figure")) {
        auto *figure = new figures::FigureWindow(&form);
        figure->showFigure(
            figures::loadFigure(QStringLiteral("T-1"), QStringLiteral(EXAMORA_DATA_DIR "/figures/t-1.png")));
        shown = figure;
    } else {
        if (window == QStringLiteral("drill"))
            application.openDrill(QStringLiteral("T5"));
        else
            application.openPracticeExam();
        QVERIFY(exam);
        exam->setConfirm([](const QString &) { return true; });
        if (window == QStringLiteral("exam result"))
            QVERIFY(exam->handIn());
        // The text rule: the question and its choices at least the study window's size.
        const double study = form.controls().lblQuestion->widget()->font().pointSizeF();
        QVERIFY(exam->questionLabel()->font().pointSizeF() >= study);
        QVERIFY(exam->choiceText(0)->font().pointSizeF() >= study);
        shown = exam;
    }
    QVERIFY(shown);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QRect area = shown->screen()->availableGeometry();
    const QRect frame = shown->frameGeometry();
    QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1 x %2 at %3, %4")
                                                  .arg(frame.width())
                                                  .arg(frame.height())
                                                  .arg(frame.x())
                                                  .arg(frame.y())));
    const QSize least = shown->minimumSizeHint().expandedTo(shown->minimumSize());
    QVERIFY2(least.width() <= area.width() && least.height() <= area.height(),
             qPrintable(QStringLiteral("minimum %1 x %2").arg(least.width()).arg(least.height())));
    if (exam)
        exam->close();
}

void TestWindowsFit::a_window_is_moved_and_shrunk_no_more_than_it_must_data()
{
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QRect>("fitted");
    QTest::newRow("inside: unchanged") << QRect(10, 20, 300, 200) << QRect(10, 20, 300, 200);
    QTest::newRow("off the right: moved left") << QRect(500, 0, 300, 200) << QRect(340, 0, 300, 200);
    QTest::newRow("above the top: moved down") << QRect(0, -50, 300, 200) << QRect(0, 0, 300, 200);
    QTest::newRow("too large: shrunk to the area") << QRect(100, 100, 1920, 1080) << QRect(0, 0, 640, 480);
    QTest::newRow("too tall only") << QRect(100, 0, 300, 900) << QRect(100, 0, 300, 480);
}

void TestWindowsFit::a_window_is_moved_and_shrunk_no_more_than_it_must()
{
    QFETCH(QRect, wanted);
    QFETCH(QRect, fitted);
    QCOMPARE(windowstate::fitInside(wanted, QRect(0, 0, 640, 480)), fitted);
}

void TestWindowsFit::a_window_reopens_where_it_was_left()
{
    QTemporaryDir dir;
    progress::Store store(dir.filePath(QStringLiteral("progress.sqlite")));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect left(area.topLeft() + QPoint(20, 30), QSize(560, 400).boundedTo(area.size() - QSize(40, 60)));
    {
        progresswindow::ProgressWindow first(store);
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        first.setGeometry(left);
        first.close();
    }
    progresswindow::ProgressWindow second(store);
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QCOMPARE(second.geometry(), left);
}

QTEST_MAIN(TestWindowsFit)
#include "tst_windows_fit.moc"
