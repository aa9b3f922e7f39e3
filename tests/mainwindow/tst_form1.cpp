// The study window: its design values, key routing, tab order, auto-advance, the
// hint, the link and the Privileges item, on a 1024 x 768 offscreen screen with a
// tiny pool in a temporary working folder.
#include "app/application.h"
#include "mainwindow/artwork.h"
#include "mainwindow/fonts.h"
#include "mainwindow/form1.h"
#include "pool_fixture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QTest>

using namespace mainwindow;

namespace {

// A screen with the work area set apart from the screen, as with a task bar.
class TaskBarScreen final : public view::Screen
{
public:
    TaskBarScreen(double w, double h, double workW, double workH)
        : m_w(w), m_h(h), m_workW(workW), m_workH(workH)
    {
    }
    double widthTwips() const override { return m_w * 15; }
    double heightTwips() const override { return m_h * 15; }
    std::optional<double> workAreaWidthTwips() const override { return m_workW * 15; }
    std::optional<double> workAreaHeightTwips() const override { return m_workH * 15; }

private:
    double m_w, m_h, m_workW, m_workH;
};

} // namespace

// Counts what the desktop was asked to open.
class UrlSink : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

class TestForm1 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PoolFolder> m_pool;
    std::unique_ptr<app::Application> m_app;
    Form1 *m_form = nullptr;

    Form1 &form() { return *m_form; }
    int current() { return engine::toIndex(m_form->engine().state().currentQuestion); }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget *target = m_form->focusWidget() ? m_form->focusWidget() : m_form;
        QTest::keyClick(target, key, mods);
    }
    void fireTimer()
    {
        QMetaObject::invokeMethod(m_form->findChild<QTimer *>(QStringLiteral("Timer1")), "timeout");
    }
    bool timerPending() { return m_form->findChild<QTimer *>(QStringLiteral("Timer1"))->isActive(); }

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }
    void init()
    {
        m_pool = std::make_unique<PoolFolder>(30);
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

    void the_window_opens_as_designed();
    void the_window_carries_the_program_icon();
    void buttons_have_their_captions_and_tool_tips_data();
    void buttons_have_their_captions_and_tool_tips();
    void the_control_list_holds_every_control_and_menu_item();
    void menus_carry_their_access_keys_and_check_marks();
    void scaling_follows_the_work_area_data();
    void scaling_follows_the_work_area();
    void design_fonts_show_in_the_faces_that_stand_in_for_them();
    void tab_moves_only_between_next_and_previous();
    void letter_keys_run_their_action_and_are_consumed_data();
    void letter_keys_run_their_action_and_are_consumed();
    void enter_and_space_reach_the_focused_button();
    void keys_outside_the_table_do_nothing();
    void auto_advance_timeline_data();
    void auto_advance_timeline();
    void the_timer_really_fires_after_two_and_a_half_seconds();
    void the_hint_removes_one_wrong_choice();
    void the_link_opens_the_makers_address_each_time();
    void privileges_returns_to_the_same_question();
    void audio_on_gives_the_focus_back_and_auto_advance_keeps_it();
    void closing_the_window_stops_the_sound();
    void the_sound_is_readied_after_the_window_shows();
    void exit_ends_at_once_without_closing_the_window();
};

void TestForm1::the_window_opens_as_designed()
{
    QCOMPARE(form().windowTitle(),
             QStringLiteral(" Brantel's Examora Study Program 1.4") + QString(35, u' ') + makerHost());
    QCOMPARE(makerHost(), QUrl(makerUrl()).host());
    QVERIFY(!makerHost().isEmpty());
    QCOMPARE(form().checkBox(QStringLiteral("Check1"))->value(), 1);
    QCOMPARE(form().checkBox(QStringLiteral("Check2"))->value(), 1);
    QVERIFY(!form().label(QStringLiteral("Label11"))->isVisible());
    QVERIFY(!timerPending());
    QCOMPARE(form().findChild<QTimer *>(QStringLiteral("Timer1"))->interval(), 2500);
    QCOMPARE(form().focusWidget(), form().button(QStringLiteral("Command1"))->widget());
    QVERIFY(form().menuItem(QStringLiteral("mnuTechnician"))->isChecked());
    QVERIFY(!form().menuItem(QStringLiteral("mnuHelp"))->action()->isEnabled());
    QCOMPARE(form().label(QStringLiteral("Label12"))->text(), QStringLiteral("Technician Sample Pool"));
    QCOMPARE(form().label(QStringLiteral("lblQuestion"))->text(), QStringLiteral("Question 1?"));
    QCOMPARE(form().label(QStringLiteral("Label17"))->text(),
             QStringLiteral("Brantel's software is easy and fun to use, free to try!  Please visit ") +
                 makerHost() + u'!');
    QVERIFY(QFile::exists(m_pool->path() + QStringLiteral("/test.txt")));
}

void TestForm1::the_window_carries_the_program_icon()
{
    const QIcon icon = form().windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    QCOMPARE(icon.pixmap(QSize(32, 32)).toImage(), drawIcon(32).toImage());
    QCOMPARE(icon.pixmap(QSize(16, 16)).toImage(), drawIcon(16).toImage());
}

void TestForm1::buttons_have_their_captions_and_tool_tips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    QTest::newRow("cmdA") << "cmdA"
                          << "&A"
                          << "";
    QTest::newRow("cmdD") << "cmdD"
                          << "&D"
                          << "";
    QTest::newRow("Command1") << "Command1"
                              << "&Next"
                              << "Next question.";
    QTest::newRow("Command2") << "Command2"
                              << "&Previous"
                              << "Previous question.";
    QTest::newRow("Command3") << "Command3"
                              << "For&ward 20"
                              << "Moves ahead 20 questions.";
    QTest::newRow("Command4") << "Command4"
                              << "Bac&k 20"
                              << "Moves back 20 questions.";
    QTest::newRow("Command5") << "Command5"
                              << "&Random"
                              << "Displays a random question.";
    QTest::newRow("Command6") << "Command6"
                              << "&Least Correct"
                              << "Displays question missed most often.";
    QTest::newRow("Command7") << "Command7"
                              << "Reset H&istory"
                              << "Clears history of missed questions.";
    QTest::newRow("Command8") << "Command8"
                              << "N&ew Test"
                              << "Clears correct and incorrect counter.";
    QTest::newRow("Command9") << "Command9"
                              << "Hint"
                              << "Eliminates one distractor.";
}

void TestForm1::buttons_have_their_captions_and_tool_tips()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    QPushButton *b = form().button(name)->widget();
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->toolTip(), tip);
}

void TestForm1::the_control_list_holds_every_control_and_menu_item()
{
    QStringList names;
    for (int i = 0; i < form().controlCount(); ++i)
        names << form().control(i)->name();
    QCOMPARE(names.size(), 45 + 8);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const char *n :
         {"Label1", "Label17", "lblQuestion", "lblDist4", "cmdA", "Command9", "Check2", "Image3", "Line1",
          "Line3", "Timer1", "MMControl1", "SysInfo1", "mnuFile", "mnuHelp"})
        QVERIFY2(names.contains(QString::fromLatin1(n)), n);
    // Buttons and check boxes lie above every label; the link is the top label, Line1 the bottom one.
    const QObjectList order = form().clientArea()->children();
    QCOMPARE(order.first()->objectName(), QStringLiteral("Line1"));
    const qsizetype link = order.indexOf(form().label(QStringLiteral("Label17"))->widget());
    for (qsizetype i = link + 1; i < order.size(); ++i)
        QVERIFY(qobject_cast<QAbstractButton *>(order[i]));
    QVERIFY(order.indexOf(form().label(QStringLiteral("lblDist1"))->widget()) >
            order.indexOf(form().label(QStringLiteral("Label9"))->widget()));
}

void TestForm1::menus_carry_their_access_keys_and_check_marks()
{
    QStringList bar;
    for (QAction *a : form().menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{QStringLiteral("&File"), QStringLiteral("&Test"),
                               QStringLiteral("Pri&vileges"), QStringLiteral("&Help")}));
    for (const char *n : {"mnuTechnician", "mnuGeneral", "mnuExtra"})
        QVERIFY(form().menuItem(QString::fromLatin1(n))->action()->isCheckable());
    QCOMPARE(form().menuItem(QStringLiteral("mnuExit"))->action()->text(), QStringLiteral("&Exit"));
}

void TestForm1::scaling_follows_the_work_area_data()
{
    QTest::addColumn<double>("workH");
    QTest::newRow("whole 1024x768 screen") << 768.0;
    QTest::newRow("1024x738 work area") << 738.0;
}

void TestForm1::scaling_follows_the_work_area()
{
    QFETCH(double, workH);
    app::Application application(m_pool->path(), m_pool->path());
    Form1 &f = application.form();
    f.Form_Load(TaskBarScreen(1024, 768, 1024, workH));
    QCOMPARE(*f.get(view::Prop::Width), 1024 * 15.0);
    QCOMPARE(*f.get(view::Prop::Height), workH * 15);
    const double v = workH / 480;
    view::qt::QtButton *next = f.button(QStringLiteral("Command1"));
    QCOMPARE(*next->get(view::Prop::Left), 2400 * 1.6);
    QVERIFY(qFuzzyCompare(*next->get(view::Prop::Top), 5520 * v));
    QVERIFY(qFuzzyCompare(*next->get(view::Prop::FontSize), 8.25 * double(1.6f)));
    // On the pixels: 2400 twips at 1.6 is 256 px; the top edge rounds 5520 * v / 15.
    QCOMPARE(next->widget()->x(), 256);
    QCOMPARE(next->widget()->y(), int(std::lround(5520 * v / 15)));
    QCOMPARE(f.findAs<view::qt::QtLine>(QStringLiteral("Line1"))->widget()->x(),
             int(std::lround(6960 * 1.6 / 15)));
    QVERIFY(qFuzzyCompare(f.label(QStringLiteral("lblDist1"))->widget()->font().pointSizeF(),
                          8.25 * double(1.6f)));
}

void TestForm1::design_fonts_show_in_the_faces_that_stand_in_for_them()
{
    for (const char *name : {"Label2", "lblQuestion", "Label11", "Label14", "Label17"}) {
        const QWidget *w = form().label(QString::fromLatin1(name))->widget();
        // The face and size Qt gives the design's own family, with the substitutions installed.
        QFont design(form().label(QString::fromLatin1(name))->fontName());
        design.setPointSizeF(w->font().pointSizeF());
        design.setBold(w->font().bold());
        design.setUnderline(w->font().underline());
        const QFontInfo expected(design), shown(w->font());
        QCOMPARE(shown.family(), expected.family());
        QCOMPARE(shown.pixelSize(), expected.pixelSize());
        QCOMPARE(shown.bold(), expected.bold());
        QCOMPARE(shown.underline(), expected.underline());
    }
}

void TestForm1::tab_moves_only_between_next_and_previous()
{
    QWidget *next = form().button(QStringLiteral("Command1"))->widget();
    QWidget *previous = form().button(QStringLiteral("Command2"))->widget();
    form().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form()));
    QCOMPARE(QApplication::focusWidget(), next);
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), previous);
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), previous);
}

void TestForm1::letter_keys_run_their_action_and_are_consumed_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("question"); // index after the key, from index 25
    QTest::addColumn<int>("correct");  // first-attempt correct answers afterwards
    QTest::newRow("N") << int(Qt::Key_N) << 0 << 26 << 0;
    QTest::newRow("Shift+N") << int(Qt::Key_N) << int(Qt::ShiftModifier) << 26 << 0;
    QTest::newRow("Ctrl+N") << int(Qt::Key_N) << int(Qt::ControlModifier) << 26 << 0;
    QTest::newRow("Alt+N") << int(Qt::Key_N) << int(Qt::AltModifier) << 26 << 0;
    QTest::newRow("P") << int(Qt::Key_P) << 0 << 24 << 0;
    QTest::newRow("W past the end goes to 0") << int(Qt::Key_W) << 0 << 0 << 0;
    QTest::newRow("K") << int(Qt::Key_K) << 0 << 5 << 0;
    QTest::newRow("E new test") << int(Qt::Key_E) << 0 << 0 << 0;
    // Record 25 has answer "ABCD"[25 % 4] = B.
    QTest::newRow("B right") << int(Qt::Key_B) << 0 << 25 << 1;
    QTest::newRow("A wrong") << int(Qt::Key_A) << 0 << 25 << 0;
    QTest::newRow("L least correct") << int(Qt::Key_L) << 0 << 0 << 0;
    QTest::newRow("I reset history") << int(Qt::Key_I) << 0 << 25 << 0;
}

void TestForm1::letter_keys_run_their_action_and_are_consumed()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, question);
    QFETCH(int, correct);
    form().engine().state().currentQuestion = 25;
    form().engine().ShowQuestion();
    QSignalSpy nextClicks(form().button(QStringLiteral("Command1"))->widget(), &QPushButton::clicked);
    press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(current(), question);
    QCOMPARE(int(form().engine().state().totalCorrect), correct);
    QCOMPARE(nextClicks.count(), 0); // consumed: the focused button never saw it
}

void TestForm1::enter_and_space_reach_the_focused_button()
{
    QSignalSpy nextClicks(form().button(QStringLiteral("Command1"))->widget(), &QPushButton::clicked);
    press(Qt::Key_Return);
    QCOMPARE(current(), 1);
    press(Qt::Key_Space);
    QCOMPARE(current(), 2);
    QCOMPARE(nextClicks.count(), 2);
}

void TestForm1::keys_outside_the_table_do_nothing()
{
    for (Qt::Key key : {Qt::Key_H, Qt::Key_Z, Qt::Key_F1, Qt::Key_Escape, Qt::Key_1, Qt::Key_Shift})
        press(key);
    QCOMPARE(current(), 0);
    QCOMPARE(form().engine().state().totalIncorrect, 0.0f);
    QVERIFY(form().isVisible());
}

void TestForm1::auto_advance_timeline_data()
{
    QTest::addColumn<QString>(
        "steps"); // keys pressed after a correct answer on index 4 (answer A), then the tick
    QTest::addColumn<int>("afterKeys");
    QTest::addColumn<int>("afterTick");
    QTest::addColumn<bool>("pendingAfterKeys");
    QTest::newRow("tick alone moves on") << "" << 4 << 5 << true;
    QTest::newRow("N cancels") << "N" << 5 << 5 << false;
    QTest::newRow("P then the tick goes forward again") << "P" << 3 << 4 << true;
    QTest::newRow("new test then the tick lands on index 1") << "E" << 0 << 1 << true;
    QTest::newRow("a second correct answer keeps one step") << "A" << 4 << 5 << true;
}

void TestForm1::auto_advance_timeline()
{
    QFETCH(QString, steps);
    QFETCH(int, afterKeys);
    QFETCH(int, afterTick);
    QFETCH(bool, pendingAfterKeys);
    form().engine().state().currentQuestion = 4;
    form().engine().ShowQuestion();
    press(Qt::Key_A);
    QVERIFY(timerPending());
    for (QChar c : steps)
        press(Qt::Key(c.unicode()));
    QCOMPARE(current(), afterKeys);
    QCOMPARE(timerPending(), pendingAfterKeys);
    fireTimer();
    QCOMPARE(current(), afterTick);
    QVERIFY(!timerPending());
}

void TestForm1::the_timer_really_fires_after_two_and_a_half_seconds()
{
    QElapsedTimer clock;
    clock.start();
    press(Qt::Key_A); // index 0, answer A
    QVERIFY(timerPending());
    QTRY_COMPARE_WITH_TIMEOUT(current(), 1, 5000);
    QVERIFY2(clock.elapsed() >= 2490, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!timerPending());
}

void TestForm1::the_hint_removes_one_wrong_choice()
{
    form().engine().state().currentQuestion = 1; // answer B
    form().engine().ShowQuestion();
    QPushButton *hint = form().button(QStringLiteral("Command9"))->widget();
    for (int press = 1; press <= 12; ++press) {
        QTest::mouseClick(hint, Qt::LeftButton);
        QCOMPARE(form().focusWidget(), form().button(QStringLiteral("Command1"))->widget());
    }
    const view::qt::QtLabel *b = form().label(QStringLiteral("lblDist2"));
    QVERIFY(b->isEnabled());
    QCOMPARE(b->text(), QStringLiteral("Choice B of 2"));
    int removed = 0;
    for (int i : {1, 3, 4}) {
        const view::qt::QtLabel *l = form().label(QStringLiteral("lblDist%1").arg(i));
        if (!l->isEnabled()) {
            QVERIFY(l->text().isEmpty());
            ++removed;
        }
    }
    QVERIFY(removed >= 1);
    QCOMPARE(current(), 1);
}

void TestForm1::the_link_opens_the_makers_address_each_time()
{
    UrlSink sink;
    const QString scheme = QUrl(makerUrl()).scheme();
    QDesktopServices::setUrlHandler(scheme, &sink, "open");
    QWidget *link = form().label(QStringLiteral("Label17"))->widget();
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(link, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(scheme);
    QCOMPARE(sink.opened, (QList<QUrl>{QUrl(makerUrl()), QUrl(makerUrl())}));
    QCOMPARE(current(), 0);
    QVERIFY(link->cursor().shape() == Qt::BitmapCursor);
    QCOMPARE(link->cursor().hotSpot(), QPoint(12, 1));
}

void TestForm1::privileges_returns_to_the_same_question()
{
    press(Qt::Key_N);
    press(Qt::Key_B); // index 1, answer B: auto-advance pending
    int closed = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, &closer, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            modal->close();
            ++closed;
        }
    });
    closer.start(50);
    form().menuItem(QStringLiteral("mnuPrivelages"))->action()->trigger();
    closer.stop();
    QVERIFY(closed >= 1); // the window, and its message when the band plan is missing
    QCOMPARE(current(), 1);
    QCOMPARE(form().engine().state().totalCorrect, 1.0f);
    QVERIFY(form().isVisible());
}

void TestForm1::audio_on_gives_the_focus_back_and_auto_advance_keeps_it()
{
    QCheckBox *audio = form().checkBox(QStringLiteral("Check1"))->widget();
    QCheckBox *advance = form().checkBox(QStringLiteral("Check2"))->widget();
    QTest::mouseClick(audio, Qt::LeftButton);
    QCOMPARE(form().checkBox(QStringLiteral("Check1"))->value(), 0);
    QCOMPARE(form().focusWidget(), form().button(QStringLiteral("Command1"))->widget());
    QTest::mouseClick(advance, Qt::LeftButton);
    QCOMPARE(form().focusWidget(), advance);
    press(Qt::Key_Space); // toggles the focused box back on
    QCOMPARE(form().checkBox(QStringLiteral("Check2"))->value(), 1);
    press(Qt::Key_N); // letter keys still reach the window's handler
    QCOMPARE(current(), 1);
}

void TestForm1::closing_the_window_stops_the_sound()
{
    QFile wav(m_pool->path() + QStringLiteral("/Try.wav"));
    QVERIFY(wav.open(QIODevice::WriteOnly));
    wav.write(silentWave());
    wav.close();
    press(Qt::Key_B); // index 0 has answer A
    QVERIFY(form().soundPlayer().current());
    // Qt's shared sample cache leaks a sample still being read when the program ends.
    QTRY_COMPARE(qobject_cast<QSoundEffect *>(form().soundPlayer().current())->status(), QSoundEffect::Ready);
    QVERIFY(form().close());
    QVERIFY(!form().soundPlayer().current());
}

void TestForm1::the_sound_is_readied_after_the_window_shows()
{
    app::Application application(m_pool->path(), m_pool->path());
    Form1 &other = application.form();
    other.Form_Load();
    other.show();
    QCOMPARE(other.checkBox(QStringLiteral("Check1"))->value(), 1);
    QVERIFY(!other.soundPlayer().prepared()); // Audio On, yet nothing loads before the event loop runs
    QTRY_VERIFY(other.soundPlayer().prepared());
    QVERIFY(!other.soundPlayer().loaded()); // and no sound is made before the first answer
}

void TestForm1::exit_ends_at_once_without_closing_the_window()
{
    QTimer::singleShot(0, &form(),
                       [this] { form().menuItem(QStringLiteral("mnuExit"))->action()->trigger(); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(form().isVisible()); // no close event: the unload step did not run
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
