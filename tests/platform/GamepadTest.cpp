// Game controllers plugged in, used and unplugged while the message queue is
// pumped, with SDL's virtual pads standing in for hardware.
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/Gamepad.h"
#include "TestWindow.h"
#include "VirtualPad.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

PlatformPadState Take(int slot) {
    PlatformPadState state{};
    EXPECT_TRUE(PlatformPadTake(slot, &state));
    return state;
}

class GamepadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(PlatformPadsStart());
        Pump();
        for (int slot = 0; slot < PLATFORM_PADS; ++slot) {
            ASSERT_FALSE(Take(slot).connected) << "a pad of an earlier test is still plugged in";
        }
    }
    static void Pump() { DrainMessages(); }
};

}  // namespace

TEST_F(GamepadTest, PadsTakeTheLowestFreeSlotAndKeepItUntilUnplugged) {
    auto first = std::make_unique<VirtualPad>("Pad \xC3\xA9 \xE2\x82\xAC one");  // e-acute, euro sign
    Pump();
    VirtualPad second("Second pad");
    Pump();
    PlatformPadState state = Take(0);
    EXPECT_TRUE(state.connected);
    EXPECT_TRUE(state.joined);
    EXPECT_FALSE(state.left);
    EXPECT_STREQ(PlatformPadName(0), "Pad \xE9  one") << "Latin-1; the euro sign has none";
    EXPECT_STREQ(PlatformPadName(1), "Second pad");
    EXPECT_FALSE(Take(0).joined) << "joined holds until the next take only";

    first.reset();
    Pump();
    state = Take(0);
    EXPECT_FALSE(state.connected);
    EXPECT_TRUE(state.left);
    EXPECT_STREQ(PlatformPadName(0), "");
    EXPECT_TRUE(Take(1).connected) << "the second pad keeps its slot";

    VirtualPad third("Third pad");
    Pump();
    EXPECT_TRUE(Take(0).joined);
    EXPECT_STREQ(PlatformPadName(0), "Third pad");
}

TEST_F(GamepadTest, PressesAndReleasesBetweenTakesAreAllSeenAndUnpluggingLetsGo) {
    auto pad = std::make_unique<VirtualPad>("Buttons");
    Pump();
    Take(0);
    pad->Button(SDL_CONTROLLER_BUTTON_A, true);
    Pump();
    pad->Button(SDL_CONTROLLER_BUTTON_A, false);
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    pad->Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    Pump();
    PlatformPadState state = Take(0);
    EXPECT_EQ(state.pressed, (1u << PAD_A) | (1u << PAD_RIGHT));
    EXPECT_EQ(state.released, 1u << PAD_A);
    EXPECT_EQ(state.held, 1u << PAD_RIGHT);
    EXPECT_EQ(state.axes[PAD_LEFT_X], -32768);
    EXPECT_EQ(state.axes[PAD_RIGHT_TRIGGER], 32767);
    EXPECT_EQ(state.axes[PAD_LEFT_Y], 0);

    state = Take(0);
    EXPECT_EQ(state.pressed, 0u);
    EXPECT_EQ(state.released, 0u);
    EXPECT_EQ(state.held, 1u << PAD_RIGHT) << "held until it goes up";

    pad.reset();
    Pump();
    state = Take(0);
    EXPECT_EQ(state.held, 0u);
    EXPECT_EQ(state.released & (1u << PAD_RIGHT), 1u << PAD_RIGHT) << "a button held when the pad left is let go";
    EXPECT_EQ(state.axes[PAD_LEFT_X], 0);
    EXPECT_EQ(state.axes[PAD_RIGHT_TRIGGER], 0);
}

TEST_F(GamepadTest, APadPluggedInWhileEverySlotIsTakenWaitsForOne) {
    std::vector<std::unique_ptr<VirtualPad>> pads;
    for (int i = 0; i < PLATFORM_PADS; ++i)
        pads.push_back(std::make_unique<VirtualPad>(("Pad " + std::to_string(i)).c_str()));
    Pump();
    VirtualPad late("Late pad");
    Pump();
    for (int slot = 0; slot < PLATFORM_PADS; ++slot) EXPECT_NE(std::string(PlatformPadName(slot)), "Late pad");
    pads[3].reset();
    Pump();
    EXPECT_STREQ(PlatformPadName(3), "Late pad");
    PlatformPadState state = Take(3);
    EXPECT_TRUE(state.connected);
    EXPECT_TRUE(state.left && state.joined) << "one pad left the slot and another came in";
}

TEST_F(GamepadTest, RumbleReachesPadsWithMotorsAndIsRefusedElsewhere) {
    VirtualPad shaking("Shaking pad", true);
    VirtualPad still("Still pad");
    Pump();
    ASSERT_STREQ(PlatformPadName(0), "Shaking pad");
    EXPECT_TRUE(PlatformPadCanRumble(0));
    EXPECT_TRUE(PlatformPadRumble(0, 1000, 65535, 50));
    EXPECT_EQ(shaking.rumbles, 1);
    EXPECT_EQ(shaking.low, 1000);
    EXPECT_EQ(shaking.high, 65535);

    EXPECT_FALSE(PlatformPadCanRumble(1));
    EXPECT_FALSE(PlatformPadRumble(1, 1000, 1000, 50));
    EXPECT_EQ(std::string(PlatformLastFailure()).rfind("platform: cannot rumble: Still pad: ", 0), 0u)
        << PlatformLastFailure();
    EXPECT_FALSE(PlatformPadRumble(2, 1000, 1000, 50));
    EXPECT_STREQ(PlatformLastFailure(), "platform: cannot rumble: pad 2: no pad in that slot");

    PlatformPadState state{};
    state.connected = true;
    EXPECT_FALSE(PlatformPadTake(-1, &state));
    EXPECT_FALSE(state.connected) << "a refused take leaves a zeroed state";
    EXPECT_FALSE(PlatformPadTake(PLATFORM_PADS, &state));
    EXPECT_FALSE(PlatformPadTake(0, nullptr));
    EXPECT_STREQ(PlatformPadName(PLATFORM_PADS), "");
    EXPECT_FALSE(PlatformPadCanRumble(-1));
}
