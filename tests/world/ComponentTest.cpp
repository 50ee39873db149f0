// The component kinds: their defaults and one update of each, with the
// exact figures their rules give.
#include "ovcore/world/com/Character.h"
#include "ovcore/world/com/Plant.h"
#include "ovcore/world/com/Static.h"

#include <gtest/gtest.h>

using OvCore::Com::C_CHARACTER;
using OvCore::Com::C_PLANT;
using OvCore::Com::C_STATIC;

TEST(Components, KindsAndDefaults) {
    C_STATIC decoration;
    C_PLANT plant;
    C_CHARACTER character;
    EXPECT_STREQ(decoration.typeName.Get(), "STATIC");
    EXPECT_STREQ(plant.typeName.Get(), "PLANT");
    EXPECT_STREQ(character.typeName.Get(), "CHARACTER");
    EXPECT_EQ(plant.direction, 90);
    EXPECT_EQ(plant.maxSpeed, 10);
    EXPECT_EQ(character.gravity, 60);
    EXPECT_EQ(character.maxFallSpeed, 120);
    EXPECT_EQ(character.gauge4, 10);
}

TEST(Components, CharacterFallsSixtyInItsSecondSecondAndNeverBeyondItsCap) {
    C_CHARACTER character;
    character.Update(1.0f);
    EXPECT_EQ(character.position.y, 0.0) << "the first update moves with the speed of before";
    EXPECT_EQ(character.fallSpeed, 60);
    character.Update(1.0f);
    EXPECT_NEAR(character.position.x, 0.0, 1e-9);
    EXPECT_NEAR(character.position.y, 60.0, 1e-9);
    for (int second = 0; second < 5; ++second) {
        const double before = character.position.y;
        character.Update(1.0f);
        EXPECT_LE(character.fallSpeed, 120.0f);
        EXPECT_LE(character.position.y - before, 120.0 + 1e-9);
    }
    EXPECT_EQ(character.fallSpeed, 120.0f);
}

TEST(Components, CharacterWalksBackwardsWhenFrictionBeatsAccelerationAndGaugesMove) {
    C_CHARACTER character;
    character.gravity = 0;
    character.friction = 3;
    character.acceleration = 1;
    character.gauge5Rate = 2;
    character.gaugeRate = -10;
    character.Update(1.0f);
    EXPECT_EQ(character.speed, -2.0f) << "speed is not clamped at 0";
    character.Update(0.5f);
    EXPECT_NEAR(character.position.x, -1.0, 1e-9);
    EXPECT_EQ(character.gauge5, 3.0f);
    EXPECT_EQ(character.gauge, 85.0f);
}

TEST(Components, PlantSpeedIsCappedFromAboveAndFromBelow) {
    C_PLANT plant;
    plant.acceleration = 5;
    for (int second = 0; second < 4; ++second) plant.Update(1.0f);
    EXPECT_EQ(plant.speed, 10.0f);
    EXPECT_NEAR(plant.position.y, 0 + 5 + 10 + 10, 1e-9) << "drifts down with the speed of before";

    C_PLANT sinking;
    sinking.acceleration = -5;
    sinking.maxSpeed = -10;
    for (int second = 0; second < 4; ++second) sinking.Update(1.0f);
    EXPECT_EQ(sinking.speed, -10.0f);

    C_PLANT uncapped;
    uncapped.acceleration = 5;
    uncapped.maxSpeed = 0;
    for (int second = 0; second < 4; ++second) uncapped.Update(1.0f);
    EXPECT_EQ(uncapped.speed, 20.0f);
}

TEST(Components, StaticAnimatesByItsSpeedAndKeepsItsGauge) {
    C_STATIC decoration;
    for (uint32_t word = 1; word <= 3; ++word) decoration.sprite.AddFrame(OvHandle{0, word});
    decoration.sprite.SetFrame(0);
    decoration.animationSpeed = 4;
    decoration.Update(0.5f);
    EXPECT_EQ(decoration.sprite.current, 2);
    EXPECT_EQ(decoration.gauge, 100.0f);
}
