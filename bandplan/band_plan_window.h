#pragma once
// Entry point of the "Frequency Privileges" window for the main window's menu.

#include "bandplan/exam_class_marks.h"

namespace bandplan {

// Creates the window afresh, shows it modally and discards it once it is hidden or closed.
void openFrequencyPrivileges(const ExamClassMarks &marks);

} // namespace bandplan
