// The study window's looks on the offscreen screen this test is started with: every
// caption fits its box, and every text stands out from what lies behind it under a light
// and a dark desktop palette.
#include "app/application.h"
#include "mainwindow/fonts.h"
#include "mainwindow/form1.h"
#include "pool_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>

using namespace mainwindow;

namespace {

// The two desktops: Qt's own light palette and a dark one as desktops set it.
QPalette desktopPalette(const QString &name)
{
    if (name == "light")
        return QApplication::style()->standardPalette();
    QPalette dark;
    const QColor face(0x2d, 0x2d, 0x2d), text(0xf0, 0xf0, 0xf0);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        dark.setColor(role, face);
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, text);
    dark.setColor(QPalette::Link, QColor(0x3d, 0xae, 0xe9));
    return dark;
}

double luminance(const QColor &c)
{
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour that covers most of a rectangle of the window's picture: the background
// behind a label's text.
QColor backgroundOf(const QImage &image, const QRect &rect)
{
    QHash<QRgb, int> counts;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int bestCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > bestCount)
            best = it.key(), bestCount = it.value();
    return QColor::fromRgb(best);
}

QString plainCaption(const QString &text)
{
    QString caption = text;
    return caption.remove(u'&');
}

} // namespace

class TestForm1Looks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }
    void every_caption_fits_its_box();
    void every_text_stands_out_from_its_background_data();
    void every_text_stands_out_from_its_background();
};

void TestForm1Looks::every_caption_fits_its_box()
{
    PoolFolder pool(5);
    app::Application application(pool.path(), pool.path());
    Form1 &form = application.form();
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QStringList clipped;
    for (QWidget *w : form.clientArea()->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        const QFontMetrics fm(w->font());
        if (auto *check = qobject_cast<QCheckBox *>(w)) {
            QStyleOptionButton option;
            option.initFrom(check);
            option.text = check->text();
            const QRect room = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
            if (fm.horizontalAdvance(plainCaption(check->text())) > room.width())
                clipped << QStringLiteral("%1 \"%2\": %3 px of text in %4 px")
                               .arg(w->objectName(), check->text())
                               .arg(fm.horizontalAdvance(plainCaption(check->text())))
                               .arg(room.width());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            if (fm.horizontalAdvance(plainCaption(button->text())) > room.width())
                clipped << QStringLiteral("%1 \"%2\"").arg(w->objectName(), button->text());
        } else if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty()) {
            const QRect room = label->contentsRect();
            const QRect needed =
                fm.boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
            if (needed.width() > room.width() || needed.height() > room.height())
                clipped << QStringLiteral("%1 \"%2\": %3x%4 needed in %5x%6")
                               .arg(w->objectName(), label->text())
                               .arg(needed.width())
                               .arg(needed.height())
                               .arg(room.width())
                               .arg(room.height());
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

void TestForm1Looks::every_text_stands_out_from_its_background_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::newRow("light palette") << "light";
    QTest::newRow("dark palette") << "dark";
}

void TestForm1Looks::every_text_stands_out_from_its_background()
{
    QFETCH(QString, desktop);
    const QPalette previous = QApplication::palette();
    QApplication::setPalette(desktopPalette(desktop));
    {
        PoolFolder pool(5);
        app::Application application(pool.path(), pool.path());
        Form1 &form = application.form();
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.engine().AnswerClicked(1); // "Try Again!" shows on its red box
        const QImage picture = form.clientArea()->grab().toImage();

        QStringList faint;
        for (QWidget *w : form.clientArea()->findChildren<QWidget *>()) {
            QString text;
            QColor fore;
            if (auto *label = qobject_cast<QLabel *>(w))
                text = label->text(), fore = w->palette().color(QPalette::WindowText);
            else if (auto *button = qobject_cast<QAbstractButton *>(w))
                text = button->text(),
                fore = w->palette().color(qobject_cast<QCheckBox *>(w) ? QPalette::WindowText
                                                                       : QPalette::ButtonText);
            if (!w->isVisible() || text.trimmed().isEmpty())
                continue;
            const QColor back =
                qobject_cast<QPushButton *>(w)
                    ? w->palette().color(QPalette::Button)
                    : backgroundOf(picture, QRect(w->mapTo(form.clientArea(), QPoint()), w->size()));
            // 4.5 is the ratio the accessibility guidelines ask of body text.
            if (contrast(fore, back) < 4.5)
                faint << QStringLiteral("%1 \"%2\": %3 on %4, %5:1")
                             .arg(w->objectName(), text.left(20), fore.name(), back.name())
                             .arg(contrast(fore, back), 0, 'f', 1);
        }
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join(u'\n')));
    }
    QApplication::setPalette(previous);
}

QTEST_MAIN(TestForm1Looks)
#include "tst_form1_looks.moc"
