// 4 x 4 matrices of doubles in column-major order (element m[column * 4 +
// row]), the layout the engine's interface reads and writes.
#pragma once

namespace ov {

struct Matrix4 {
    double m[16];

    static Matrix4 Identity();
    static Matrix4 Translation(double x, double y, double z);
    static Matrix4 Scaling(double x, double y, double z);
    // Right-handed rotation about (x, y, z); the identity for a zero axis.
    static Matrix4 Rotation(double degrees, double x, double y, double z);
    // Translation(t) * Rotation(degrees, 0, 0, 1) * Scaling(s), written out:
    // the same values the three steps give, without their products.
    static Matrix4 PlanePlacement(const double* translate, double degrees, const double* scale);
    // A symmetric frustum; fovY in degrees, aspect = width / height.
    static Matrix4 Perspective(double fovY, double aspect, double nearPlane, double farPlane);

    Matrix4 operator*(const Matrix4& o) const;
    bool operator==(const Matrix4& o) const;
};

// The cosine and sine of a turn in degrees, exact at whole quarter turns.
void TurnCosSin(double degrees, double& c, double& s);

// In-place forms of m = m x Translation, m x Scaling and m x Rotation for a
// column-major m: only the columns the factor changes are computed, with the
// terms of the full product in the same order.
void TranslateInPlace(double* m, double x, double y, double z);
void ScaleInPlace(double* m, double x, double y, double z);
void RotateInPlace(double* m, double degrees, double x, double y, double z);

}  // namespace ov
