// The study window's figures, offscreen at 1024 x 768: a question that names a figure
// shows it over the product pictures, the next question brings them back, a missing
// file says so, F opens the large view and reaches no study key. Also: the window
// names any control its code drives that the design did not make as expected.
#include "app/application.h"
#include "figures/figure_canvas.h"
#include "figures/figure_view.h"
#include "figures/figure_window.h"
#include "mainwindow/fonts.h"
#include "mainwindow/form1.h"
#include "pool_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace mainwindow;

namespace {

// A pool of four questions in a temporary working folder: 0 and 3 name no figure,
// 1 names figure T-1 (shipped beside the pool), 2 names figure T-9 (no such file).
std::unique_ptr<PoolFolder> figurePool()
{
    const char *texts[] = {"Which is the antenna?", "What is component 1 in figure T-1?",
                           "What is shown in Figure t-9?", "What is a volt?"};
    QByteArray pool = "\"Technician Figure Pool\", \"July 1, 2026\", \"x\"\r\n";
    for (int i = 0; i < 4; ++i) {
        pool += "T6C0" + QByteArray::number(i + 1) + " (A) [97.1]\r\n" + texts[i] + "\r\n";
        for (char c : {'A', 'B', 'C', 'D'})
            pool += QByteArray(1, c) + ".  Choice " + QByteArray(1, c) + "\r\n";
        pool += "~~\r\n";
    }
    auto folder = std::make_unique<PoolFolder>(pool);
    QDir(folder->path()).mkdir(QStringLiteral("figures"));
    QFile::copy(QStringLiteral(EXAMORA_FIGURES_DIR "/t-1.png"),
                folder->path() + QStringLiteral("/figures/t-1.png"));
    return folder;
}

} // namespace

class TestForm1Figures : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PoolFolder> m_pool;
    std::unique_ptr<app::Application> m_app;
    Form1 *m_form = nullptr;

    Form1 &form() { return *m_form; }
    int current() { return engine::toIndex(m_form->engine().state().currentQuestion); }
    void press(Qt::Key key) { QTest::keyClick(m_form->focusWidget() ? m_form->focusWidget() : m_form, key); }
    // Moves with the Next key to question `index`.
    void goTo(int index)
    {
        while (current() != index)
            press(Qt::Key_N);
    }
    bool productsShown()
    {
        const Form1Controls &ui = form().controls();
        for (std::size_t i = 0; i < ui.products.size(); ++i)
            if (!ui.products[i]->widget()->isVisible() || !ui.productNames[i]->widget()->isVisible())
                return false;
        return true;
    }

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }
    void init()
    {
        m_pool = figurePool();
        m_app = std::make_unique<app::Application>(m_pool->path(), m_pool->path());
        m_form = &m_app->form();
        m_form->Form_Load();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
    }
    void cleanup()
    {
        m_app.reset();
        m_form = nullptr;
        m_pool.reset();
    }

    void a_figure_shows_over_the_products_only_on_its_question_data();
    void a_figure_shows_over_the_products_only_on_its_question();
    void f_opens_the_figure_large_and_reaches_no_study_key();
    void controls_not_as_designed_are_named_data();
    void controls_not_as_designed_are_named();
};

void TestForm1Figures::a_figure_shows_over_the_products_only_on_its_question_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<QString>("caption"); // empty: the products as designed
    QTest::addColumn<bool>("missing");
    QTest::newRow("no figure") << 0 << QString() << false;
    QTest::newRow("figure T-1") << 1 << QStringLiteral("Figure T-1") << false;
    QTest::newRow("figure file missing") << 2 << QStringLiteral("Figure T-9") << true;
    QTest::newRow("next question has none") << 3 << QString() << false;
}

void TestForm1Figures::a_figure_shows_over_the_products_only_on_its_question()
{
    QFETCH(int, question);
    QFETCH(QString, caption);
    QFETCH(bool, missing);
    // Through every question before it, so each row also leaves the one before behind.
    goTo(question);
    figures::FigureView *view = form().figureView();
    QCOMPARE(!view, question == 0); // the pane is made at the first figure
    QCOMPARE(view && view->isVisible(), !caption.isEmpty());
    QCOMPARE(productsShown(), caption.isEmpty());
    if (caption.isEmpty())
        return;
    QCOMPARE(view->captionLabel()->text(), caption);
    QCOMPARE(view->accessibleName(), caption);
    QCOMPARE(view->missingLabel()->isVisible(), missing);
    if (missing)
        QCOMPARE(view->missingLabel()->text(), caption + QStringLiteral(" is missing"));
    // In the right-hand pane, where the pictures were, and a readable size at 1024 x 768.
    const Form1Controls &ui = form().controls();
    QCOMPARE(view->geometry().top(), ui.products[0]->widget()->geometry().top());
    QCOMPARE(view->geometry().left(), ui.products[0]->widget()->geometry().left());
    QCOMPARE(view->geometry().bottom(), ui.productNames[2]->widget()->geometry().bottom());
    if (!missing)
        QVERIFY(view->canvas()->imageRect().width() > 200);
}

void TestForm1Figures::f_opens_the_figure_large_and_reaches_no_study_key()
{
    // No figure: F does nothing.
    press(Qt::Key_F);
    QVERIFY(!m_app->figureWindow());
    QCOMPARE(current(), 0);

    goTo(1);
    press(Qt::Key_F);
    figures::FigureWindow *large = m_app->figureWindow();
    QVERIFY(large && large->isVisible());
    QCOMPARE(large->windowTitle(), QStringLiteral("Figure T-1"));
    QCOMPARE(large->figure().image.size(), QSize(1800, 1200));
    QCOMPARE(current(), 1);
    QVERIFY(!form().controls().Label11->isVisible()); // no answer given
    large->close();

    // A click on the figure opens it as well.
    QTest::mouseClick(form().figureView()->canvas(), Qt::LeftButton);
    QVERIFY(large->isVisible());
    large->close();

    // A missing figure has nothing to enlarge.
    goTo(2);
    press(Qt::Key_F);
    QVERIFY(!large->isVisible());
}

void TestForm1Figures::controls_not_as_designed_are_named_data()
{
    QTest::addColumn<int>("breakage");
    QTest::addColumn<QStringList>("faults");
    QTest::newRow("as designed") << 0 << QStringList();
    QTest::newRow("a label not made") << 1 << QStringList{QStringLiteral("Label11: not created")};
    QTest::newRow("two buttons swapped") << 2
                                         << QStringList{QStringLiteral("Command3: holds Command4"),
                                                        QStringLiteral("Command4: holds Command3")};
    QTest::newRow("an answer button not made") << 3 << QStringList{QStringLiteral("cmdC: not created")};
    QTest::newRow("one name label in two places")
        << 4 << QStringList{QStringLiteral("Label15: holds Label14")};
}

void TestForm1Figures::controls_not_as_designed_are_named()
{
    QFETCH(int, breakage);
    QFETCH(QStringList, faults);
    Form1Controls ui = form().controls();
    switch (breakage) {
    case 1:
        ui.Label11 = nullptr;
        break;
    case 2:
        std::swap(ui.Command3, ui.Command4);
        break;
    case 3:
        ui.cmdAnswer[2] = nullptr;
        break;
    case 4:
        ui.productNames[1] = ui.productNames[0];
        break;
    }
    QCOMPARE(ui.faults(), faults);
}

QTEST_MAIN(TestForm1Figures)
#include "tst_form1_figures.moc"
