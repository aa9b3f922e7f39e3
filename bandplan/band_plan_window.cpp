#include "bandplan/band_plan_window.h"

#include "bandplan/frm_band_plan.h"

#include <memory>

namespace bandplan {

void openFrequencyPrivileges(const ExamClassMarks &marks, const QString &planPath)
{
    auto window = std::make_unique<frmBandPlan>();
    window->load(marks, planPath);
    window->showModal();
}

} // namespace bandplan
