#pragma once
// The Progress window's chart: per subelement, the share of its questions seen and right the
// last time, and the first-attempt accuracy, as bars from 0 to 100 %.

class QChart;

namespace progress {
struct PoolSummary;
}

namespace progresswindow {

// A new chart; the caller owns it (a QChartView takes it over).
QChart *progressChart(const progress::PoolSummary &summary);

} // namespace progresswindow
