#include <gtest/gtest.h>

#include <cmath>

#include "ovcore/engine/OrvoCore.h"

TEST(EngineGeometry, LengthdirWritesTheWholeResult) {
    OvFour result{9, 9, 9, 9};
    OvLengthdir(OvFour{0, 7, 7, 5}, &result);  // y and z of the angles do not matter
    EXPECT_EQ(result.x, 5);
    EXPECT_EQ(result.y, 0);
    EXPECT_EQ(result.z, 0);
    EXPECT_EQ(result.w, 1);
}

TEST(EngineGeometry, NinetyDegreesPointsDownTheScreen) {
    OvFour result{};
    OvLengthdir(OvFour{90, 0, 0, 3}, &result);
    EXPECT_NEAR(result.x, 0, 1e-15);
    EXPECT_DOUBLE_EQ(result.y, 3);
    OvLengthdir(OvFour{270, 0, 0, 3}, &result);
    EXPECT_NEAR(result.x, 0, 1e-15);
    EXPECT_DOUBLE_EQ(result.y, -3);
    OvLengthdir(OvFour{60, 0, 0, -2}, &result);  // a negative length points backwards
    EXPECT_DOUBLE_EQ(result.x, -1);
    EXPECT_DOUBLE_EQ(result.y, -std::sqrt(3.0));
}

TEST(EngineGeometry, DirectionWritesOnlyX) {
    OvFour result{0, 11, 12, 13};
    OvDirection(OvFour{1, 1, 0, 1}, OvFour{1, 4, 0, 1}, &result);
    EXPECT_DOUBLE_EQ(result.x, 90);
    EXPECT_EQ(result.y, 11);
    EXPECT_EQ(result.z, 12);
    EXPECT_EQ(result.w, 13);
}

TEST(EngineGeometry, DirectionCoversTheFullTurn) {
    OvFour result{};
    const OvFour origin{0, 0, 0, 1};
    OvDirection(origin, OvFour{1, 0, 0, 1}, &result);
    EXPECT_EQ(result.x, 0);
    OvDirection(origin, OvFour{-1, 0, 0, 1}, &result);
    EXPECT_DOUBLE_EQ(result.x, 180);
    OvDirection(origin, OvFour{0, -1, 0, 1}, &result);
    EXPECT_DOUBLE_EQ(result.x, -90);
    OvDirection(origin, OvFour{-1, 1, 0, 1}, &result);
    EXPECT_DOUBLE_EQ(result.x, 135);
    OvDirection(origin, origin, &result);
    EXPECT_EQ(result.x, 0);
}

TEST(EngineGeometry, TheTwoAgreeOnSenseAndZero) {
    for (double angle = -180 + 7.5; angle <= 180; angle += 15) {
        OvFour offset{};
        OvLengthdir(OvFour{angle, 0, 0, 10}, &offset);
        OvFour result{};
        OvDirection(OvFour{0, 0, 0, 1}, offset, &result);
        EXPECT_NEAR(result.x, angle, 1e-9) << angle;
    }
}

TEST(EngineGeometry, NullResultIsIgnored) {
    OvLengthdir(OvFour{1, 2, 3, 4}, nullptr);
    OvDirection(OvFour{}, OvFour{1, 1, 0, 0}, nullptr);
    SUCCEED();
}
