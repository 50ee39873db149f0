#include "ovcore/foundation/Angles.h"

#include <cmath>

#include "ovcore/foundation/Geometry.h"

namespace OvCore {

OV_ANGLES::OV_ANGLES(const OV_VECTOR& v) : OV_ANGLES(Direction(OV_VECTOR(0, 0, 0, 1), v)) {}

OV_ANGLES& OV_ANGLES::Wrap(double mx, double my, double mz, double mw) {
    x = std::fmod(x, mx);
    y = std::fmod(y, my);
    z = std::fmod(z, mz);
    w = std::fmod(w, mw);
    return *this;
}

}  // namespace OvCore
