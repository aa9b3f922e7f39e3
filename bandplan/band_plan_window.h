#pragma once
// Entry point of the "Frequency Privileges" window for the main window's menu.

#include "bandplan/band_plan.h"
#include "bandplan/exam_class_marks.h"

namespace bandplan {

// Creates the window afresh on the band plan at planPath, shows it modally and discards it
// once it is hidden or closed.
void openFrequencyPrivileges(const ExamClassMarks &marks,
                             const QString &planPath = QString::fromLatin1(kBandPlanFile));

} // namespace bandplan
