// OV_ANGLES: a rotation record of four doubles. In 2D, x is the angle in the
// plane in degrees (a full turn is 360), y and z are 0, and w is free
// (Lengthdir puts the length there). The engine reads and writes this record
// (OvLengthdir, OvDirection), so its layout is fixed: four consecutive doubles.
#pragma once

#include <cstddef>

#include "ovcore/foundation/Vector.h"

namespace OvCore {

// The rotation record; see the file description for what each component holds.
struct OV_ANGLES {
    // x: the angle in the plane in degrees; y, z: 0 in 2D; w: free (a length):
    double x, y, z, w;

    // (0, 0, 0, 0), or the four components as given:
    OV_ANGLES() : OV_ANGLES(0, 0, 0, 0) {}
    OV_ANGLES(double x, double y, double z, double w) : x(x), y(y), z(z), w(w) {}
    // The angles under which v is seen from the origin: Direction((0, 0, 0, 1), v).
    explicit OV_ANGLES(const OV_VECTOR& v);

    // Sets all four components; the vector form as the constructor from v:
    void Set(double newX, double newY, double newZ, double newW) {
        x = newX;
        y = newY;
        z = newZ;
        w = newW;
    }
    void Set(const OV_VECTOR& v) { *this = OV_ANGLES(v); }

    // Each component becomes its floating remainder (fmod) by the matching
    // argument: the sign follows the component, and a divisor of 0 gives NaN.
    OV_ANGLES& Wrap(double mx, double my, double mz, double mw);

    // All four components. Division does not check x, y and z; the result's
    // w is 0 when the divisor's w is 0. Component by component:
    OV_ANGLES operator+(const OV_ANGLES& o) const { return {x + o.x, y + o.y, z + o.z, w + o.w}; }
    OV_ANGLES operator-(const OV_ANGLES& o) const { return {x - o.x, y - o.y, z - o.z, w - o.w}; }
    OV_ANGLES operator*(const OV_ANGLES& o) const { return {x * o.x, y * o.y, z * o.z, w * o.w}; }
    OV_ANGLES operator/(const OV_ANGLES& o) const { return {x / o.x, y / o.y, z / o.z, o.w != 0 ? w / o.w : 0}; }
    OV_ANGLES& operator+=(const OV_ANGLES& o) { return *this = *this + o; }
    OV_ANGLES& operator-=(const OV_ANGLES& o) { return *this = *this - o; }
    OV_ANGLES& operator*=(const OV_ANGLES& o) { return *this = *this * o; }
    OV_ANGLES& operator/=(const OV_ANGLES& o) { return *this = *this / o; }

    bool operator==(const OV_ANGLES& o) const = default;  // all four components, exactly
};
static_assert(sizeof(OV_ANGLES) == 32, "OV_ANGLES is four consecutive doubles");
static_assert(offsetof(OV_ANGLES, x) == 0 && offsetof(OV_ANGLES, y) == 8 && offsetof(OV_ANGLES, z) == 16 &&
                  offsetof(OV_ANGLES, w) == 24,
              "OV_ANGLES keeps the order x, y, z, w");

}  // namespace OvCore
