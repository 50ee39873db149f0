#include "ovcore/foundation/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace OvCore;

TEST(Geometry, LengthdirGivesTheDisplacementAlongTheAngle) {
    const OV_VECTOR right = Lengthdir(OV_ANGLES(0, 0, 0, 0), 5);
    EXPECT_EQ(right, OV_VECTOR(5, 0, 0, 1));
    const OV_VECTOR down = Lengthdir(OV_ANGLES(90, 0, 0, 123), 10);  // w is replaced by the length
    EXPECT_NEAR(down.x, 0, 1e-12);
    EXPECT_DOUBLE_EQ(down.y, 10);
    EXPECT_EQ(down.z, 0);
    EXPECT_EQ(down.w, 1);
    const OV_VECTOR diagonal = Lengthdir(OV_ANGLES(-45, 0, 0, 0), 2);
    EXPECT_DOUBLE_EQ(diagonal.x, std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(diagonal.y, -std::sqrt(2.0));
}

TEST(Geometry, MovingAlongAnAngleAddsLengthdir) {
    OV_VECTOR position(10, 10, 0, 1);
    const double speed = 120, delta = 0.5;
    position += Lengthdir(OV_ANGLES(180, 0, 0, 0), speed * delta);
    EXPECT_NEAR(position.x, -50, 1e-12);
    EXPECT_NEAR(position.y, 10, 1e-12);
    EXPECT_EQ(position.w, 1);
}

TEST(Geometry, DirectionGivesTheAngleOfTheLine) {
    const OV_ANGLES down = Direction(OV_VECTOR(1, 1), OV_VECTOR(1, 5));
    EXPECT_EQ(down, OV_ANGLES(90, 0, 0, 0));
    EXPECT_DOUBLE_EQ(Direction(OV_VECTOR(0, 0), OV_VECTOR(-3, 0)).x, 180);
    EXPECT_DOUBLE_EQ(Direction(OV_VECTOR(2, 2), OV_VECTOR(3, 1)).x, -45);
    EXPECT_EQ(Direction(OV_VECTOR(2, 2), OV_VECTOR(2, 2)).x, 0);
}

TEST(Geometry, DirectionInvertsLengthdir) {
    const OV_VECTOR from(-7, 3);
    for (double angle = -179; angle <= 180; angle += 17) {
        const OV_VECTOR to = from + Lengthdir(OV_ANGLES(angle, 0, 0, 0), 25);
        EXPECT_NEAR(Direction(from, to).x, angle, 1e-9) << angle;
    }
}

TEST(Geometry, AnglesFromAVectorAreItsDirectionFromTheOrigin) {
    EXPECT_DOUBLE_EQ(OV_ANGLES(OV_VECTOR(0, -4)).x, -90);
    EXPECT_EQ(OV_ANGLES(OV_VECTOR(3, 3, 9, 9)), OV_ANGLES(45, 0, 0, 0));
    OV_ANGLES a(1, 2, 3, 4);
    a.Set(OV_VECTOR(-1, 0));
    EXPECT_EQ(a, OV_ANGLES(180, 0, 0, 0));
}
