#include "bandplan/band_plan_window.h"

#include <QDialog>

namespace bandplan {

// Placeholder until the chart window lands: an empty modal window of the same kind.
void openFrequencyPrivileges(const ExamClassMarks &)
{
    QDialog window;
    window.setWindowTitle(QStringLiteral("Frequency Privileges"));
    window.exec();
}

} // namespace bandplan
