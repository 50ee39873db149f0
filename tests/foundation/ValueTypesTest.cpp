#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#include "ovcore/foundation/Angles.h"
#include "ovcore/foundation/Number.h"
#include "ovcore/foundation/QWord.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/foundation/VectorF.h"

using namespace OvCore;

namespace {

void ExpectVector(const OV_VECTOR& v, double x, double y, double z, double w) {
    EXPECT_DOUBLE_EQ(v.x, x);
    EXPECT_DOUBLE_EQ(v.y, y);
    EXPECT_DOUBLE_EQ(v.z, z);
    EXPECT_DOUBLE_EQ(v.w, w);
}

void ExpectVectorF(const OV_VECTORF& v, float x, float y, float z, float w) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
    EXPECT_FLOAT_EQ(v.w, w);
}

}  // namespace

// ------------------------------------------------------------------ OV_NUMBER

TEST(Number, DefaultsToZeroAndWrapsADouble) {
    EXPECT_EQ(OV_NUMBER().Get(), 0.0);
    OV_NUMBER n(2.5);
    EXPECT_EQ(n.Get(), 2.5);
    n = 4.0;
    EXPECT_EQ(n.Get(), 4.0);
    OV_NUMBER m;
    m = n;
    EXPECT_EQ(m.Get(), 4.0);
    static_assert(sizeof(OV_NUMBER) == sizeof(double));
}

TEST(Number, ArithmeticGivesNewValuesAndCompoundChangesTheLeft) {
    const OV_NUMBER a(6), b(4);
    EXPECT_EQ((a + b).Get(), 10);
    EXPECT_EQ((a - b).Get(), 2);
    EXPECT_EQ((a * b).Get(), 24);
    EXPECT_EQ((a / b).Get(), 1.5);
    EXPECT_EQ(a.Get(), 6);

    OV_NUMBER c(1);
    (c += 2) *= 5;  // compound operators return the changed value
    EXPECT_EQ(c.Get(), 15);
    c -= 5;
    c /= 4;
    EXPECT_EQ(c.Get(), 2.5);
    EXPECT_EQ((OV_NUMBER(1) + 0.5).Get(), 1.5);  // a double converts to a number
}

TEST(Number, DivisionByZeroFollowsIeee) {
    EXPECT_EQ((OV_NUMBER(1) / OV_NUMBER(0)).Get(), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan((OV_NUMBER(0) / OV_NUMBER(0)).Get()));
}

TEST(Number, ComparesExactlyWithEveryScalarType) {
    const OV_NUMBER n(65);
    EXPECT_TRUE(n == OV_NUMBER(65));
    EXPECT_TRUE(n == 65.0);
    EXPECT_TRUE(n == 65.0f);
    EXPECT_TRUE(n == 65);
    EXPECT_TRUE(n == 65u);
    EXPECT_TRUE(n == short(65));
    EXPECT_TRUE(n == static_cast<unsigned short>(65));
    EXPECT_TRUE(n == 'A');
    EXPECT_TRUE(n == static_cast<unsigned char>(65));
    EXPECT_TRUE(65 == n);
    EXPECT_FALSE(n != 65);
    EXPECT_TRUE(n != 65.000001);
    EXPECT_TRUE(OV_NUMBER(1) == true);
    EXPECT_TRUE(OV_NUMBER(0) == false);
    EXPECT_TRUE(OV_NUMBER(2) != true);  // true widens to 1
    EXPECT_TRUE(OV_NUMBER(0.1f) != 0.1);  // no tolerance
}

TEST(Number, ConversionsTruncateTowardZeroAndNarrow) {
    EXPECT_EQ(static_cast<double>(OV_NUMBER(-2.75)), -2.75);
    EXPECT_EQ(static_cast<int>(OV_NUMBER(-2.75)), -2);
    EXPECT_EQ(static_cast<int>(OV_NUMBER(2.99)), 2);
    EXPECT_EQ(static_cast<unsigned int>(OV_NUMBER(7.9)), 7u);
    EXPECT_EQ(static_cast<short>(OV_NUMBER(-7.9)), -7);
    EXPECT_EQ(static_cast<unsigned short>(OV_NUMBER(65536.5 + 3)), 3);  // narrowed to 16 bits
    EXPECT_EQ(static_cast<unsigned char>(OV_NUMBER(300.7)), 44);  // 300 mod 256
    EXPECT_EQ(static_cast<char>(OV_NUMBER(65.2)), 'A');
    EXPECT_EQ(static_cast<int>(OV_NUMBER(std::nan(""))), 0);
    EXPECT_EQ(static_cast<unsigned int>(OV_NUMBER(-1)), 4294967295u);
    EXPECT_TRUE(static_cast<bool>(OV_NUMBER(0.001)));
    EXPECT_FALSE(static_cast<bool>(OV_NUMBER(0)));
    EXPECT_FALSE(static_cast<bool>(OV_NUMBER(-0.0)));
    if (OV_NUMBER(3))
        SUCCEED();
    else
        ADD_FAILURE() << "a non-zero number tests true";
    // Conversions are explicit, so a number never silently becomes an integer.
    static_assert(!std::is_convertible_v<OV_NUMBER, int>);
    static_assert(std::is_convertible_v<double, OV_NUMBER>);
}

// ------------------------------------------------------------------ OV_QWORD

TEST(QWord, StoresTheLowWordFirst) {
    const OV_QWORD q(0x11111111u, 0x22222222u);
    EXPECT_EQ(q.high, 0x11111111u);
    EXPECT_EQ(q.low, 0x22222222u);
    uint32_t words[2];
    static_assert(sizeof words == sizeof q);
    std::memcpy(words, &q, sizeof q);
    EXPECT_EQ(words[0], 0x22222222u);
    EXPECT_EQ(words[1], 0x11111111u);
}

TEST(QWord, ComparesHighWordsFirstUnsigned) {
    EXPECT_TRUE(OV_QWORD(1, 0) > OV_QWORD(0, 4294967295u));
    EXPECT_TRUE(OV_QWORD(0, 4294967295u) < OV_QWORD(1, 0));
    EXPECT_TRUE(OV_QWORD(4294967295u, 0) > OV_QWORD(1, 0));  // unsigned, not signed
    EXPECT_TRUE(OV_QWORD(2, 1) < OV_QWORD(2, 2));
    EXPECT_TRUE(OV_QWORD(2, 2) <= OV_QWORD(2, 2));
    EXPECT_TRUE(OV_QWORD(2, 2) >= OV_QWORD(2, 2));
    EXPECT_FALSE(OV_QWORD(2, 2) < OV_QWORD(2, 2));
    EXPECT_TRUE(OV_QWORD(3, 4) == OV_QWORD(3, 4));
    EXPECT_TRUE(OV_QWORD(3, 4) != OV_QWORD(4, 3));
    EXPECT_TRUE(OV_QWORD(3, 4) != OV_QWORD(3, 5));
}

TEST(QWord, BitwiseOperatorsWorkWordByWord) {
    const OV_QWORD a(0xF0F00000u, 0x0000FFFFu), b(0x0FF00000u, 0x00FF00FFu);
    EXPECT_EQ(a | b, OV_QWORD(0xFFF00000u, 0x00FFFFFFu));
    EXPECT_EQ(a & b, OV_QWORD(0x00F00000u, 0x000000FFu));
    EXPECT_EQ(a ^ b, OV_QWORD(0xFF000000u, 0x00FFFF00u));
    OV_QWORD c = a;
    (c |= b) ^= OV_QWORD(0xFFF00000u, 0);
    EXPECT_EQ(c, OV_QWORD(0, 0x00FFFFFFu));
    c &= OV_QWORD(0, 0xFF);
    EXPECT_EQ(c, OV_QWORD(0, 0xFF));
}

// ------------------------------------------------------------------ OV_VECTOR

TEST(Vector, ConstructionAndSet) {
    ExpectVector(OV_VECTOR(), 0, 0, 0, 1);
    ExpectVector(OV_VECTOR(3, 4), 3, 4, 0, 1);
    OV_VECTOR v(1, 2, 3, 4);
    ExpectVector(v, 1, 2, 3, 4);
    v.Set(5, 6, 7, 8);
    ExpectVector(v, 5, 6, 7, 8);
    static_assert(sizeof(OV_VECTOR) == 32);
    static_assert(std::is_trivially_copyable_v<OV_VECTOR>);
    static_assert(!std::is_convertible_v<double, OV_VECTOR>);
}

TEST(Vector, LengthIgnoresW) {
    EXPECT_DOUBLE_EQ(OV_VECTOR(3, 0, 4, 100).Length(), 5);
    EXPECT_DOUBLE_EQ(OV_VECTOR(0, 0, 0, 5).Length(), 0);
}

TEST(Vector, Normalized) {
    ExpectVector(OV_VECTOR(0, 0, 0, 5).Normalized(), 0, 0, 0, 1);
    ExpectVector(OV_VECTOR(3, 0, 4, 7).Normalized(), 0.6, 0, 0.8, 1);
    ExpectVector(OV_VECTOR(0, -2, 0, 0).Normalized(), 0, -1, 0, 1);
}

TEST(Vector, ArithmeticSetsWToOne) {
    ExpectVector(OV_VECTOR(1, 2, 3, 9) + OV_VECTOR(1, 1, 1, 9), 2, 3, 4, 1);
    ExpectVector(OV_VECTOR(1, 2, 3, 9) - OV_VECTOR(1, 1, 1, 9), 0, 1, 2, 1);
    ExpectVector(OV_VECTOR(1, 2, 3, 9) * OV_NUMBER(2), 2, 4, 6, 1);
    ExpectVector(OV_VECTOR(1, 2, 3, 9) * 0.5, 0.5, 1, 1.5, 1);

    OV_VECTOR position(10, 20, 0, 0);
    position += OV_VECTOR(1, 2, 3, 0);
    ExpectVector(position, 11, 22, 3, 1);
    position.w = 7;
    position -= OV_VECTOR(1, 2, 3, 0);
    ExpectVector(position, 10, 20, 0, 1);
    position.w = 7;
    position *= 2;
    ExpectVector(position, 20, 40, 0, 1);
}

TEST(Vector, EqualityUsesAllFourComponentsExactly) {
    EXPECT_TRUE(OV_VECTOR(1, 2, 3, 4) == OV_VECTOR(1, 2, 3, 4));
    EXPECT_TRUE(OV_VECTOR(1, 2, 3, 4) != OV_VECTOR(1, 2, 3, 5));
    EXPECT_TRUE(OV_VECTOR(1, 2, 3, 4) != OV_VECTOR(0, 2, 3, 4));
    EXPECT_TRUE(OV_VECTOR(0.1 + 0.2, 0) != OV_VECTOR(0.3, 0));
}

TEST(Vector, MinAndMaxAreComponentWise) {
    const OV_VECTOR a(1, 5, -3, 0), b(2, -5, -4, -1);
    ExpectVector(a.Min(b), 1, -5, -4, -1);
    ExpectVector(b.Min(a), 1, -5, -4, -1);
    ExpectVector(a.Max(b), 2, 5, -3, 0);
    ExpectVector(b.Max(a), 2, 5, -3, 0);
    ExpectVector(a.Min(a), 1, 5, -3, 0);
}

// ------------------------------------------------------------------ OV_VECTORF

TEST(VectorF, ConstructionLengthAndNormalized) {
    ExpectVectorF(OV_VECTORF(), 0, 0, 0, 1);
    ExpectVectorF(OV_VECTORF(1, 1, 1, 0.25f), 1, 1, 1, 0.25f);
    static_assert(sizeof(OV_VECTORF) == 16);
    EXPECT_FLOAT_EQ(OV_VECTORF(3, 0, 4, 7).Length(), 5);
    ExpectVectorF(OV_VECTORF(3, 0, 4, 7).Normalized(), 0.6f, 0, 0.8f, 1);
    ExpectVectorF(OV_VECTORF(0, 0, 0, 5).Normalized(), 0, 0, 0, 1);
}

TEST(VectorF, LengthIsComputedInDouble) {
    // Squared in float, 1e-30 would underflow to 0 and the vector would not
    // normalise; in double its length is 1e-30, a normal float.
    EXPECT_FLOAT_EQ(OV_VECTORF(1e-30f, 0, 0, 0).Length(), 1e-30f);
    ExpectVectorF(OV_VECTORF(1e-30f, 0, 0, 0).Normalized(), 1, 0, 0, 1);
    const float tiny = std::numeric_limits<float>::denorm_min();
    EXPECT_EQ(OV_VECTORF(tiny, 0, 0, 0).Length(), tiny);
}

TEST(VectorF, ArithmeticRoundsEachResultToFloatAndSetsWToOne) {
    ExpectVectorF(OV_VECTORF(1, 2, 3, 9) + OV_VECTORF(1, 1, 1, 9), 2, 3, 4, 1);
    ExpectVectorF(OV_VECTORF(1, 2, 3, 9) - OV_VECTORF(1, 1, 1, 9), 0, 1, 2, 1);
    // The number is rounded to float first: n = 1 + 2^-24 + 2^-26 becomes
    // 1 + 2^-23, and 3 times that rounds to 3 + 2^-21, where 3 n rounds to 3 + 2^-22.
    const double n = 1 + std::ldexp(1.0, -24) + std::ldexp(1.0, -26);
    const OV_VECTORF scaled = OV_VECTORF(3, 0, 0, 0) * OV_NUMBER(n);
    EXPECT_EQ(scaled.x, 3 + std::ldexp(1.0f, -21));
    EXPECT_NE(scaled.x, float(3 * n));
    EXPECT_EQ(scaled.w, 1.0f);
    OV_VECTORF v(1, 1, 1, 0);
    v += OV_VECTORF(1, 0, 0, 0);
    ExpectVectorF(v, 2, 1, 1, 1);
    v *= 3;
    ExpectVectorF(v, 6, 3, 3, 1);
    v -= OV_VECTORF(6, 3, 3, 0);
    ExpectVectorF(v, 0, 0, 0, 1);
}

// ------------------------------------------------------------------ OV_ANGLES

TEST(Angles, LayoutIsFourConsecutiveDoubles) {
    static_assert(sizeof(OV_ANGLES) == 32);
    static_assert(std::is_trivially_copyable_v<OV_ANGLES>);
    const OV_ANGLES a(1, 2, 3, 4);
    double raw[4];
    std::memcpy(raw, &a, sizeof raw);
    EXPECT_EQ(raw[0], 1);
    EXPECT_EQ(raw[1], 2);
    EXPECT_EQ(raw[2], 3);
    EXPECT_EQ(raw[3], 4);
    EXPECT_EQ(OV_ANGLES(), OV_ANGLES(0, 0, 0, 0));
}

TEST(Angles, WrapUsesTheFloatingRemainder) {
    EXPECT_EQ(OV_ANGLES(370, 0, 0, 0).Wrap(360, 360, 360, 360), OV_ANGLES(10, 0, 0, 0));
    EXPECT_EQ(OV_ANGLES(-30, 0, 0, 0).Wrap(360, 360, 360, 360), OV_ANGLES(-30, 0, 0, 0));
    // A remainder rounded to the nearest quotient would give (170, -10, -10, -180).
    EXPECT_EQ(OV_ANGLES(-190, 1070, 350, 540).Wrap(360, 360, 360, 360), OV_ANGLES(-190, 350, 350, 180));
    EXPECT_EQ(OV_ANGLES(7, 7, 7, 7).Wrap(360, 5, 2, 7), OV_ANGLES(7, 2, 1, 0));
    OV_ANGLES byZero(370, 1, 2, 3);
    byZero.Wrap(0, 0, 0, 0);
    EXPECT_TRUE(std::isnan(byZero.x));
    EXPECT_TRUE(std::isnan(byZero.w));
}

TEST(Angles, ArithmeticActsOnAllFourComponents) {
    const OV_ANGLES a(10, 20, 30, 40), b(1, 2, 3, 4);
    EXPECT_EQ(a + b, OV_ANGLES(11, 22, 33, 44));
    EXPECT_EQ(a - b, OV_ANGLES(9, 18, 27, 36));
    EXPECT_EQ(a * b, OV_ANGLES(10, 40, 90, 160));
    EXPECT_EQ(a / b, OV_ANGLES(10, 10, 10, 10));
    OV_ANGLES c = a;
    c += b;
    EXPECT_EQ(c, OV_ANGLES(11, 22, 33, 44));
    c -= b;
    c *= b;
    EXPECT_EQ(c, OV_ANGLES(10, 40, 90, 160));
    c /= b;
    EXPECT_EQ(c, a);
}

TEST(Angles, DivisionLeavesWZeroWhenTheDivisorsWIsZero) {
    EXPECT_EQ(OV_ANGLES(10, 10, 10, 10) / OV_ANGLES(2, 2, 2, 0), OV_ANGLES(5, 5, 5, 0));
    const OV_ANGLES byZero = OV_ANGLES(1, -1, 0, 10) / OV_ANGLES(0, 0, 0, 0);
    EXPECT_EQ(byZero.x, std::numeric_limits<double>::infinity());
    EXPECT_EQ(byZero.y, -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(byZero.z));
    EXPECT_EQ(byZero.w, 0);
}
