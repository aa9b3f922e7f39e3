#include "bandplan/band_plan_window.h"

#include "bandplan/frm_band_plan.h"

#include <memory>

namespace bandplan {

void openFrequencyPrivileges(const ExamClassMarks &marks)
{
    auto window = std::make_unique<frmBandPlan>();
    window->load(marks);
    window->showModal();
}

} // namespace bandplan
