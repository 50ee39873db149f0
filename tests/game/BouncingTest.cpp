#include "GameTestSupport.h"

#include "game/Ball.h"
#include "game/Gib.h"

#include <cmath>
#include <limits>

namespace {

using OvCore::Ball;
using OvCore::Gib;
using OvCore::OV_VECTOR;

// A wall whose left face is at x = 320, from y = 0 to 496; a floor whose top
// is at y = 208 to the left of it.
class BouncingTest : public OvTest::GameWorldTest {
protected:
    static constexpr double kWallFace = 320;
    static constexpr double kFloorTop = 208;

    void BuildWall() { Fill(320, 0, 336, 496); }
    void BuildFloor() { Fill(0, 208, 320, 224); }

    // Updates until the object turns back (at most a second); the frames it took.
    template <class T>
    static int UpdateUntilTurned(T& object) {
        for (int frame = 1; frame <= 60; ++frame) {
            object.OnUpdate(0);
            if (object.velocity.x < 0) return frame;
        }
        return -1;
    }
};

TEST_F(BouncingTest, ABallKeepsHalfItsSpeedOffAWall) {
    BuildWall();
    Ball ball(OV_VECTOR(314.5, 200), OV_VECTOR(200, 0));
    EXPECT_STREQ(ball.name, "Ball");
    EXPECT_GT(UpdateUntilTurned(ball), 0);
    EXPECT_DOUBLE_EQ(ball.velocity.x, -100);
    EXPECT_LT(ball.position.x + 3, kWallFace);
    // Moving away, it does not bounce again.
    ball.OnUpdate(0);
    EXPECT_DOUBLE_EQ(ball.velocity.x, -100);
}

TEST_F(BouncingTest, ABallFallingOnTheFloorBouncesUpAtHalfItsSpeed) {
    BuildFloor();
    Ball ball(OV_VECTOR(100, 200), OV_VECTOR(0, 300));
    ball.OnUpdate(0);
    const float dt = kFrame;
    EXPECT_DOUBLE_EQ(ball.velocity.y, -(300 + 700.0 * dt) * 0.5);
    EXPECT_LT(ball.position.y + 3, kFloorTop);
    EXPECT_EQ(ball.previousPosition, OV_VECTOR(100, 200));
}

TEST_F(BouncingTest, AHardGibImpactPlaysOneGibSoundAndASoftOneIsSilent) {
    BuildWall();
    Gib hard(OV_VECTOR(311, 200), OV_VECTOR(400, 0));
    EXPECT_STREQ(hard.name, "Gib");
    EXPECT_GT(UpdateUntilTurned(hard), 0);
    EXPECT_DOUBLE_EQ(hard.velocity.x, -120);
    ASSERT_EQ(OvTest::PlayedSounds().size(), 1u);
    const std::string played = OvTest::PlayedSounds()[0];
    EXPECT_TRUE(played == "gib1" || played == "gib2" || played == "gib3" || played == "gib4") << played;

    OvTest::PlayedSounds().clear();
    Gib soft(OV_VECTOR(311, 200), OV_VECTOR(250, 0));
    EXPECT_GT(UpdateUntilTurned(soft), 0);
    EXPECT_DOUBLE_EQ(soft.velocity.x, -75);
    EXPECT_TRUE(OvTest::PlayedSounds().empty());
}

TEST_F(BouncingTest, OnTheGroundABallRollsToAStop) {
    BuildFloor();
    Ball ball(OV_VECTOR(100, 204), OV_VECTOR(30, 0));
    for (int frame = 0; frame < 30; ++frame) ball.OnUpdate(0);
    EXPECT_EQ(ball.velocity.x, 0);
    EXPECT_EQ(ball.velocity.y, 0);
    EXPECT_GT(ball.position.x, 100);
    EXPECT_FALSE(OvCore::IsSolid(ball.position.x, ball.position.y));
}

TEST_F(BouncingTest, OnlyRestCountsAndTheBallIsRemovedWhenRestReaches100) {
    BuildFloor();
    OvCore::LoopState().delta = 0.1f;
    Ball* flying = AddLive("Ball", new Ball(OV_VECTOR(500, 100), OV_VECTOR(0, -50)));
    Ball* resting = AddLive("Ball", new Ball(OV_VECTOR(100, 204), OV_VECTOR(0, 0)));
    for (int frame = 0; frame < 60; ++frame) world.FrameStep();
    EXPECT_FLOAT_EQ(flying->restTimer, -100.0f);
    ASSERT_TRUE(IsLive(resting));
    EXPECT_NEAR(resting->restTimer, -100 + 60 * 3.3, 1e-2);
    EXPECT_EQ(resting->position, OV_VECTOR(100, 204));
    world.FrameStep();
    EXPECT_FALSE(IsLive(resting));
    EXPECT_EQ(world.CountActors("Ball"), 1u);
}

TEST_F(BouncingTest, ASpeedThatIsNotANumberMovesNothingAndCountsAsRest) {
    Ball ball(OV_VECTOR(100, 100), OV_VECTOR(std::numeric_limits<double>::infinity(), 0));
    ball.OnUpdate(0);
    EXPECT_EQ(ball.position, OV_VECTOR(100, 100));
    EXPECT_GT(ball.restTimer, -100.0f);
}

}  // namespace
