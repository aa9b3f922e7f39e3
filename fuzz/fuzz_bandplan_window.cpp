// Any bytes as "BandPlan.txt" in the real "Frequency Privileges" window, offscreen: the
// load, every class button, and a paint, so the Qt view's geometry meets whatever the
// file holds.
#include "bandplan/frm_band_plan.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

// A failed load shows its message box modally: it is answered as soon as it shows.
class DialogCloser final : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *dialog = qobject_cast<QDialog *>(watched))
                QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        return false;
    }
};

} // namespace

// Fontconfig keeps what it parses for a new font for the life of the process.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_bandplan_window";
    static char *argv[] = {name, nullptr};
    static auto *app = new QApplication(argc, argv);
    static auto *closer = [] {
        auto *filter = new DialogCloser;
        qApp->installEventFilter(filter);
        return filter;
    }();
    (void)closer;
    static auto *dir = new QTemporaryDir;
    const QString path = dir->filePath(QStringLiteral("BandPlan.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    bandplan::frmBandPlan window;
    window.load({false, true, false}, path);
    window.show();
    for (const char *button : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6"}) {
        if (auto *b = window.findChild<QAbstractButton *>(QString::fromLatin1(button)))
            b->click();
        for (const QLabel *label : window.findChildren<QLabel *>())
            if (label->width() < 0 || label->height() < 0)
                __builtin_trap();
    }
    window.grab(); // paints every control at its geometry
    app->processEvents();
    return 0;
}
