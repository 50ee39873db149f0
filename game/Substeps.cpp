#include "game/Substeps.h"

#include <cmath>

namespace OvCore {

int64_t SubstepCount(double steps) {
    if (!(steps > 0) || !std::isfinite(steps)) return 0;
    if (steps >= static_cast<double>(kMaxSubsteps - 1)) return kMaxSubsteps;
    return static_cast<int64_t>(std::floor(steps)) + 1;
}

}  // namespace OvCore
