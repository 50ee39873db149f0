#include "ovcore/foundation/Matrix.h"

#include <cmath>

#include "ovcore/foundation/MathHelpers.h"

namespace OvCore {
namespace {

// The identity with the plane rotation (i, j) by `degrees`: E[i][i] = E[j][j]
// = cos a, E[column j, row i] = -sin a, E[column i, row j] = sin a.
OV_MATRIX Rotation(int i, int j, double degrees) {
    const double a = DegToRad(degrees);
    OV_MATRIX e;
    e.m[i * 4 + i] = std::cos(a);
    e.m[i * 4 + j] = std::sin(a);
    e.m[j * 4 + i] = -std::sin(a);
    e.m[j * 4 + j] = std::cos(a);
    return e;
}

}  // namespace

OV_MATRIX::OV_MATRIX() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

OV_MATRIX OV_MATRIX::operator+(const OV_MATRIX& o) const {
    OV_MATRIX r;
    for (int i = 0; i < 16; ++i) r.m[i] = m[i] + o.m[i];
    return r;
}

OV_MATRIX OV_MATRIX::operator-(const OV_MATRIX& o) const {
    OV_MATRIX r;
    for (int i = 0; i < 16; ++i) r.m[i] = m[i] - o.m[i];
    return r;
}

OV_MATRIX OV_MATRIX::operator*(double factor) const {
    OV_MATRIX r;
    for (int i = 0; i < 16; ++i) r.m[i] = m[i] * factor;
    return r;
}

OV_MATRIX OV_MATRIX::operator*(const OV_MATRIX& o) const {
    OV_MATRIX r;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += m[k * 4 + row] * o.m[col * 4 + k];
            r.m[col * 4 + row] = sum;
        }
    }
    return r;
}

OV_VECTOR OV_MATRIX::operator*(const OV_VECTOR& v) const {
    const double in[4] = {v.x, v.y, v.z, v.w};
    double r[4];
    for (int row = 0; row < 4; ++row) {
        r[row] = 0;
        for (int k = 0; k < 4; ++k) r[row] += m[k * 4 + row] * in[k];
    }
    return {r[0] / r[3], r[1] / r[3], r[2] / r[3], r[3]};
}

OV_MATRIX OV_MATRIX::Transposed() const {
    OV_MATRIX r;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) r.m[row * 4 + col] = m[col * 4 + row];
    }
    return r;
}

double OV_MATRIX::Determinant() const {
    // Laplace expansion along the first two rows: each 2 x 2 minor of rows 0
    // and 1 times the complementary minor of rows 2 and 3, with its sign.
    auto at = [this](int row, int col) { return m[col * 4 + row]; };
    const double s0 = at(0, 0) * at(1, 1) - at(1, 0) * at(0, 1);
    const double s1 = at(0, 0) * at(1, 2) - at(1, 0) * at(0, 2);
    const double s2 = at(0, 0) * at(1, 3) - at(1, 0) * at(0, 3);
    const double s3 = at(0, 1) * at(1, 2) - at(1, 1) * at(0, 2);
    const double s4 = at(0, 1) * at(1, 3) - at(1, 1) * at(0, 3);
    const double s5 = at(0, 2) * at(1, 3) - at(1, 2) * at(0, 3);
    const double c5 = at(2, 2) * at(3, 3) - at(3, 2) * at(2, 3);
    const double c4 = at(2, 1) * at(3, 3) - at(3, 1) * at(2, 3);
    const double c3 = at(2, 1) * at(3, 2) - at(3, 1) * at(2, 2);
    const double c2 = at(2, 0) * at(3, 3) - at(3, 0) * at(2, 3);
    const double c1 = at(2, 0) * at(3, 2) - at(3, 0) * at(2, 2);
    const double c0 = at(2, 0) * at(3, 1) - at(3, 0) * at(2, 1);
    return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
}

OV_MATRIX OV_MATRIX::Translate(double x, double y, double z) const {
    OV_MATRIX e;
    e.m[12] = x;
    e.m[13] = y;
    e.m[14] = z;
    return *this * e;
}

OV_MATRIX OV_MATRIX::Scale(double x, double y, double z) const {
    OV_MATRIX e;
    e.m[0] = x;
    e.m[5] = y;
    e.m[10] = z;
    return *this * e;
}

// About X the plane is (y, z): elements 5 = cos, 6 = sin, 9 = -sin, 10 = cos.
OV_MATRIX OV_MATRIX::RotateX(double degrees) const { return *this * Rotation(1, 2, degrees); }
// About Y the plane is (z, x): elements 10 = cos, 8 = sin, 2 = -sin, 0 = cos.
OV_MATRIX OV_MATRIX::RotateY(double degrees) const { return *this * Rotation(2, 0, degrees); }
// About Z the plane is (x, y): elements 0 = cos, 1 = sin, 4 = -sin, 5 = cos.
OV_MATRIX OV_MATRIX::RotateZ(double degrees) const { return *this * Rotation(0, 1, degrees); }

}  // namespace OvCore
