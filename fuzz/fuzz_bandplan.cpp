// Any bytes as "BandPlan.txt": the load, then the chart of every class on a window
// with the band-plan window's separator line.
#include "bandplan/band_plan.h"
#include "bandplan/privilege_chart.h"
#include "view/memory_view.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace view::memory;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir *dir = new QTemporaryDir;
    const QString path = dir->filePath(QStringLiteral("BandPlan.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    MemoryWindow window(15360, 11070);
    window.add<MemLine>(QStringLiteral("Line1"), 192, 1152, 14976, 1152);
    MemLabel *date = window.addMemLabel(QStringLiteral("Label1"));
    const MemScreen screen(1024, 768);

    bandplan::BandPlanTable table;
    if (const auto read = bandplan::LoadBandPlan(table, path); read.date)
        date->setText(bandplan::effectiveCaption(*read.date));
    for (const char *letter : {"N", "T", "P", "G", "A", "E", "O", ""}) {
        bandplan::BuildPrivilegeChart(QString::fromLatin1(letter), table, window, screen);
        for (int i = 0; i < window.controlCount(); ++i) {
            // Every chart label must have finite, drawable geometry.
            for (view::Prop p : {view::Prop::Left, view::Prop::Top, view::Prop::Width, view::Prop::Height})
                if (auto v = window.control(i)->get(p); v && !std::isfinite(*v))
                    __builtin_trap();
        }
    }
    return 0;
}
