#pragma once
// Entry point of the "Frequency Privileges" window for the main window's menu.

namespace bandplan {

// The check marks of the main window's exam-class menu items; the window opens on that class's chart.
struct ExamClassMarks
{
    bool technician = false;
    bool general = false;
    bool extra = false;
};

// Creates the window afresh, shows it modally and discards it once it is hidden or closed.
void openFrequencyPrivileges(const ExamClassMarks &marks);

} // namespace bandplan
