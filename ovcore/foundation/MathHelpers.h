// Angle conversion, the framework's random numbers, clamped interpolation,
// the point-in-box test, and a safe truncation of doubles to integers.
#pragma once

#include <cstdint>

#include "ovcore/foundation/Vector.h"

namespace OvCore {

// Pi to double precision.
constexpr double kPi = 3.141592653589793;
// Pi rounded to float precision, as the float conversions use it.
constexpr double kPiFloat = 3.1415927410125732;

// Degrees to radians and back, in the argument's precision:
inline double DegToRad(double degrees) { return degrees * kPi / 180; }
inline float DegToRad(float degrees) { return float(degrees * kPiFloat / 180); }
inline double RadToDeg(double radians) { return radians * 180 / kPi; }
inline float RadToDeg(float radians) { return float(radians * 180 / kPiFloat); }

// A value in [0, max) on a grid of max / 1000: (rand() % 1000) / 1000 * max.
// With `reseed`, first seeds rand with TimerSecondsPrecise() truncated to an
// integer. The application seeds once at start-up with Random(0, true).
double Random(double max, bool reseed = false);

// a + (b - a) * t with t clamped to [0, 1].
inline double Lerp(double a, double b, double t) {
    if (t > 1)
        t = 1;
    else if (t < 0)
        t = 0;
    return a + (b - a) * t;
}

// Whether p lies in the rectangle spanned by the corners a and b, borders
// included, whatever the order of the corners; z and w are ignored.
bool PointInBox(const OV_VECTOR& p, const OV_VECTOR& a, const OV_VECTOR& b);

// Truncation toward zero without undefined behaviour: NaN gives 0 and values
// beyond the 64-bit range saturate at its ends.
int64_t TruncateToInt64(double value);

}  // namespace OvCore
