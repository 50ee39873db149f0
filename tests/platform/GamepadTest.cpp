// Pad slots as pads come and go while the queue is pumped, with SDL's
// virtual pads standing in for hardware (the per-frame view: app tests).
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
        DrainMessages();
        for (int slot = 0; slot < PLATFORM_PADS; ++slot) ASSERT_FALSE(Take(slot).connected) << "left over";
    }
};

}  // namespace

// The lowest free slot, kept until unplugged; a ninth pad waits for one.
TEST_F(GamepadTest, PadsTakeTheLowestFreeSlotAndAPadBeyondTheSlotsWaits) {
    std::vector<std::unique_ptr<VirtualPad>> pads;
    pads.push_back(std::make_unique<VirtualPad>("Pad \xC3\xA9 \xE2\x82\xAC"));  // e-acute, euro sign
    for (int i = 1; i < PLATFORM_PADS; ++i) pads.push_back(std::make_unique<VirtualPad>(std::to_string(i).c_str()));
    DrainMessages();
    VirtualPad late("Late pad");
    DrainMessages();
    EXPECT_STREQ(PlatformPadName(0), "Pad \xE9 ") << "Latin-1; the euro sign has none";
    EXPECT_STREQ(PlatformPadName(7), "7");
    EXPECT_TRUE(Take(0).joined);
    EXPECT_FALSE(Take(0).joined) << "until the next take only";

    pads[0].reset();
    pads[3].reset();
    DrainMessages();
    PlatformPadState state = Take(0);
    EXPECT_TRUE(state.left && state.joined) << "one pad left slot 0 and the waiting one came in";
    EXPECT_TRUE(state.connected);
    EXPECT_STREQ(PlatformPadName(0), "Late pad");
    state = Take(3);
    EXPECT_TRUE(state.left && !state.connected);
    EXPECT_STREQ(PlatformPadName(3), "");
}

TEST_F(GamepadTest, RumbleReachesPadsWithMotorsAndEveryRefusalSaysWhy) {
    VirtualPad shaking("Shaking pad", true);
    VirtualPad still("Still pad");
    DrainMessages();
    EXPECT_TRUE(PlatformPadCanRumble(0));
    EXPECT_TRUE(PlatformPadRumble(0, 1000, 65535, 50));
    EXPECT_EQ(shaking.low, 1000);
    EXPECT_EQ(shaking.high, 65535);
    EXPECT_FALSE(PlatformPadCanRumble(1));
    EXPECT_FALSE(PlatformPadRumble(1, 1000, 1000, 50));
    EXPECT_EQ(std::string(PlatformLastFailure()).rfind("platform: cannot rumble: Still pad: ", 0), 0u);
    EXPECT_FALSE(PlatformPadRumble(2, 1000, 1000, 50));
    EXPECT_STREQ(PlatformLastFailure(), "platform: cannot rumble: pad 2: no pad in that slot");

    PlatformPadState state{};
    state.connected = true;
    EXPECT_FALSE(PlatformPadTake(PLATFORM_PADS, &state));
    EXPECT_FALSE(state.connected) << "a refused take leaves a zeroed state";
    EXPECT_FALSE(PlatformPadTake(-1, &state));
    EXPECT_FALSE(PlatformPadTake(0, nullptr));
    EXPECT_STREQ(PlatformPadName(-1), "");
}
