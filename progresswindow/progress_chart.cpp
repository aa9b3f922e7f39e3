#include "progresswindow/progress_chart.h"

#include "progress/summary.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QLegend>
#include <QPalette>
#include <QStackedBarSeries>
#include <QValueAxis>

namespace progresswindow {
namespace {

double percent(int part, int whole)
{
    return whole > 0 ? 100.0 * part / whole : 0.0;
}

QColor mix(const QColor &a, const QColor &b, double share)
{
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

} // namespace

std::array<double, 3> progressShares(const progress::SubelementSummary &row)
{
    const int seen = std::clamp(row.seen, 0, row.questions);
    const int right = std::clamp(row.rightLastTime, 0, seen);
    return {percent(right, row.questions), percent(seen - right, row.questions),
            percent(row.questions - seen, row.questions)};
}

QChart *progressChart(const progress::PoolSummary &summary, const QPalette &palette)
{
    const QColor text = palette.color(QPalette::WindowText);
    const QColor window = palette.color(QPalette::Window);
    auto *right = new QBarSet(QCoreApplication::translate("progress", "Right the last time"));
    auto *missed = new QBarSet(QCoreApplication::translate("progress", "Missed the last time"));
    auto *never = new QBarSet(QCoreApplication::translate("progress", "Never answered"));
    // Filled, hatched and hollow: told apart by more than colour.
    right->setBrush(palette.color(QPalette::Highlight));
    right->setBorderColor(palette.color(QPalette::Highlight));
    missed->setBrush(QBrush(mix(window, text, 0.6), Qt::BDiagPattern));
    missed->setBorderColor(mix(window, text, 0.6));
    never->setBrush(palette.color(QPalette::Base));
    never->setBorderColor(mix(window, text, 0.45));
    QStringList categories;
    for (const progress::SubelementSummary &row : summary.subelements) {
        categories.append(row.id);
        const std::array<double, 3> shares = progressShares(row);
        *right << shares[0];
        *missed << shares[1];
        *never << shares[2];
    }
    auto *series = new QStackedBarSeries;
    series->append({right, missed, never});

    auto *chart = new QChart;
    chart->addSeries(series);
    auto *x = new QBarCategoryAxis;
    x->append(categories);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    y->setRange(0, 100);
    y->setLabelFormat(QStringLiteral("%d %%"));
    y->setTickCount(3); // 0, 50 and 100 %: legible however small the chart
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(x), static_cast<QAbstractAxis *>(y)}) {
        axis->setLabelsColor(text);
        axis->setLinePenColor(mix(window, text, 0.5));
        axis->setGridLineColor(mix(window, text, 0.25));
    }
    chart->setBackgroundBrush(window);
    chart->setBackgroundPen(Qt::NoPen);
    chart->setPlotAreaBackgroundVisible(false);
    chart->legend()->setLabelColor(text);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins({4, 4, 4, 4});
    return chart;
}

} // namespace progresswindow
