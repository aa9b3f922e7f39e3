#pragma once
// What the study window asks of the program around it: the windows beside it, opened from
// its added menu items and its figure pane, and leave to close.

namespace mainwindow {

class StudyWindowHost
{
public:
    virtual ~StudyWindowHost() = default;
    virtual void openProgress() = 0;     // Test > Progress...
    virtual void openReview() = 0;       // Test > Review...
    virtual void openPracticeExam() = 0; // Test > Practice Exam...
    // The figure on show in the study window's pane, large (a click on it, or the key F).
    virtual void openFigureWindow() = 0;
    // The study window is about to close or the program to end: each open practice exam
    // asks as its own close does; false when one was kept open.
    virtual bool letStudyWindowClose() = 0;
};

} // namespace mainwindow
