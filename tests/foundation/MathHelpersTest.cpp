#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>

#include "ovcore/foundation/BitArray.h"
#include "ovcore/foundation/MathHelpers.h"
#include "ovcore/foundation/Timer.h"

using namespace OvCore;

TEST(MathHelpers, DegreesAndRadians) {
    EXPECT_EQ(DegToRad(180.0), 3.141592653589793);
    EXPECT_EQ(DegToRad(90.0), 3.141592653589793 / 2);
    EXPECT_EQ(RadToDeg(3.141592653589793), 180.0);
    EXPECT_DOUBLE_EQ(RadToDeg(DegToRad(37.5)), 37.5);
    // The float overloads use pi rounded to float: 3.14159274... against 3.14159265...
    EXPECT_EQ(DegToRad(180.0f), 3.1415927410125732f);
    EXPECT_NE(double(DegToRad(180.0f)), DegToRad(180.0));
    EXPECT_NEAR(double(DegToRad(180.0f)), DegToRad(180.0), 1e-7);
    EXPECT_EQ(RadToDeg(3.1415927410125732f), 180.0f);
    // At 10 degrees the two values of pi round to different floats.
    EXPECT_EQ(DegToRad(10.0f), 0.1745329350233078f);
    EXPECT_NE(DegToRad(10.0f), float(DegToRad(10.0)));
    EXPECT_EQ(RadToDeg(1.0f), float(180 / 3.1415927410125732));
    EXPECT_NE(RadToDeg(1.0f), float(RadToDeg(1.0)));
}

TEST(MathHelpers, RandomStaysOnItsGridBelowMax) {
    for (int i = 0; i < 5000; ++i) {
        const double r = Random(10, false);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 10);
        const double steps = r / 0.01;
        ASSERT_NEAR(steps, std::round(steps), 1e-6) << r;
    }
    EXPECT_EQ(Random(0, false), 0);
    EXPECT_EQ(Random(0, true), 0);
}

TEST(MathHelpers, RandomIsRandModuloAThousand) {
    std::srand(1234);
    const int expected[3] = {std::rand() % 1000, std::rand() % 1000, std::rand() % 1000};
    std::srand(1234);
    for (int r : expected) EXPECT_EQ(Random(1000, false), double(r));
    std::srand(1234);
    EXPECT_EQ(Random(-2, false), expected[0] / 1000.0 * -2);
}

TEST(MathHelpers, RandomReseedsFromTheTruncatedTimer) {
    SetTimerClock([] { return 42.9; });
    const double first = Random(1, true);
    std::srand(42);
    EXPECT_EQ(first, (std::rand() % 1000) / 1000.0);
    SetTimerClock([] { return 42.1; });
    EXPECT_EQ(Random(1, true), first);  // the same whole second, the same seed
    SetTimerClock(nullptr);
}

TEST(MathHelpers, RandomCoversItsRange) {
    std::set<double> seen;
    for (int i = 0; i < 20000; ++i) seen.insert(Random(1, false));
    EXPECT_GT(seen.size(), 900u);
    EXPECT_LE(seen.size(), 1000u);
}

TEST(MathHelpers, LerpClampsT) {
    EXPECT_EQ(Lerp(2, 4, 1.5), 4);
    EXPECT_EQ(Lerp(2, 4, -1), 2);
    EXPECT_EQ(Lerp(2, 4, 0.25), 2.5);
    EXPECT_EQ(Lerp(2, 4, 0), 2);
    EXPECT_EQ(Lerp(2, 4, 1), 4);
    EXPECT_EQ(Lerp(4, 2, 0.25), 3.5);
}

TEST(MathHelpers, PointInBoxIncludesTheBorderInEitherCornerOrder) {
    const OV_VECTOR a(0, 0), b(10, 5);
    EXPECT_TRUE(PointInBox(OV_VECTOR(5, 2), a, b));
    EXPECT_TRUE(PointInBox(OV_VECTOR(5, 2), b, a));
    EXPECT_TRUE(PointInBox(OV_VECTOR(10, 0), a, b));
    EXPECT_TRUE(PointInBox(OV_VECTOR(0, 5), OV_VECTOR(0, 5), OV_VECTOR(10, 0)));
    EXPECT_FALSE(PointInBox(OV_VECTOR(10.001, 2), a, b));
    EXPECT_FALSE(PointInBox(OV_VECTOR(5, -0.001), a, b));
    EXPECT_TRUE(PointInBox(OV_VECTOR(5, 2, 99, -3), a, b));  // z and w do not matter
}

TEST(MathHelpers, TruncateToInt64) {
    EXPECT_EQ(TruncateToInt64(2.9), 2);
    EXPECT_EQ(TruncateToInt64(-2.9), -2);
    EXPECT_EQ(TruncateToInt64(std::nan("")), 0);
    EXPECT_EQ(TruncateToInt64(1e300), INT64_MAX);
    EXPECT_EQ(TruncateToInt64(-1e300), INT64_MIN);
    EXPECT_EQ(TruncateToInt64(std::numeric_limits<double>::infinity()), INT64_MAX);
    EXPECT_EQ(TruncateToInt64(-9223372036854775808.0), INT64_MIN);
}

TEST(BitArray, BitsAreLeastSignificantFirst) {
    unsigned char buffer[4] = {};
    BitSet(buffer, 9);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0x02);
    BitSet(buffer, 31);
    EXPECT_EQ(buffer[3], 0x80);
    BitSet(buffer, 0);
    EXPECT_EQ(buffer[0], 0x01);
    BitClear(buffer, 9);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(buffer[3], 0x80);
    BitClear(buffer, 9);  // clearing a clear bit changes nothing
    EXPECT_EQ(buffer[1], 0);
}

TEST(BitArray, TestGivesExactlyTrueOrFalse) {
    unsigned char buffer[2] = {0x80, 0x00};
    const bool set = BitTest(buffer, 7);
    EXPECT_EQ(set, true);
    EXPECT_EQ(static_cast<int>(set), 1);  // not the mask 0x80
    EXPECT_FALSE(BitTest(buffer, 6));
    EXPECT_FALSE(BitTest(buffer, 8));
    int word = 0;  // any buffer works
    BitSet(&word, 12);
    EXPECT_TRUE(BitTest(&word, 12));
}
