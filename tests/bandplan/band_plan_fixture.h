#pragma once
// An in-memory "Frequency Privileges" window with the fixed controls of the real one,
// and helpers to write band-plan files and tables for the tests.

#include "bandplan/band_plan.h"
#include "view/memory_view.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace bandplan::testing {

// The window as loaded at design size (outer 9600 x 7200 twips), "Line1" at 720 unless told.
std::unique_ptr<view::memory::MemoryWindow> makeWindow(double lineY = 720);

// Sets the window's outer size without the load handler, for chart tests.
void setSize(view::memory::MemoryWindow &window, double width, double height);

// Writes `bytes` as "BandPlan.txt" in `dir` and returns its path.
QString writePlan(const QTemporaryDir &dir, const QByteArray &bytes);

struct Record
{
    const char *band;
    const char *cls;
    const char *mode;
    float low;
    float high;
};

BandPlanTable tableOf(std::initializer_list<Record> records);

// Names of the chart labels in the window, in control-list order.
QStringList chartNames(const view::memory::MemoryWindow &window);

} // namespace bandplan::testing
