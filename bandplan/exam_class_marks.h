#pragma once

namespace bandplan {

// The check marks of the main window's exam-class menu items; the window opens on that class's chart.
struct ExamClassMarks
{
    bool technician = false;
    bool general = false;
    bool extra = false;
};

} // namespace bandplan
