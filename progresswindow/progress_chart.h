#pragma once
// The Progress window's chart: per subelement, the share of its questions right the last
// time, missed the last time and never answered, stacked from 0 to 100 %, so a subelement
// with two answers weighs no more than its share of questions. Drawn in the palette's
// colours, so it reads on a light or a dark desktop alike.

#include <array>

class QChart;
class QPalette;

namespace progress {
struct PoolSummary;
struct SubelementSummary;
} // namespace progress

namespace progresswindow {

// Percentages of a subelement's questions: right last time, missed last time, never
// answered; they add up to 100 (all 0 for a subelement without questions).
std::array<double, 3> progressShares(const progress::SubelementSummary &row);

// A new chart; the caller owns it (a QChartView takes it over).
QChart *progressChart(const progress::PoolSummary &summary, const QPalette &palette);

} // namespace progresswindow
