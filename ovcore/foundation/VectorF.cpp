#include "ovcore/foundation/VectorF.h"

#include <cmath>

namespace OvCore {

float OV_VECTORF::Length() const {
    const double dx = x, dy = y, dz = z;
    return float(std::sqrt(dx * dx + dy * dy + dz * dz));
}

OV_VECTORF OV_VECTORF::Normalized() const {
    const float length = Length();
    if (length == 0) return {0, 0, 0, 1};
    return Rounded(x / double(length), y / double(length), z / double(length));
}

}  // namespace OvCore
