// The Qt realisation of the view: the control list, properties by name, twips on
// pixels, key preview, label clicks, stacking, menu check marks and the sound player.
#include "pool_fixture.h"
#include "view/qt/qt_platform.h"
#include "view/qt/qt_window.h"

#include <QSignalSpy>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>

using namespace view;
using namespace view::qt;

namespace {

// Consumes N and records every key it sees.
class KeyWindow final : public QtWindow
{
public:
    KeyWindow() : QtWindow(QSizeF(9480, 6510), QSizeF(120, 690)) {}
    QList<int> seen;

protected:
    void keyDown(int &code) override
    {
        seen << code;
        if (code == Qt::Key_N)
            code = 0;
    }
};

} // namespace

class TestQtView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void properties_by_name_fail_for_what_a_control_lacks_data();
    void properties_by_name_fail_for_what_a_control_lacks();
    void added_labels_are_hidden_and_last_and_removal_destroys_the_widget();
    void removal_keeps_the_order_of_the_rest_and_frees_the_name();
    void colours_set_on_a_hidden_label_show_when_it_shows();
    void twips_map_to_pixels_by_rounded_edges();
    void outer_size_is_client_plus_design_decorations_before_showing();
    void key_preview_runs_before_the_focused_button_and_consumed_keys_stop_there();
    void disabled_labels_raise_no_click();
    void labels_stay_beneath_buttons_when_brought_to_front();
    void menu_check_marks_change_only_from_code();
    void timer_runs_only_while_enabled();
    void texts_and_tool_tips_that_look_like_markup_show_as_written();
    void sound_player_is_silent_for_missing_and_broken_files();
    void sound_player_prepares_once_the_event_loop_runs();
};

void TestQtView::properties_by_name_fail_for_what_a_control_lacks_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("prop");
    QTest::addColumn<bool>("has");
    QTest::newRow("label font") << "lbl" << int(Prop::FontSize) << true;
    QTest::newRow("label end point") << "lbl" << int(Prop::X1) << false;
    QTest::newRow("picture font") << "pic" << int(Prop::FontSize) << false;
    QTest::newRow("picture width") << "pic" << int(Prop::Width) << true;
    QTest::newRow("button height") << "btn" << int(Prop::Height) << true;
    QTest::newRow("check box font") << "chk" << int(Prop::FontSize) << true;
    QTest::newRow("line end point") << "line" << int(Prop::Y2) << true;
    QTest::newRow("line width") << "line" << int(Prop::Width) << false;
    QTest::newRow("menu left") << "mnu" << int(Prop::Left) << false;
    QTest::newRow("timer top") << "tmr" << int(Prop::Top) << false;
    QTest::newRow("component height") << "cmp" << int(Prop::Height) << false;
}

void TestQtView::properties_by_name_fail_for_what_a_control_lacks()
{
    QFETCH(QString, control);
    QFETCH(int, prop);
    QFETCH(bool, has);
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    w.createLabel(QStringLiteral("lbl"));
    w.createPicture(QStringLiteral("pic"));
    w.createButton(QStringLiteral("btn"));
    w.createCheckBox(QStringLiteral("chk"));
    w.createLine(QStringLiteral("line"), 0, 0, 9360, 0);
    w.createMenuItem(QStringLiteral("mnu"), QStringLiteral("&Menu"));
    w.createTimer(QStringLiteral("tmr"), 100);
    w.createComponent(QStringLiteral("cmp"));
    Control *c = w.find(control);
    QVERIFY(c);
    QCOMPARE(c->get(Prop(prop)).has_value(), has);
    QCOMPARE(c->set(Prop(prop), 123.5), has);
    if (has)
        QCOMPARE(*c->get(Prop(prop)), 123.5);
}

void TestQtView::added_labels_are_hidden_and_last_and_removal_destroys_the_widget()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    w.createButton(QStringLiteral("Command1"));
    Label *added = w.addLabel(QStringLiteral("blbl1"));
    QVERIFY(added);
    QVERIFY(!added->isVisible());
    QCOMPARE(w.control(w.controlCount() - 1), added);
    QVERIFY(!w.addLabel(QStringLiteral("blbl1")));
    QPointer<QWidget> widget = w.clientArea()->findChild<QWidget *>(QStringLiteral("blbl1"));
    QVERIFY(widget);
    QVERIFY(w.removeControl(QStringLiteral("blbl1")));
    QVERIFY(!widget);
    QCOMPARE(w.controlCount(), 1);
    QVERIFY(!w.removeControl(QStringLiteral("blbl1")));
}

void TestQtView::removal_keeps_the_order_of_the_rest_and_frees_the_name()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    QtButton *button = w.createButton(QStringLiteral("Command1"));
    QList<Control *> made;
    for (int i = 1; i <= 5; ++i)
        made << w.addLabel(QStringLiteral("priv%1").arg(i));
    QVERIFY(w.removeControl(QStringLiteral("priv2")));
    QVERIFY(w.removeControl(QStringLiteral("priv5")));
    QCOMPARE(w.controlCount(), 4);
    const QList<Control *> expected{button, made[0], made[2], made[3]};
    for (int i = 0; i < w.controlCount(); ++i)
        QCOMPARE(w.control(i), expected[i]);
    QVERIFY(!w.find(QStringLiteral("priv2")));
    QCOMPARE(w.find(QStringLiteral("priv3")), made[2]);

    // The freed name can be taken again; the new label goes last.
    Label *again = w.addLabel(QStringLiteral("priv2"));
    QVERIFY(again);
    QCOMPARE(w.control(w.controlCount() - 1), again);
    QCOMPARE(w.find(QStringLiteral("priv2")), again);
    QVERIFY(!w.createLabel(QStringLiteral("priv3")));
}

void TestQtView::colours_set_on_a_hidden_label_show_when_it_shows()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *segment = static_cast<QtLabel *>(w.addLabel(QStringLiteral("priv1")));
    auto *bar = static_cast<QtLabel *>(w.addLabel(QStringLiteral("blbl1")));
    for (QtLabel *l : {segment, bar}) {
        l->setGeometryTwips(1500, 1500, 3000, 600);
        l->setText(QStringLiteral("14,000.000 - 14,150.000"));
        l->setBorder(true);
        l->setAlignment(Align::Centre);
    }
    segment->setBackColor(rgb(0, 0, 255));
    segment->setForeColor(rgb(255, 255, 255));
    bar->setBackColor(rgb(0, 0, 0));
    bar->setForeColor(rgb(0, 0, 0));
    segment->setVisible(true);
    bar->setVisible(true);
    segment->bringToFront();

    const QImage shown = segment->widget()->grab().toImage();
    QCOMPARE(shown.pixelColor(3, 3), QColor(0, 0, 255));
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::black)); // the border
    bool textShows = false;
    for (int y = 2; y < shown.height() - 2 && !textShows; ++y)
        for (int x = 2; x < shown.width() - 2 && !textShows; ++x)
            textShows = shown.pixelColor(x, y) != QColor(0, 0, 255);
    QVERIFY(textShows);

    // Text in the colour of its background: the bar shows as a plain black strip.
    const QImage strip = bar->widget()->grab().toImage();
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            QCOMPARE(strip.pixelColor(x, y), QColor(Qt::black));

    // Once shown, a new colour shows at once.
    segment->setBackColor(rgb(0, 255, 0));
    QCOMPARE(segment->widget()->grab().toImage().pixelColor(3, 3), QColor(0, 255, 0));
}

void TestQtView::twips_map_to_pixels_by_rounded_edges()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    QCOMPARE(w.twipsPerPixel(), 15.0);
    QtLabel *a = w.createLabel(QStringLiteral("a"));
    a->setGeometryTwips(1200, 2160, 5415, 735);
    // 80 px, 144 px; right edge 6615 / 15 = 441, bottom 2895 / 15 = 193
    QCOMPARE(a->widget()->geometry(), QRect(QPoint(80, 144), QPoint(440, 192)));
    QVERIFY(a->set(Prop::Left, 1207.6));
    QCOMPARE(*a->get(Prop::Left), 1207.6); // kept exactly, shown rounded
    QCOMPARE(a->widget()->x(), 81);
    QtLine *line = w.createLine(QStringLiteral("Line1"), 6960, 0, 6960, 6480);
    QCOMPARE(line->widget()->geometry(), QRect(464, 0, 1, 433));
}

void TestQtView::outer_size_is_client_plus_design_decorations_before_showing()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    QCOMPARE(*w.get(Prop::Width), 9600.0);
    QCOMPARE(*w.get(Prop::Height), 7200.0);
    QCOMPARE(w.clientArea()->size(), QSize(632, 434));
    QVERIFY(w.set(Prop::Width, 15360));
    QVERIFY(w.set(Prop::Height, 11070));
    QCOMPARE(w.clientArea()->size(), QSize(1016, 692));
    QVERIFY(!w.set(Prop::X1, 1));
}

void TestQtView::key_preview_runs_before_the_focused_button_and_consumed_keys_stop_there()
{
    KeyWindow w;
    QtButton *b = w.createButton(QStringLiteral("Command1"));
    b->setCaption(QStringLiteral("&Next"));
    b->widget()->setShortcut(QKeySequence());
    b->setGeometryTwips(2400, 5520, 1215, 300);
    QSignalSpy clicks(b->widget(), &QPushButton::clicked);
    w.show();
    b->setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.focusWidget(), b->widget());

    QTest::keyClick(b->widget(), Qt::Key_N, Qt::ShiftModifier);
    QTest::keyClick(b->widget(), Qt::Key_Return);
    QTest::keyClick(b->widget(), Qt::Key_Space);
    // The Shift key itself is previewed too, and passed on.
    QCOMPARE(w.seen, (QList<int>{Qt::Key_Shift, Qt::Key_N, Qt::Key_Return, Qt::Key_Space}));
    QCOMPARE(clicks.count(), 2); // Enter and space reach the button; N does not
}

void TestQtView::disabled_labels_raise_no_click()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    QtLabel *l = w.createLabel(QStringLiteral("lblDist1"));
    l->setGeometryTwips(1320, 2205, 5220, 735);
    QSignalSpy clicks(l->widget(), &LabelWidget::clicked);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(l->widget(), Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(l->widget(), Qt::RightButton);
    QCOMPARE(clicks.count(), 1);
    l->setEnabled(false);
    QTest::mouseClick(l->widget(), Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

void TestQtView::labels_stay_beneath_buttons_when_brought_to_front()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    QtLabel *low = w.createLabel(QStringLiteral("low"));
    QtButton *button = w.createButton(QStringLiteral("btn"));
    QtLabel *high = w.createLabel(QStringLiteral("high"));
    QtLabel *added = static_cast<QtLabel *>(w.addLabel(QStringLiteral("priv1")));
    added->bringToFront();
    low->bringToFront();
    const QObjectList order = w.clientArea()->children();
    QCOMPARE(order, (QObjectList{high->widget(), added->widget(), low->widget(), button->widget()}));
}

void TestQtView::menu_check_marks_change_only_from_code()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    QtMenuItem *test = w.createMenu(QStringLiteral("mnuTest"), QStringLiteral("&Test"));
    QtMenuItem *tech =
        w.createMenuItem(QStringLiteral("mnuTechnician"), QStringLiteral("&Technician"), test, true);
    tech->setChecked(true);
    tech->action()->trigger();
    QVERIFY(tech->isChecked());
    QVERIFY(tech->action()->isChecked());
    tech->setChecked(false);
    tech->action()->trigger();
    QVERIFY(!tech->action()->isChecked());
    QCOMPARE(test->action()->menu()->actions().size(), 1);
}

void TestQtView::timer_runs_only_while_enabled()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    QtTimer *t = w.createTimer(QStringLiteral("Timer1"), 20);
    QSignalSpy ticks(t->timer(), &QTimer::timeout);
    QVERIFY(!t->isEnabled());
    QTest::qWait(60);
    QCOMPARE(ticks.count(), 0);
    t->setEnabled(true);
    QVERIFY(ticks.wait(1000));
    t->setEnabled(false);
    const int seen = ticks.count();
    QTest::qWait(60);
    QCOMPARE(ticks.count(), seen);
    QCOMPARE(t->interval(), 20);
}

void TestQtView::texts_and_tool_tips_that_look_like_markup_show_as_written()
{
    QtWindow w(QSizeF(9480, 6510), QSizeF(120, 690));
    QtLabel *l = w.createLabel(QStringLiteral("l"));
    l->setText(QStringLiteral("<b>bold</b> & more"));
    QCOMPARE(l->widget()->textFormat(), Qt::PlainText);
    QCOMPARE(l->text(), QStringLiteral("<b>bold</b> & more"));
    l->setToolTip(QStringLiteral("<i>20 m</i>  14.000 - 14.350"));
    QCOMPARE(l->toolTip(), QStringLiteral("<i>20 m</i>  14.000 - 14.350"));
    QVERIFY(l->widget()->toolTip().contains(QStringLiteral("&lt;i&gt;")));
    QCOMPARE(l->widget()->accessibleDescription(), l->toolTip());
}

void TestQtView::sound_player_is_silent_for_missing_and_broken_files()
{
    QTemporaryDir dir;
    const auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return QString();
        return f.fileName();
    };
    const QByteArray wave = silentWave();
    const QString good = write("Correct.wav", wave);
    const QString garbage = write("Try.wav", "RIFF garbage, not a wave");
    const QString cut = write("Cut.wav", wave.left(30)); // the format chunk runs past the end
    QVERIFY(!good.isEmpty() && !garbage.isEmpty() && !cut.isEmpty());

    QtSoundPlayer player;
    for (const QString &broken : {dir.filePath(QStringLiteral("Missing.wav")), garbage, cut}) {
        player.play(broken);
        QVERIFY2(!player.current(), qPrintable(broken));
    }
    QVERIFY(!player.loaded()); // no sound to play: Qt Multimedia stays unloaded
    player.play(good);
    QPointer<QSoundEffect> first = qobject_cast<QSoundEffect *>(player.current());
    QVERIFY(first);
    player.play(good); // the one before is stopped and released
    QVERIFY(player.current() != first.data());
    QTRY_VERIFY(!first);
    // Qt's shared sample cache leaks a sample still being read when the program ends.
    QTRY_COMPARE(qobject_cast<QSoundEffect *>(player.current())->status(), QSoundEffect::Ready);
    player.play(garbage); // a broken file also stops the sound before
    QVERIFY(!player.current());
    player.close();
    QVERIFY(!player.current());
}

// Readied only after the event loop has run a while; the first sound plays whether or not the loading
// thread has finished, without an audio device as well (none here).
void TestQtView::sound_player_prepares_once_the_event_loop_runs()
{
    QtSoundPlayer player;
    player.prepare();
    QVERIFY(!player.prepared());
    QTRY_VERIFY(player.prepared());
    QTemporaryDir dir;
    QFile wave(dir.filePath(QStringLiteral("Correct.wav")));
    QVERIFY(wave.open(QIODevice::WriteOnly) && wave.write(silentWave()) > 0);
    wave.close();
    player.play(wave.fileName());
    QVERIFY(player.loaded());
    QTRY_COMPARE(qobject_cast<QSoundEffect *>(player.current())->status(), QSoundEffect::Ready);
}

QTEST_MAIN(TestQtView)
#include "tst_qt_view.moc"
