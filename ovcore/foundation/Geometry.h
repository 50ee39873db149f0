// Wrappers over the engine's plane geometry (OvLengthdir, OvDirection).
// Angles are degrees in screen coordinates: 0 points along +x and, since y
// grows downwards, 90 points down.
#pragma once

#include "ovcore/foundation/Angles.h"
#include "ovcore/foundation/Vector.h"

namespace OvCore {

// The displacement of `length` along angles.x: (length cos a, length sin a, 0, 1).
OV_VECTOR Lengthdir(OV_ANGLES angles, double length);
// The angles of the line from `from` to `to`: x is its direction in degrees,
// in [-180, 180]; y, z and w are 0.
OV_ANGLES Direction(OV_VECTOR from, OV_VECTOR to);

}  // namespace OvCore
