#include "bandplan/privilege_chart.h"

#include "bandplan/band_plan.h"
#include "view/view.h"

#include <cmath>
#include <vector>

namespace bandplan {

namespace {

const QString kBarPrefix = QStringLiteral("blbl");
const QString kTagPrefix = QStringLiteral("bnlb");
const QString kSegmentPrefix = QStringLiteral("priv");

constexpr view::Colour kBlack = view::rgb(0, 0, 0);
constexpr view::Colour kWhite = view::rgb(255, 255, 255);
constexpr view::Colour kYellow = view::rgb(255, 255, 0);
constexpr view::Colour kBlue = view::rgb(0, 0, 255);
constexpr view::Colour kGreen = view::rgb(0, 255, 0);

struct Row
{
    view::Label *bar = nullptr;
    QString band;
    float rowLow = 0;
    float rowHigh = 0;
};

// A failed step ends the build; the labels made so far stay as they are.
struct Stop
{
    ChartOutcome outcome;
};

void must(bool done)
{
    if (!done)
        throw Stop{ChartOutcome::ViewFailure};
}

double read(const view::Control &control, view::Prop prop)
{
    const std::optional<double> value = control.get(prop);
    must(value.has_value());
    return *value;
}

double readWindow(const view::Window &window, view::Prop prop)
{
    const std::optional<double> value = window.get(prop);
    must(value.has_value());
    return *value;
}

view::Label *newLabel(view::Window &window, const QString &prefix, int number)
{
    view::Label *label = window.addLabel(prefix + QString::number(number));
    must(label != nullptr);
    return label;
}

void finishLabel(view::Label &label)
{
    label.setBorder(true);
    label.setAlignment(view::Align::Centre);
    label.setVisible(true);
}

void removeOldChart(view::Window &window)
{
    for (int i = window.controlCount() - 1; i >= 0; --i) {
        const view::Control *control = window.control(i);
        if (!control)
            continue;
        const QString prefix = control->name().left(4);
        if (prefix == kBarPrefix || prefix == kSegmentPrefix || prefix == kTagPrefix)
            window.removeControl(control->name());
    }
}

// A band qualifies when its own group (the records right after its band record
// that share the name) holds a record of the class.
bool bandQualifies(const BandPlanTable &table, int bandRecord, const QString &classLetter)
{
    const int count = table.recordCount();
    for (int j = bandRecord + 1; j <= count; ++j) {
        if (table.planBand[j] != table.planBand[bandRecord])
            return false;
        if (table.planClass[j] == classLetter)
            return true;
    }
    return false;
}

void makeBars(const BandPlanTable &table, const QString &classLetter, view::Window &window, double w,
              double h)
{
    const int count = table.recordCount();
    int bars = 0;
    for (int i = 1; i <= count; ++i) {
        if (table.planClass[i] != QLatin1String("O") || !bandQualifies(table, i, classLetter))
            continue;
        ++bars;
        view::Label *bar = newLabel(window, kBarPrefix, bars);
        must(bar->set(view::Prop::Left, 0.10 * w));
        must(bar->set(view::Prop::Top, bars * 0.05 * h));
        must(bar->set(view::Prop::Width, 0.85 * w));
        must(bar->set(view::Prop::Height, 0.04 * h));
        bar->setText(table.planBand[i]);
        bar->setBackColor(kBlack);
        bar->setForeColor(kBlack);
        finishLabel(*bar);
        bar->setToolTip(table.planBand[i] + QStringLiteral("  ") + formatFrequency(table.planLow[i]) +
                        QStringLiteral(" - ") + formatFrequency(table.planHigh[i]));
    }
}

std::vector<Row> collectRows(const BandPlanTable &table, view::Window &window)
{
    std::vector<Row> rows;
    const int count = table.recordCount();
    for (int c = 0; c < window.controlCount(); ++c) {
        view::Control *control = window.control(c);
        if (!control || !control->name().startsWith(kBarPrefix))
            continue;
        if (int(rows.size()) == kMaxChartRows)
            throw Stop{ChartOutcome::TooManyRows};
        auto *bar = dynamic_cast<view::Label *>(control);
        must(bar != nullptr);
        Row row{bar, bar->text()};
        for (int i = 1; i <= count; ++i) {
            if (table.planBand[i] == row.band) {
                row.rowLow = table.planLow[i];
                row.rowHigh = table.planHigh[i];
                break;
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// (a - b) / (rowHigh - rowLow) in 32-bit floats; a zero span, or a quotient too
// large for a float, gives no scale at all.
float spanFraction(float a, float b, const Row &row)
{
    const float span = row.rowHigh - row.rowLow;
    const float part = a - b;
    if (span == 0.0f || !std::isfinite(span) || !std::isfinite(part))
        throw Stop{ChartOutcome::EqualBandLimits};
    const float fraction = part / span;
    if (!std::isfinite(fraction))
        throw Stop{ChartOutcome::EqualBandLimits};
    return fraction;
}

void makeSegments(const BandPlanTable &table, const QString &classLetter, view::Window &window,
                  const std::vector<Row> &rows, float fontFactor)
{
    const int count = table.recordCount();
    int segments = 0;
    for (int i = 1; i <= count; ++i) {
        if (table.planClass[i] != classLetter)
            continue;
        for (const Row &row : rows) {
            if (row.band != table.planBand[i])
                continue;
            view::Label *segment = newLabel(window, kSegmentPrefix, ++segments);
            must(segment->set(view::Prop::Top, read(*row.bar, view::Prop::Top)));
            const float widthFraction = spanFraction(table.planHigh[i], table.planLow[i], row);
            const float leftFraction = spanFraction(table.planLow[i], row.rowLow, row);
            const double barLeft = read(*row.bar, view::Prop::Left);
            const double barWidth = read(*row.bar, view::Prop::Width);
            must(segment->set(view::Prop::Left, barLeft + barWidth * leftFraction));
            must(segment->set(view::Prop::Width, barWidth * widthFraction));
            must(segment->set(view::Prop::Height, read(*row.bar, view::Prop::Height)));

            const QString range = formatFrequency(table.planLow[i]) + QStringLiteral(" - ") +
                                  formatFrequency(table.planHigh[i]);
            const bool cw = table.planMode[i] == QLatin1String("CW");
            segment->setText(range);
            segment->setToolTip((cw ? QStringLiteral("CW  ") : QStringLiteral("PH  ")) + range);
            segment->setBackColor(cw ? kBlue : kGreen);
            segment->setForeColor(cw ? kWhite : kBlack);
            segment->setFontName(QStringLiteral("ARIAL NARROW"));
            must(segment->set(view::Prop::FontSize, 7 * fontFactor));
            finishLabel(*segment);
            segment->bringToFront();
        }
    }
}

} // namespace

float fontFactorFor(const view::Screen &screen)
{
    const float factor = float(screen.widthTwips() / 9600);
    return factor > 1.5f ? 1.5f : factor;
}

ChartOutcome BuildPrivilegeChart(const QString &classLetter, const BandPlanTable &table, view::Window &window,
                                 const view::Screen &screen)
{
    try {
        const float fontFactor = fontFactorFor(screen);
        removeOldChart(window);

        const double w = readWindow(window, view::Prop::Width);
        const double h = readWindow(window, view::Prop::Height);
        makeBars(table, classLetter, window, w, h);
        const std::vector<Row> rows = collectRows(table, window);

        const view::Control *line = window.find(QStringLiteral("Line1"));
        must(line != nullptr);
        const double y1 = read(*line, view::Prop::Y1);
        if (rows.empty())
            return ChartOutcome::NoRow;
        const auto rowStep = float(0.8 * (h - y1) / double(rows.size()));

        for (std::size_t k = 1; k <= rows.size(); ++k)
            must(rows[k - 1].bar->set(view::Prop::Top, y1 + double(k) * rowStep));

        for (std::size_t k = 1; k <= rows.size(); ++k) {
            view::Label &bar = *rows[k - 1].bar;
            view::Label *tag = newLabel(window, kTagPrefix, int(k));
            must(tag->set(view::Prop::Left, 0.04 * w));
            must(tag->set(view::Prop::Top, read(bar, view::Prop::Top)));
            must(tag->set(view::Prop::Width, 0.05 * w));
            must(tag->set(view::Prop::Height, read(bar, view::Prop::Height)));
            tag->setText(bar.text());
            tag->setToolTip(bar.toolTip());
            tag->setBackColor(kYellow);
            tag->setForeColor(kBlack);
            finishLabel(*tag);
            tag->setFontName(QStringLiteral("ARIAL"));
            must(tag->set(view::Prop::FontSize, 8 * fontFactor));
        }

        makeSegments(table, classLetter, window, rows, fontFactor);
        return ChartOutcome::Built;
    } catch (const Stop &stop) {
        return stop.outcome;
    }
}

} // namespace bandplan
