#include "ovcore/foundation/Matrix.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace OvCore;

namespace {

OV_MATRIX FromElements(std::initializer_list<double> elements) {
    OV_MATRIX r;
    int i = 0;
    for (double e : elements) r.m[i++] = e;
    return r;
}

// A general, non-symmetric matrix with determinant -251.
const OV_MATRIX kSample = FromElements({2, 1, 0, 3, -1, 4, 2, 0, 5, 0, 1, -2, 1, 3, -3, 6});

// Reference determinant by cofactor expansion (rows and columns in column-major m).
double ReferenceDeterminant(const double* a, int n) {
    if (n == 1) return a[0];
    double sum = 0;
    for (int col = 0; col < n; ++col) {
        double minor[16];
        int k = 0;
        for (int c = 0; c < n; ++c) {
            if (c == col) continue;
            for (int row = 1; row < n; ++row) minor[k++] = a[c * n + row];
        }
        sum += ((col % 2) ? -1 : 1) * a[col * n] * ReferenceDeterminant(minor, n - 1);
    }
    return sum;
}

void ExpectMatrixNear(const OV_MATRIX& a, const OV_MATRIX& b, double tolerance = 1e-12) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i], b.m[i], tolerance) << "element " << i;
}

}  // namespace

TEST(Matrix, DefaultIsTheIdentity) {
    const OV_MATRIX identity;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(identity.m[i], (i % 5 == 0) ? 1 : 0) << i;
    EXPECT_EQ(identity.Determinant(), 1);
}

TEST(Matrix, ElementWiseOperations) {
    const OV_MATRIX sum = kSample + OV_MATRIX();
    const OV_MATRIX difference = kSample - OV_MATRIX();
    const OV_MATRIX scaled = kSample * 2.0;
    const OV_MATRIX byNumber = kSample * OV_NUMBER(-1);
    for (int i = 0; i < 16; ++i) {
        const double identity = (i % 5 == 0) ? 1 : 0;
        EXPECT_EQ(sum.m[i], kSample.m[i] + identity);
        EXPECT_EQ(difference.m[i], kSample.m[i] - identity);
        EXPECT_EQ(scaled.m[i], kSample.m[i] * 2);
        EXPECT_EQ(byNumber.m[i], -kSample.m[i]);
    }
}

TEST(Matrix, ProductIsColumnMajor) {
    // Element (row, col) of A x B is row `row` of A dot column `col` of B.
    const OV_MATRIX product = kSample * kSample.Transposed();
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double expected = 0;
            for (int k = 0; k < 4; ++k) expected += kSample.m[k * 4 + row] * kSample.m[k * 4 + col];
            EXPECT_EQ(product.m[col * 4 + row], expected) << row << "," << col;
        }
    }
    ExpectMatrixNear(kSample * OV_MATRIX(), kSample, 0);
    ExpectMatrixNear(OV_MATRIX() * kSample, kSample, 0);
}

TEST(Matrix, TransposedSwapsRowsAndColumns) {
    const OV_MATRIX t = kSample.Transposed();
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) EXPECT_EQ(t.m[row * 4 + col], kSample.m[col * 4 + row]);
    }
    ExpectMatrixNear(t.Transposed(), kSample, 0);
}

TEST(Matrix, Determinant) {
    EXPECT_EQ(OV_MATRIX().Scale(2, 3, 4).Determinant(), 24);
    EXPECT_DOUBLE_EQ(kSample.Determinant(), ReferenceDeterminant(kSample.m, 4));
    EXPECT_DOUBLE_EQ(kSample.Determinant(), -251);
    EXPECT_DOUBLE_EQ(kSample.Transposed().Determinant(), kSample.Determinant());
    // Swapping two columns flips the sign.
    const OV_MATRIX swapped = FromElements({0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    EXPECT_EQ(swapped.Determinant(), -1);
    const OV_MATRIX other = OV_MATRIX().RotateX(30).Translate(1, 2, 3).Scale(1, 2, 5);
    EXPECT_NEAR((kSample * other).Determinant(), kSample.Determinant() * other.Determinant(), 1e-9);
    EXPECT_NEAR(OV_MATRIX().RotateZ(33).Determinant(), 1, 1e-15);
}

TEST(Matrix, TimesVectorDividesByW) {
    const OV_VECTOR moved = OV_MATRIX().Translate(1, 2, 3) * OV_VECTOR(0, 0, 0, 1);
    EXPECT_EQ(moved, OV_VECTOR(1, 2, 3, 1));
    OV_MATRIX projective;
    projective.m[15] = 2;
    projective.m[12] = 4;
    const OV_VECTOR r = projective * OV_VECTOR(2, 6, 8, 1);  // (2 + 4, 6, 8, 2)
    EXPECT_EQ(r, OV_VECTOR(3, 3, 4, 2));
    const OV_VECTOR atInfinity = OV_MATRIX() * OV_VECTOR(1, 0, 0, 0);
    EXPECT_TRUE(std::isinf(atInfinity.x));
    EXPECT_EQ(atInfinity.w, 0);
}

TEST(Matrix, RotateZQuarterTurnMapsXToY) {
    const OV_VECTOR r = OV_MATRIX().RotateZ(90) * OV_VECTOR(1, 0, 0, 1);
    EXPECT_NEAR(r.x, 0, 1e-15);
    EXPECT_NEAR(r.y, 1, 1e-15);
    EXPECT_EQ(r.z, 0);
    EXPECT_EQ(r.w, 1);
}

TEST(Matrix, ElementaryMatricesPutTheirValuesWhereExpected) {
    const double c = std::cos(30 * 3.141592653589793 / 180), s = std::sin(30 * 3.141592653589793 / 180);
    const OV_MATRIX identity;
    auto expect = [](const OV_MATRIX& e, std::initializer_list<std::pair<int, double>> changed) {
        OV_MATRIX expected;
        for (auto [index, value] : changed) expected.m[index] = value;
        for (int i = 0; i < 16; ++i) EXPECT_EQ(e.m[i], expected.m[i]) << "element " << i;
    };
    expect(identity.Translate(1, 2, 3), {{12, 1}, {13, 2}, {14, 3}});
    expect(identity.Scale(2, 3, 4), {{0, 2}, {5, 3}, {10, 4}});
    expect(identity.RotateX(30), {{5, c}, {6, s}, {9, -s}, {10, c}});
    expect(identity.RotateY(30), {{0, c}, {2, -s}, {8, s}, {10, c}});
    expect(identity.RotateZ(30), {{0, c}, {1, s}, {4, -s}, {5, c}});
}

TEST(Matrix, ChainedCallsPostMultiplyAndLeaveTheSourceAlone) {
    const OV_MATRIX base = OV_MATRIX().Scale(2, 2, 2);
    const OV_MATRIX chained = base.Translate(1, 0, 0);  // scale x translate
    EXPECT_EQ(base.m[12], 0);
    // The translation is applied first, then the scale: (0 + 1) * 2.
    EXPECT_EQ(chained * OV_VECTOR(0, 0, 0, 1), OV_VECTOR(2, 0, 0, 1));
    const OV_MATRIX otherOrder = OV_MATRIX().Translate(1, 0, 0).Scale(2, 2, 2);
    EXPECT_EQ(otherOrder * OV_VECTOR(0, 0, 0, 1), OV_VECTOR(1, 0, 0, 1));
    ExpectMatrixNear(OV_MATRIX().RotateZ(30).RotateZ(60), OV_MATRIX().RotateZ(90), 1e-15);
}
