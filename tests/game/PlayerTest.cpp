#include "GameTestSupport.h"

#include "game/Ball.h"
#include "game/Gib.h"
#include "game/Player.h"
#include "game/Wall.h"

#include <cstdlib>
#include <vector>

namespace {

using OvCore::OV_VECTOR;
using OvCore::Player;

// A floor whose top is at y = 320 across the first 800 pixels; a player
// standing on it touches it with the bottom of its box.
class PlayerTest : public OvTest::GameWorldTest {
protected:
    void SetUp() override {
        GameWorldTest::SetUp();
        Fill(0, 320, 800, 336);
    }

    static std::vector<OvCore::BouncingActor*> Live(OvCore::OV_WORLD& world, const char* className) {
        std::vector<OvCore::BouncingActor*> found;
        for (auto it = world.actors.Begin(); !it.IsEnd(); it.Next())
            if (std::string(it.Key()->name) == className)
                found.push_back(static_cast<OvCore::BouncingActor*>(*it.Value()));
        return found;
    }
};

TEST_F(PlayerTest, StandingStillTakesNoSubstepsAndStaysPut) {
    Player player(OV_VECTOR(100, 304));
    EXPECT_STREQ(player.name, "Player");
    EXPECT_EQ(player.previousPosition, OV_VECTOR(100, 304));
    EXPECT_EQ(player.velocity, OV_VECTOR(0, 0));
    for (int frame = 0; frame < 10; ++frame) player.OnUpdate(0);
    EXPECT_EQ(player.position, OV_VECTOR(100, 304));
    EXPECT_EQ(player.velocity, OV_VECTOR(0, 0));
}

TEST_F(PlayerTest, HoldingGJumpsFromTheFloorOnlyWhenNotRising) {
    OvCore::SetKeyHeld('G', 1);
    Player rising(OV_VECTOR(100, 304));
    rising.velocity.y = -1;
    rising.OnUpdate(0);
    EXPECT_DOUBLE_EQ(rising.velocity.y, -1);
    EXPECT_TRUE(OvTest::PlayedSounds().empty());

    Player player(OV_VECTOR(100, 304));
    player.OnUpdate(0);
    EXPECT_DOUBLE_EQ(player.velocity.y, -250);
    EXPECT_LT(player.position.y, 304);
    EXPECT_EQ(OvTest::PlayedSounds(), std::vector<std::string>{"jump1"});
    // In the air, holding on only lets gravity act.
    player.OnUpdate(0);
    EXPECT_DOUBLE_EQ(player.velocity.y, -250 + 700.0 * kFrame);
    EXPECT_EQ(OvTest::PlayedSounds().size(), 1u);
}

TEST_F(PlayerTest, PressingGWhileRisingPastALedgeOnThePushedSideBoosts) {
    // A cell at x 96..112, y 208..224: beside the feet on the right, nothing
    // above the head.
    Fill(96, 208, 112, 224);
    OvCore::SetKeyPressed('G', 1);
    Player straight(OV_VECTOR(91, 200));
    straight.velocity.y = -100;
    straight.OnUpdate(0);
    EXPECT_DOUBLE_EQ(straight.velocity.y, -100 + 700.0 * kFrame);
    EXPECT_TRUE(OvTest::PlayedSounds().empty());

    OvCore::SetKeyHeld('D', 1);
    Player pushing(OV_VECTOR(91, 200));
    pushing.velocity.y = -100;
    pushing.OnUpdate(0);
    EXPECT_DOUBLE_EQ(pushing.velocity.y, -100 + 700.0 * kFrame - 225);
    EXPECT_EQ(OvTest::PlayedSounds(), std::vector<std::string>{"jump1"});
}

TEST_F(PlayerTest, RunningIsCappedDampedAndStoppedByWalls) {
    Fill(320, 0, 336, 320);
    Player player(OV_VECTOR(200, 304));
    OvCore::SetKeyHeld('D', 1);
    double fastest = 0;
    for (int frame = 0; frame < 120; ++frame) {
        player.OnUpdate(0);
        fastest = std::max(fastest, player.velocity.x);
    }
    EXPECT_LT(fastest, 180 + 1700.0 * kFrame);
    EXPECT_GT(fastest, 180);
    EXPECT_LT(player.position.x + 4, 320);
    EXPECT_GT(player.position.x, 310);
    EXPECT_DOUBLE_EQ(player.position.y, 304);

    OvCore::SetKeyHeld('D', 0);
    player.velocity.x = -100;
    player.OnUpdate(0);
    EXPECT_DOUBLE_EQ(player.velocity.x, -65);
}

TEST_F(PlayerTest, FThrowsSixBallsThatCountAfterTheSameFrameStepAndMoveInTheNext) {
    Player* player = AddLive("Player", new Player(OV_VECTOR(100, 304)));
    std::srand(1234);
    std::vector<OV_VECTOR> expected;
    for (int i = 0; i < 6; ++i) {
        const double r1 = (std::rand() % 1000) / 1000.0 * 160;
        const double r2 = (std::rand() % 1000) / 1000.0 * 160;
        expected.emplace_back(-80 + r2, -50 + r1);
    }
    std::srand(1234);
    OvCore::SetKeyPressed('F', 1);
    world.FrameStep();
    EXPECT_EQ(world.CountActors("Ball"), 6u);
    EXPECT_EQ(world.pendingActors.Count(), 0u);
    const auto balls = Live(world, "Ball");
    ASSERT_EQ(balls.size(), 6u);
    for (size_t i = 0; i < balls.size(); ++i) {
        EXPECT_EQ(balls[i]->velocity, expected[i]) << i;
        EXPECT_EQ(balls[i]->position, player->position) << i;
    }
    OvCore::ResetInput(false);
    world.FrameStep();
    EXPECT_EQ(world.CountActors("Ball"), 6u);
    EXPECT_NE(balls[0]->position, player->position);
}

TEST_F(PlayerTest, HDropsOneGibAtThreeTimesThePlayersVelocity) {
    Player* player = AddLive("Player", new Player(OV_VECTOR(100, 304)));
    player->velocity.x = 50;
    OvCore::SetKeyPressed('H', 1);
    world.FrameStep();
    const auto gibs = Live(world, "Gib");
    ASSERT_EQ(gibs.size(), 1u);
    EXPECT_STREQ(gibs[0]->name, "Gib");
    EXPECT_EQ(gibs[0]->velocity, OV_VECTOR(50 * 0.65 * 3, 0));
    EXPECT_EQ(world.CountActors("Ball"), 0u);
}

TEST(WallTest, SnapsToTheCellGridAndDrawsSmall) {
    const OvCore::Wall wall(OV_VECTOR(37.5, -5, 2, 1));
    EXPECT_STREQ(wall.name, "Wall");
    EXPECT_EQ(wall.position, OV_VECTOR(32, -16, 2, 1));
    EXPECT_EQ(wall.scale, OV_VECTOR(0.325, 0.325, 1, 1));
}

}  // namespace
