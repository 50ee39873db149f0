// The cosine and sine of a turn given in degrees. Whole quarter turns come
// off exactly in degrees, so the polynomials only ever see [-45, 45] degrees
// and multiples of 90 give exact zeros and ones.
#include "ovcore/engine/matrix/Matrix4.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace ov {

namespace {

// Beyond this the quarter turns cannot be counted exactly.
constexpr double kLargestCounted = 0x1p51;
// Adding and taking away this rounds a double below 2^51 to an integer.
constexpr double kRoundingShift = 0x1.8p52;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// Minimax polynomials for |x| <= pi / 4.
double SinNear(double x) {
    const double z = x * x;
    const double r =
        8.33333333332248946124e-03 +
        z * (-1.98412698298579493134e-04 +
             z * (2.75573137070700676789e-06 + z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)));
    return x + x * z * (-1.66666666666666324348e-01 + z * r);
}

double CosNear(double x) {
    const double z = x * x;
    const double r = z * (4.16666666666666019037e-02 +
                          z * (-1.38888888888741095749e-03 +
                               z * (2.48015872894767294178e-05 +
                                    z * (-2.75573143513906633035e-07 +
                                         z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11)))));
    // 1 - z / 2 + z r, with the rounding of 1 - z / 2 carried into the sum.
    const double half = 0.5 * z;
    const double w = 1.0 - half;
    return w + (((1.0 - w) - half) + z * r);
}

}  // namespace

void TurnCosSin(double degrees, double& c, double& s) {
    c = 1.0, s = 0.0;
    if (degrees == 0.0) return;
    if (!(std::fabs(degrees) < kLargestCounted)) {
        const double radians = degrees * kRadiansPerDegree;
        c = std::cos(radians);
        s = std::sin(radians);
        return;
    }
    const double quarters = (degrees * (1.0 / 90.0) + kRoundingShift) - kRoundingShift;
    // Exact: degrees and the whole quarters are within a factor of two.
    const double rest = (degrees - quarters * 90.0) * kRadiansPerDegree;
    const double cosRest = CosNear(rest), sinRest = SinNear(rest);
    // Adding zero turns a negative zero into a positive one.
    switch (static_cast<int64_t>(quarters) & 3) {
    case 0: c = cosRest, s = sinRest; break;
    case 1: c = -sinRest + 0.0, s = cosRest; break;
    case 2: c = -cosRest, s = -sinRest + 0.0; break;
    default: c = sinRest, s = -cosRest; break;
    }
}

}  // namespace ov
