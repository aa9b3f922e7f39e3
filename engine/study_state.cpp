#include "engine/study_state.h"

#include <cmath>
#include <limits>

namespace engine {

int toIndex(float value)
{
    if (!std::isfinite(value) || std::fabs(value) > float(std::numeric_limits<int>::max() / 2))
        return -1;
    return int(std::nearbyint(value)); // the default rounding mode: nearest, halves to even
}

} // namespace engine
