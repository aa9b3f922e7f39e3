#include "view/qt/qt_platform.h"

#include "view/qt/qt_sound_module.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QMessageBox>
#include <QScreen>
#include <QThreadPool>
#include <QTimer>

#include <memory>

namespace view::qt {

namespace {

quint32 littleEndian32(const char *bytes)
{
    return quint32(quint8(bytes[0])) | quint32(quint8(bytes[1])) << 8 | quint32(quint8(bytes[2])) << 16 |
           quint32(quint8(bytes[3])) << 24;
}

// A RIFF WAVE file whose chunks lead, inside the file, to a format chunk and then a data
// chunk. Anything else never reaches QSoundEffect: its decoder waits forever for a header
// it cannot find, and the half-loaded sample is never released.
bool isWaveFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    if (head.size() != 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    bool format = false;
    qint64 at = 12;
    for (int chunks = 0; chunks < 64; ++chunks) {
        if (!file.seek(at))
            return false;
        const QByteArray chunk = file.read(8);
        if (chunk.size() != 8)
            return false;
        const qint64 size = littleEndian32(chunk.constData() + 4);
        if (chunk.startsWith("fmt "))
            format = size >= 16 && at + 8 + size <= file.size();
        else if (chunk.startsWith("data"))
            return format;
        at += 8 + size + (size & 1); // chunks are padded to an even length
    }
    return false;
}

// The folders the sound module may be in: beside the program (a run from its build or
// release folder), the installed module folder, and, for a program of the build tree such
// as a test, the build's runnable folder.
QStringList soundModuleFolders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList folders{programDir, programDir + QStringLiteral("/" EXAMORA_SOUND_FROM_BINDIR)};
    const QString buildDir = QStringLiteral(EXAMORA_BUILD_DIR);
    if (programDir == buildDir || programDir.startsWith(buildDir + u'/'))
        folders.append(QStringLiteral(EXAMORA_STAGE_DIR));
    return folders;
}

constexpr int kPrepareDelayMs = 1000;

// The loaded sound module's handle, kept reachable to the end so that Qt's record of the
// module is not dropped (and reported as leaked at exit) while the module stays loaded.
QLibrary *keptSoundModule = nullptr;

// The module's entry point, looked up once in the folders the first caller gives; null
// when no module can be loaded. Safe from any thread: a second caller waits for the first
// to finish. The module stays loaded to the end: sounds it made may still be finishing.
MakeSoundBackend soundModule(const QStringList &folders)
{
    static const MakeSoundBackend entry = [&folders] {
        for (const QString &folder : folders) {
            const QString path = folder + u'/' + QLatin1StringView(kSoundModuleFile);
            if (!QFileInfo(path).isFile())
                continue;
            auto module = std::make_unique<QLibrary>(path);
            if (auto make = reinterpret_cast<MakeSoundBackend>(module->resolve(kSoundModuleEntry))) {
                keptSoundModule = module.release();
                return make;
            }
        }
        return MakeSoundBackend(nullptr);
    }();
    return entry;
}

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

QtSoundPlayer::~QtSoundPlayer() = default;

QObject *QtSoundPlayer::current() const
{
    return m_backend ? m_backend->current() : nullptr;
}

void QtSoundPlayer::close()
{
    if (m_backend)
        m_backend->stop();
}

void QtSoundPlayer::play(const QString &path)
{
    close();
    if (!QFileInfo(path).isFile() || !isWaveFile(path))
        return;
    if (SoundBackend *b = backend())
        b->play(path);
}

void QtSoundPlayer::prepare()
{
    if (m_backend || m_prepared)
        return;
    // A second after the event loop starts (timed from there, however long the start took),
    // when the window has painted (the loader's lock would hold up any plugin its first
    // paint loads) and long before anyone has read a question; on a thread of its own, as
    // loading Qt Multimedia and its audio libraries takes longer than a frame.
    QTimer::singleShot(0, &m_pending, [this] {
        QTimer::singleShot(kPrepareDelayMs, &m_pending, [this] {
            m_prepared = true;
            QThreadPool::globalInstance()->start(
                [folders = soundModuleFolders()] { (void)soundModule(folders); });
        });
    });
}

SoundBackend *QtSoundPlayer::backend()
{
    if (!m_backend) {
        if (const MakeSoundBackend make = soundModule(soundModuleFolders()))
            m_backend.reset(make());
    }
    return m_backend.get();
}

} // namespace view::qt
