#include "ovcore/foundation/MathHelpers.h"

#include <algorithm>
#include <cstdlib>

#include "ovcore/foundation/Timer.h"

namespace OvCore {

double Random(double max, bool reseed) {
    if (reseed) std::srand(static_cast<unsigned>(TruncateToInt64(TimerSecondsPrecise())));
    const int r = std::rand() % 1000;
    return r / 1000.0 * max;
}

bool PointInBox(const OV_VECTOR& p, const OV_VECTOR& a, const OV_VECTOR& b) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

int64_t TruncateToInt64(double value) {
    if (!(value == value)) return 0;
    // 2^63 is exactly representable; anything at or beyond it (or below -2^63) saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (value >= kLimit) return INT64_MAX;
    if (value < -kLimit) return INT64_MIN;
    return static_cast<int64_t>(value);
}

}  // namespace OvCore
