#include "ovcore/world/Actor2D.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace OvCore;

namespace {

struct RadiusCase {
    const char* where;
    int originX, originY;
    double radius;  // to the corner farthest from the origin
};

// A 20 x 10 sprite; the rectangle is (0, 0, 100, 100).
class DrawIfVisibleTest : public ::testing::TestWithParam<RadiusCase> {
protected:
    static bool DrawnAt(const RadiusCase& c, double x, double y) {
        OV_ACTOR2D actor;
        actor.sprite.SetGeometry(20, 10, c.originX, c.originY, -1, -1, 0, 0);
        actor.position = OV_VECTOR(x, y);
        return actor.DrawIfVisible(0, 0, 100, 100, true);
    }
};

TEST_P(DrawIfVisibleTest, DrawsJustInsideEachEdgeAndNotJustOutside) {
    const RadiusCase& c = GetParam();
    const double r = c.radius, in = 0.01;
    EXPECT_TRUE(DrawnAt(c, -r + in, 50));
    EXPECT_FALSE(DrawnAt(c, -r - in, 50));
    EXPECT_TRUE(DrawnAt(c, 100 + r - in, 50));
    EXPECT_FALSE(DrawnAt(c, 100 + r + in, 50));
    EXPECT_TRUE(DrawnAt(c, 50, -r + in));
    EXPECT_FALSE(DrawnAt(c, 50, -r - in));
    EXPECT_TRUE(DrawnAt(c, 50, 100 + r - in));
    EXPECT_FALSE(DrawnAt(c, 50, 100 + r + in));
}

INSTANTIATE_TEST_SUITE_P(OriginQuadrants, DrawIfVisibleTest,
                         ::testing::Values(RadiusCase{"LeftAbove", 3, 1, std::sqrt(17.0 * 17 + 9 * 9)},
                                           RadiusCase{"RightAbove", 16, 1, std::sqrt(16.0 * 16 + 9 * 9)},
                                           RadiusCase{"RightBelow", 16, 8, std::sqrt(16.0 * 16 + 8 * 8)},
                                           RadiusCase{"LeftBelow", 3, 8, std::sqrt(17.0 * 17 + 8 * 8)},
                                           RadiusCase{"Centre", 10, 5, std::sqrt(10.0 * 10 + 5 * 5)},
                                           // On one centre line the farthest corner still counts, not (0, 0).
                                           RadiusCase{"LeftEdgeMiddle", 0, 5, std::sqrt(20.0 * 20 + 5 * 5)},
                                           RadiusCase{"TopEdgeMiddle", 10, 0, std::sqrt(10.0 * 10 + 10 * 10)},
                                           RadiusCase{"OutsideTheImage", -5, 30, std::sqrt(25.0 * 25 + 30 * 30)}),
                         [](const ::testing::TestParamInfo<RadiusCase>& info) {
                             return std::string(info.param.where);
                         });

TEST(Actor2DTest, AWideSpriteHungFromItsLeftEdgeIsDrawnWhilePartlyInView) {
    OV_ACTOR2D actor;
    actor.sprite.SetGeometry(100, 10, 0, 5, -1, -1, 0, 0);
    actor.position = OV_VECTOR(-50, 50);  // its right half is inside
    EXPECT_TRUE(actor.DrawIfVisible(0, 0, 100, 100, true));
}

}  // namespace
