#include "view/qt/qt_platform.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSoundEffect>
#include <QUrl>

namespace view::qt {

namespace {

QScreen *screenOf(QWidget *window)
{
    QScreen *screen = window ? window->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

double twipsPerPixel(const QScreen *screen)
{
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

} // namespace

double QtScreen::widthTwips() const
{
    const QScreen *s = screenOf(m_window);
    return s ? s->geometry().width() * twipsPerPixel(s) : 0.0;
}

double QtScreen::heightTwips() const
{
    const QScreen *s = screenOf(m_window);
    return s ? s->geometry().height() * twipsPerPixel(s) : 0.0;
}

std::optional<double> QtScreen::workAreaWidthTwips() const
{
    const QScreen *s = screenOf(m_window);
    if (!s || s->availableGeometry().isEmpty())
        return std::nullopt;
    return s->availableGeometry().width() * twipsPerPixel(s);
}

std::optional<double> QtScreen::workAreaHeightTwips() const
{
    const QScreen *s = screenOf(m_window);
    if (!s || s->availableGeometry().isEmpty())
        return std::nullopt;
    return s->availableGeometry().height() * twipsPerPixel(s);
}

void QtServices::messageBox(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtServices::beep()
{
    QApplication::beep();
}

void QtServices::repaintNow()
{
    if (m_window)
        m_window->repaint();
}

QtSoundPlayer::QtSoundPlayer() = default;

QSoundEffect *QtSoundPlayer::current() const
{
    return m_effect.data();
}

QtSoundPlayer::~QtSoundPlayer()
{
    delete m_effect.data();
}

void QtSoundPlayer::close()
{
    if (!m_effect)
        return;
    m_effect->stop();
    // It may still be decoding; let its own events finish before it goes.
    m_effect->deleteLater();
    m_effect = nullptr;
}

void QtSoundPlayer::play(const QString &path)
{
    close();
    if (!QFileInfo(path).isFile())
        return;
    auto *effect = new QSoundEffect;
    m_effect = effect;
    // Play once loaded; a file that never loads (broken, or an error) stays silent.
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Ready)
            effect->play();
    });
    effect->setSource(QUrl::fromLocalFile(path));
    if (effect->status() == QSoundEffect::Ready)
        effect->play();
}

} // namespace view::qt
