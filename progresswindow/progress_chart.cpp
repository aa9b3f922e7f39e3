#include "progresswindow/progress_chart.h"

#include "progress/summary.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QValueAxis>

namespace progresswindow {
namespace {

double percent(int part, int whole)
{
    return whole ? 100.0 * part / whole : 0.0;
}

} // namespace

QChart *progressChart(const progress::PoolSummary &summary)
{
    auto *seen = new QBarSet(QCoreApplication::translate("progress", "Seen"));
    auto *right = new QBarSet(QCoreApplication::translate("progress", "Right the last time"));
    auto *accuracy = new QBarSet(QCoreApplication::translate("progress", "First-attempt accuracy"));
    QStringList categories;
    for (const progress::SubelementSummary &row : summary.subelements) {
        categories.append(row.id);
        *seen << percent(row.seen, row.questions);
        *right << percent(row.rightLastTime, row.questions);
        *accuracy << 100.0 * row.accuracy().value_or(0.0);
    }
    auto *series = new QBarSeries;
    series->append({seen, right, accuracy});

    auto *chart = new QChart;
    chart->addSeries(series);
    auto *x = new QBarCategoryAxis;
    x->append(categories);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    y->setRange(0, 100);
    y->setLabelFormat(QStringLiteral("%d %%"));
    y->setTickCount(6);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins({4, 4, 4, 4});
    return chart;
}

} // namespace progresswindow
