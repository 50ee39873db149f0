// Pads in the input store, frame by frame, with SDL's virtual pads.
#include "AppTestSupport.h"
#include "tests/platform/VirtualPad.h"

#include <cmath>
#include <memory>

using namespace OvCore;
using OvTest::RunFrames;

namespace {

class GamepadTests : public OvTest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(StartGamepads());
    }

    OvTest::ProcedureWindow window{"pads"};
};

}  // namespace

// A pad change is seen in the frame after it was made: the virtual pad
// applies it at the next pump, and the loop pumps before each frame.
TEST_F(GamepadTests, ButtonsArePressedForOneFrameHeldUntilReleasedAndLetGoWhenThePadLeaves) {
    auto pad = std::make_unique<VirtualPad>("Frame pad");
    RunFrames(4, [&](int frame) {
        EXPECT_EQ(GamepadJoined(0), frame == 1) << frame;
        EXPECT_EQ(GamepadConnected(0), frame < 4) << frame;
        EXPECT_EQ(GamepadPressed(0, PAD_B), frame == 2) << frame;
        EXPECT_EQ(GamepadHeld(0, PAD_B), frame == 2 || frame == 3) << frame;
        EXPECT_EQ(GamepadReleased(0, PAD_B), frame == 4) << frame;
        EXPECT_EQ(GamepadLeft(0), frame == 4) << frame;
        EXPECT_STREQ(GamepadName(0), frame < 4 ? "Frame pad" : "") << frame;
        // X tapped between two frames: down and up in one frame, never held.
        EXPECT_EQ(GamepadPressed(0, PAD_X) && GamepadReleased(0, PAD_X), frame == 2) << frame;
        EXPECT_FALSE(GamepadHeld(0, PAD_X)) << frame;
        if (frame == 1) {
            pad->Button(SDL_CONTROLLER_BUTTON_B, true);
            pad->Button(SDL_CONTROLLER_BUTTON_X, true);
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // pumps: X goes down
            pad->Button(SDL_CONTROLLER_BUTTON_X, false);
        }
        if (frame == 3) pad.reset();
    });
    EXPECT_FALSE(GamepadHeld(0, -1));
    EXPECT_FALSE(GamepadHeld(0, PAD_BUTTONS));
    EXPECT_FALSE(GamepadPressed(kGamepads, PAD_A));
    EXPECT_FALSE(GamepadConnected(-1));
}

// Axes past the dead zone, and rumble strengths, as shares of their ranges.
TEST_F(GamepadTests, AxesAndRumbleScaleBetweenTheirRangesAndTheShareUsersGive) {
    VirtualPad pad("Stick pad", true);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 8191);  // just inside a quarter
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);  // fully up
    pad.Axis(SDL_CONTROLLER_AXIS_RIGHTX, 24575);  // three quarters right
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    RunFrames(3, [&](int) {});
    EXPECT_FLOAT_EQ(GamepadDeadZone(), 0.25f);
    EXPECT_EQ(GamepadAxis(0, PAD_LEFT_X), 0.0f);
    EXPECT_EQ(GamepadAxis(0, PAD_LEFT_Y), -1.0f);
    EXPECT_NEAR(GamepadAxis(0, PAD_RIGHT_X), (24575 / 32767.0 - 0.25) / 0.75, 1e-6);
    EXPECT_EQ(GamepadAxis(0, PAD_LEFT_TRIGGER), 1.0f);
    EXPECT_EQ(GamepadAxis(0, PAD_AXES), 0.0f);
    EXPECT_EQ(GamepadAxis(1, PAD_LEFT_Y), 0.0f) << "empty slot";
    ASSERT_TRUE(SetGamepadDeadZone(0.0f));
    EXPECT_NEAR(GamepadAxis(0, PAD_LEFT_X), 8191 / 32767.0, 1e-6);
    for (float refused : {-0.01f, 0.96f, std::nanf("")}) EXPECT_FALSE(SetGamepadDeadZone(refused)) << refused;
    EXPECT_EQ(GamepadDeadZone(), 0.0f);

    EXPECT_TRUE(GamepadCanRumble(0));
    EXPECT_TRUE(GamepadRumble(0, 0.5f, 2.0f, 100));
    EXPECT_EQ(pad.low, 32768);
    EXPECT_EQ(pad.high, 65535) << "clamped to full";
    EXPECT_TRUE(GamepadRumble(0, std::nanf(""), -1.0f, 100));
    EXPECT_EQ(pad.low + pad.high, 0);
    EXPECT_FALSE(GamepadRumble(1, 1.0f, 1.0f, 100));
    EXPECT_FALSE(GamepadRumble(kGamepads, 1.0f, 1.0f, 100));
}
