// Plane geometry in screen coordinates: angles in degrees, 0 along +x and,
// since y grows downwards, 90 pointing down. OvLengthdir and OvDirection are
// inverses of each other.
#include <cmath>

#include "ovcore/engine/OrvoCore.h"

namespace {
constexpr double kPi = 3.141592653589793;
}  // namespace

// result = (L cos a, L sin a, 0, 1) for a = angles.x degrees and L = angles.w.
extern "C" OV_API void OvLengthdir(OvFour angles, OvFour* result) {
    if (!result) return;
    const double a = angles.x * kPi / 180;
    *result = OvFour{angles.w * std::cos(a), angles.w * std::sin(a), 0, 1};
}

// result->x = the direction in degrees, in [-180, 180], of the line from
// `from` to `to` (0 when they coincide); y, z and w stay as the caller set them.
extern "C" OV_API void OvDirection(OvFour from, OvFour to, OvFour* result) {
    if (!result) return;
    result->x = std::atan2(to.y - from.y, to.x - from.x) * 180 / kPi;
}
