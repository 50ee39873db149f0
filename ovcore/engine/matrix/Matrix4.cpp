#include "ovcore/engine/matrix/Matrix4.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace ov {

Matrix4 Matrix4::Identity() { return Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix4 Matrix4::Translation(double x, double y, double z) {
    Matrix4 result = Identity();
    result.m[12] = x;
    result.m[13] = y;
    result.m[14] = z;
    return result;
}

Matrix4 Matrix4::Scaling(double x, double y, double z) {
    Matrix4 result = Identity();
    result.m[0] = x;
    result.m[5] = y;
    result.m[10] = z;
    return result;
}

Matrix4 Matrix4::Rotation(double degrees, double x, double y, double z) {
    double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0) || !std::isfinite(length)) return Identity();
    x /= length;
    y /= length;
    z /= length;
    double c, s;
    TurnCosSin(degrees, c, s);
    double t = 1.0 - c;
    return Matrix4{{x * x * t + c, y * x * t + z * s, z * x * t - y * s, 0, x * y * t - z * s, y * y * t + c,
                    z * y * t + x * s, 0, x * z * t + y * s, y * z * t - x * s, z * z * t + c, 0, 0, 0, 0, 1}};
}

Matrix4 Matrix4::Perspective(double fovY, double aspect, double nearPlane, double farPlane) {
    double f = 1.0 / std::tan(fovY * std::numbers::pi / 360.0);
    Matrix4 result{};
    result.m[0] = f / aspect;
    result.m[5] = f;
    result.m[10] = (farPlane + nearPlane) / (nearPlane - farPlane);
    result.m[11] = -1.0;
    result.m[14] = 2.0 * farPlane * nearPlane / (nearPlane - farPlane);
    return result;
}

Matrix4 Matrix4::operator*(const Matrix4& o) const {
    Matrix4 result{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += m[k * 4 + row] * o.m[column * 4 + k];
            result.m[column * 4 + row] = sum;
        }
    }
    return result;
}

void TranslateInPlace(double* m, double x, double y, double z) {
    for (int row = 0; row < 4; ++row) m[12 + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
}

void ScaleInPlace(double* m, double x, double y, double z) {
    for (int row = 0; row < 4; ++row) {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
}

Matrix4 Matrix4::PlanePlacement(const double* translate, double degrees, const double* scale) {
    double c, s;
    TurnCosSin(degrees, c, s);
    Matrix4 r;
    r.m[0] = c * scale[0], r.m[1] = s * scale[0], r.m[2] = 0.0, r.m[3] = 0.0;
    r.m[4] = -s * scale[1], r.m[5] = c * scale[1], r.m[6] = 0.0, r.m[7] = 0.0;
    r.m[8] = 0.0, r.m[9] = 0.0, r.m[10] = scale[2], r.m[11] = 0.0;
    r.m[12] = translate[0], r.m[13] = translate[1], r.m[14] = translate[2], r.m[15] = 1.0;
    return r;
}

void RotateInPlace(double* m, double degrees, double x, double y, double z) {
    if (x == 0.0 && y == 0.0 && z > 0.0 && std::isfinite(z)) {
        // About +z (every turn of a sprite): the third column stays.
        double c, s;
        TurnCosSin(degrees, c, s);
        for (int row = 0; row < 4; ++row) {
            const double a = m[row], b = m[4 + row];
            m[row] = a * c + b * s;
            m[4 + row] = a * -s + b * c;
        }
        return;
    }
    const Matrix4 r = Matrix4::Rotation(degrees, x, y, z);
    for (int row = 0; row < 4; ++row) {
        const double a = m[row], b = m[4 + row], c = m[8 + row];
        m[row] = a * r.m[0] + b * r.m[1] + c * r.m[2];
        m[4 + row] = a * r.m[4] + b * r.m[5] + c * r.m[6];
        m[8 + row] = a * r.m[8] + b * r.m[9] + c * r.m[10];
    }
}

bool Matrix4::operator==(const Matrix4& o) const { return std::memcmp(m, o.m, sizeof(m)) == 0; }

}  // namespace ov
