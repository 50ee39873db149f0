// OV_MATRIX: a 4 x 4 matrix of doubles in column-major order: element
// m[column * 4 + row]; the translation lives in m[12], m[13], m[14].
#pragma once

#include "ovcore/foundation/Number.h"
#include "ovcore/foundation/Vector.h"

namespace OvCore {

// The 4 x 4 matrix; see the file description for the element order.
struct OV_MATRIX {
    double m[16];  // m[column * 4 + row]

    OV_MATRIX();  // the identity

    // Element by element (the number forms scale every element):
    OV_MATRIX operator+(const OV_MATRIX& o) const;
    OV_MATRIX operator-(const OV_MATRIX& o) const;
    OV_MATRIX operator*(double factor) const;
    OV_MATRIX operator*(const OV_NUMBER& factor) const { return *this * factor.Get(); }
    // The product this x o.
    OV_MATRIX operator*(const OV_MATRIX& o) const;
    // this x (x, y, z, w), then x, y and z divided by the resulting w (not
    // checked for 0); the resulting w is kept.
    OV_VECTOR operator*(const OV_VECTOR& v) const;

    // The transpose, and the determinant (0 for a singular matrix):
    OV_MATRIX Transposed() const;
    double Determinant() const;

    // Each gives this x E for the elementary matrix E, leaving this matrix
    // unchanged, so chained calls apply in the order written. Angles in degrees:
    OV_MATRIX Translate(double x, double y, double z) const;
    OV_MATRIX Scale(double x, double y, double z) const;
    OV_MATRIX RotateX(double degrees) const;
    OV_MATRIX RotateY(double degrees) const;
    OV_MATRIX RotateZ(double degrees) const;
};
static_assert(sizeof(OV_MATRIX) == 128, "OV_MATRIX is sixteen doubles");

}  // namespace OvCore
