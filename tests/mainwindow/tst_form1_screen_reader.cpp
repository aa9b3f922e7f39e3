// What a screen reader hears from the study window: the answer feedback as an alert
// named by what it says, and each answer button described by its choice's text.
#include "app/application.h"
#include "mainwindow/form1.h"
#include "pool_fixture.h"

#include <QAccessible>
#include <QTest>

using namespace mainwindow;

class TestForm1ScreenReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Screen readers on Linux speak an object of the role "alert" as it shows; each
    // appearance, a repeated one included, is reported to the accessibility bridge
    // (checked over AT-SPI: offscreen there is no bridge to report to).
    void the_feedback_is_an_alert_named_by_what_it_says_data()
    {
        QTest::addColumn<QString>("answers"); // question 1's correct answer is A
        QTest::addColumn<QString>("said");
        QTest::newRow("right") << "A"
                               << "Correct!";
        QTest::newRow("wrong") << "B"
                               << "Try Again!";
        QTest::newRow("wrong twice") << "BC"
                                     << "Try Again!";
        QTest::newRow("wrong, then right") << "DA"
                                           << "Correct!";
    }
    void the_feedback_is_an_alert_named_by_what_it_says()
    {
        QFETCH(QString, answers);
        QFETCH(QString, said);
        PoolFolder pool(5);
        app::Application application(pool.path(), pool.path());
        Form1 &form = application.form();
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QAccessibleInterface *feedback =
            QAccessible::queryAccessibleInterface(form.label("Label11")->widget());
        QCOMPARE(feedback->role(), QAccessible::AlertMessage);
        QVERIFY(feedback->state().invisible);
        for (QChar letter : answers)
            form.engine().CheckAnswer(letter);
        QCOMPARE(feedback->text(QAccessible::Name), said);
        QVERIFY(!feedback->state().invisible);
    }

    void answer_buttons_are_described_by_their_choices()
    {
        PoolFolder pool(5);
        app::Application application(pool.path(), pool.path());
        Form1 &form = application.form();
        form.Form_Load();
        const auto descriptions = [&form] {
            QStringList out;
            for (const char *name : {"cmdA", "cmdB", "cmdC", "cmdD"})
                out << QAccessible::queryAccessibleInterface(form.button(name)->widget())
                           ->text(QAccessible::Description);
            return out;
        };
        QCOMPARE(descriptions(),
                 (QStringList{"Choice A of 1", "Choice B of 1", "Choice C of 1", "Choice D of 1"}));
        form.engine().Next();
        QCOMPARE(descriptions().first(), "Choice A of 2");
        form.engine().CheckAnswer(u'B'); // right: the other choices are emptied
        QCOMPARE(descriptions(), (QStringList{"", "Choice B of 2", "", ""}));
    }
};

QTEST_MAIN(TestForm1ScreenReader)
#include "tst_form1_screen_reader.moc"
