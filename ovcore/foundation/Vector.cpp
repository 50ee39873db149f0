#include "ovcore/foundation/Vector.h"

#include <cmath>

namespace OvCore {

double OV_VECTOR::Length() const { return std::sqrt(x * x + y * y + z * z); }

OV_VECTOR OV_VECTOR::Normalized() const {
    const double length = Length();
    if (length == 0) return {0, 0, 0, 1};
    return {x / length, y / length, z / length, 1};
}

}  // namespace OvCore
