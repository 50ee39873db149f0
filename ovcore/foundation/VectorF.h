// OV_VECTORF: four floats x, y, z, w, for colours and vertex data. Arithmetic
// is done in double and each result component rounded to float.
#pragma once

#include "ovcore/foundation/Number.h"

namespace OvCore {

// The four-float vector; see the file description.
struct OV_VECTORF {
    // The components (w is 1 for positions, alpha for colours):
    float x, y, z, w;

    // Defaults make a position: OV_VECTORF() is (0, 0, 0, 1), OV_VECTORF(3, 4)
    // is (3, 4, 0, 1). Colours pass all four components, white being
    // (1, 1, 1, 1). As with OV_VECTOR there is no one-number constructor:
    OV_VECTORF() : OV_VECTORF(0, 0) {}
    OV_VECTORF(float x, float y, float z = 0, float w = 1) : x(x), y(y), z(z), w(w) {}

    void Set(float newX, float newY, float newZ, float newW) {  // sets all four components
        x = newX;
        y = newY;
        z = newZ;
        w = newW;
    }

    // Euclidean length of (x, y, z), rounded to float; w is ignored.
    float Length() const;
    // (x, y, z) / Length() with w = 1; (0, 0, 0, 1) when the float length is 0.
    OV_VECTORF Normalized() const;

    // Arithmetic acts on x, y and z; the result's w is always 1. The number
    // is rounded to float before it multiplies:
    OV_VECTORF operator+(const OV_VECTORF& o) const {
        return Rounded(double(x) + o.x, double(y) + o.y, double(z) + o.z);
    }
    OV_VECTORF operator-(const OV_VECTORF& o) const {
        return Rounded(double(x) - o.x, double(y) - o.y, double(z) - o.z);
    }
    OV_VECTORF operator*(const OV_NUMBER& n) const {
        const double f = float(n.Get());
        return Rounded(x * f, y * f, z * f);
    }
    OV_VECTORF& operator+=(const OV_VECTORF& o) { return *this = *this + o; }
    OV_VECTORF& operator-=(const OV_VECTORF& o) { return *this = *this - o; }
    OV_VECTORF& operator*=(const OV_NUMBER& n) { return *this = *this * n; }

private:
    static OV_VECTORF Rounded(double rx, double ry, double rz) { return {float(rx), float(ry), float(rz), 1.0f}; }
};
static_assert(sizeof(OV_VECTORF) == 16, "OV_VECTORF is four floats");

}  // namespace OvCore
