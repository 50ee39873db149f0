// OV_VECTOR: four doubles x, y, z, w. Positions and directions carry w = 1;
// a colour uses x, y, z, w as red, green, blue, alpha in 0..1.
#pragma once

#include "ovcore/foundation/Number.h"

namespace OvCore {

// The four-double vector; see the file description.
struct OV_VECTOR {
    // The components (w is 1 for positions):
    double x, y, z, w;

    // Defaults make a position: OV_VECTOR() is (0, 0, 0, 1), OV_VECTOR(3, 4) is
    // (3, 4, 0, 1). There is no one-number constructor, so a double never
    // turns into a vector by itself (`v + 2.0` does not compile):
    OV_VECTOR() : OV_VECTOR(0, 0) {}
    OV_VECTOR(double x, double y, double z = 0, double w = 1) : x(x), y(y), z(z), w(w) {}

    void Set(double newX, double newY, double newZ, double newW) {  // sets all four components
        x = newX;
        y = newY;
        z = newZ;
        w = newW;
    }

    // Euclidean length of (x, y, z); w is ignored.
    double Length() const;
    // (x, y, z) / Length() with w = 1; (0, 0, 0, 1) when the length is 0.
    OV_VECTOR Normalized() const;

    // Arithmetic acts on x, y and z; the result's w is always 1:
    OV_VECTOR operator+(const OV_VECTOR& o) const { return {x + o.x, y + o.y, z + o.z, 1}; }
    OV_VECTOR operator-(const OV_VECTOR& o) const { return {x - o.x, y - o.y, z - o.z, 1}; }
    OV_VECTOR operator*(const OV_NUMBER& n) const {
        const double f = n.Get();
        return {x * f, y * f, z * f, 1};
    }
    // Each stores the result of its binary operator, so w becomes 1:
    OV_VECTOR& operator+=(const OV_VECTOR& o) { return *this = *this + o; }
    OV_VECTOR& operator-=(const OV_VECTOR& o) { return *this = *this - o; }
    OV_VECTOR& operator*=(const OV_NUMBER& n) { return *this = *this * n; }

    // All four components, exactly.
    bool operator==(const OV_VECTOR& o) const = default;

    // Component-wise minimum / maximum over all four components:
    OV_VECTOR Min(const OV_VECTOR& o) const {
        return {o.x < x ? o.x : x, o.y < y ? o.y : y, o.z < z ? o.z : z, o.w < w ? o.w : w};
    }
    OV_VECTOR Max(const OV_VECTOR& o) const {
        return {o.x > x ? o.x : x, o.y > y ? o.y : y, o.z > z ? o.z : z, o.w > w ? o.w : w};
    }
};
static_assert(sizeof(OV_VECTOR) == 32, "OV_VECTOR is four doubles");

}  // namespace OvCore
