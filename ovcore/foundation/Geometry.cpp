#include "ovcore/foundation/Geometry.h"

#include "ovcore/engine/OrvoCore.h"

namespace OvCore {
namespace {

OvFour ToFour(const OV_ANGLES& a) { return {a.x, a.y, a.z, a.w}; }
OvFour ToFour(const OV_VECTOR& v) { return {v.x, v.y, v.z, v.w}; }

}  // namespace

OV_VECTOR Lengthdir(OV_ANGLES angles, double length) {
    angles.w = length;
    OvFour result{0, 0, 0, 1};
    OvLengthdir(ToFour(angles), &result);
    return {result.x, result.y, result.z, result.w};
}

OV_ANGLES Direction(OV_VECTOR from, OV_VECTOR to) {
    OvFour result{0, 0, 0, 0};
    OvDirection(ToFour(from), ToFour(to), &result);
    return {result.x, result.y, result.z, result.w};
}

}  // namespace OvCore
