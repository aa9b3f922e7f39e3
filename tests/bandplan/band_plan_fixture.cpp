#include "band_plan_fixture.h"

#include <QFile>

namespace bandplan::testing {

using namespace view::memory;

std::unique_ptr<MemoryWindow> makeWindow(double lineY)
{
    auto window = std::make_unique<MemoryWindow>(9600, 7200);
    const auto box = [](view::Control *c, double left, double top, double width, double height, double font) {
        c->set(view::Prop::Left, left);
        c->set(view::Prop::Top, top);
        c->set(view::Prop::Width, width);
        c->set(view::Prop::Height, height);
        c->set(view::Prop::FontSize, font);
    };
    const double buttons[7][3] = {{120, 80, 855},  {1080, 80, 975}, {2160, 80, 975},   {3240, 80, 1095},
                                  {4440, 80, 975}, {5520, 80, 975}, {4080, 6360, 1215}};
    for (int i = 0; i < 7; ++i)
        box(window->addMemButton(QStringLiteral("Command%1").arg(i + 1)), buttons[i][0], buttons[i][1],
            buttons[i][2], 300, 8.25);
    MemLabel *date = window->addMemLabel(QStringLiteral("Label1"));
    box(date, 120, 400, 6375, 300, 9);
    date->m_text = QStringLiteral("Frequencies Effective");
    MemLabel *title = window->addMemLabel(QStringLiteral("Label2"));
    box(title, 6600, 120, 2775, 255, 8.25);
    title->m_text = QStringLiteral("Privelages");
    box(window->addMemLabel(QStringLiteral("Label3")), 6600, 420, 1335, 255, 8.25);
    box(window->addMemLabel(QStringLiteral("Label4")), 8040, 420, 1335, 255, 8.25);
    window->add<MemLine>(QStringLiteral("Line1"), 120, lineY, 9360, lineY);
    window->add<MemComponent>(QStringLiteral("SysInfo1"));
    return window;
}

void setSize(MemoryWindow &window, double width, double height)
{
    window.set(view::Prop::Width, width);
    window.set(view::Prop::Height, height);
}

QString writePlan(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath(QStringLiteral("BandPlan.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

BandPlanTable tableOf(std::initializer_list<Record> records)
{
    BandPlanTable table;
    int n = 0;
    for (const Record &r : records) {
        ++n;
        table.planBand[n] = QString::fromUtf8(r.band);
        table.planClass[n] = QString::fromUtf8(r.cls);
        table.planMode[n] = QString::fromUtf8(r.mode);
        table.planLow[n] = r.low;
        table.planHigh[n] = r.high;
    }
    table.planCount = float(n);
    return table;
}

QStringList chartNames(const MemoryWindow &window)
{
    QStringList out;
    for (const QString &name : window.names())
        if (name.startsWith(QLatin1String("blbl")) || name.startsWith(QLatin1String("bnlb")) ||
            name.startsWith(QLatin1String("priv")))
            out << name;
    return out;
}

} // namespace bandplan::testing
