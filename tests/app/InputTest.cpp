#include "AppTestSupport.h"

#include <functional>

using namespace OvCore;
using OvTest::RunFrames;

namespace {

class InputTest : public OvTest::AppTest {
protected:
    void Wheel(short delta) { WindowProcedure(window.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); }

    OvTest::ProcedureWindow window{"input"};
};

TEST_F(InputTest, KeysArePressedForOneFrameAndHeldUntilReleased) {
    window.Post(WM_KEYDOWN, 'A');
    window.Post(WM_KEYDOWN, 'B');
    window.Post(WM_KEYUP, 'B');  // pressed and released between two frames
    RunFrames(2, [&](int frame) {
        EXPECT_EQ(KeyPressed('B'), frame == 1);
        EXPECT_EQ(KeyReleased('B'), frame == 1);
        EXPECT_FALSE(KeyHeld('B'));
        EXPECT_EQ(KeyHeld('A'), frame == 1);
        EXPECT_EQ(KeyHeld(0), frame == 1);
        EXPECT_EQ(KeyReleased('A'), frame == 2);
        window.Post(WM_KEYUP, 'A');
    });
}

TEST_F(InputTest, IgnoreRepeatDropsKeyDownsOfAHeldKey) {
    InputStore().ignoreRepeat = true;
    window.Post(WM_KEYDOWN, VK_SPACE);
    RunFrames(3, [&](int frame) {
        EXPECT_EQ(KeyPressed(VK_SPACE), frame != 2) << frame;
        if (frame == 2) {
            InputStore().ignoreRepeat = false;
            InputStore().lastKey = 0;
        }
        window.Post(WM_KEYDOWN, VK_SPACE);  // auto-repeat
    });
    EXPECT_EQ(InputStore().lastKey, VK_SPACE);
}

TEST_F(InputTest, ButtonsWheelAndCharactersArriveThroughTheWindow) {
    window.Post(WM_RBUTTONDOWN);
    window.Post(WM_MBUTTONDOWN);
    window.Post(WM_MBUTTONUP);
    window.Post(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
    window.Post(WM_CHAR, 'h');
    window.Post(WM_CHAR, 0x100 | 'i');  // the low byte is the character
    RunFrames(2, [&](int frame) {
        const bool first = frame == 1;
        EXPECT_TRUE(MouseHeld(2));
        EXPECT_FALSE(MouseHeld(1));
        EXPECT_FALSE(MouseHeld(3));
        EXPECT_EQ(MousePressed(2), first);
        EXPECT_EQ(MousePressed(3) && MouseReleased(3), first);
        EXPECT_EQ(MouseHeld(4), first);
        EXPECT_FALSE(MouseHeld(5));
        OV_STRING text;
        EXPECT_EQ(GetTypedText(text, true), first);  // flushed at each frame end
        if (first) {
            EXPECT_EQ(text, "hi");
        }
    });
}

TEST_F(InputTest, WheelTurnsWholeNotchesIntoStepsAndKeepsTheRest) {
    const OV_INPUT& input = InputStore();
    Wheel(60);
    EXPECT_FALSE(MouseHeld(0));
    Wheel(60);
    EXPECT_EQ(input.wheelSteps, 1);
    EXPECT_EQ(input.wheelRemainder, 0);
    EXPECT_TRUE(MouseHeld(4));
    EXPECT_TRUE(MouseHeld(0));
    ResetInput(false);
    EXPECT_FALSE(MouseHeld(0));
    EXPECT_EQ(input.wheelSteps, 1);  // kept by the reset
    Wheel(-240);
    EXPECT_EQ(input.wheelSteps, -2);
    EXPECT_TRUE(MouseHeld(5));
    Wheel(130);
    EXPECT_EQ(input.wheelSteps, 1);
    EXPECT_EQ(input.wheelRemainder, 10);
}

TEST_F(InputTest, ReleaseRequestsForceKeysAndButtonsUpOnce) {
    SetKeyHeld('W', 1);
    SetMouseHeld(1, 1);
    EXPECT_TRUE(ReleaseKeyAtFrameEnd('W'));
    EXPECT_TRUE(ReleaseButtonAtFrameEnd(1));
    EXPECT_FALSE(ReleaseButtonAtFrameEnd(4));
    ResetInput(false);
    EXPECT_FALSE(KeyHeld('W'));
    EXPECT_FALSE(MouseHeld(1));
    SetKeyHeld('W', 1);
    SetMouseHeld(1, 1);
    ResetInput(false);
    EXPECT_TRUE(KeyHeld('W') && MouseHeld(1));
    ResetInput(true);
    EXPECT_FALSE(KeyHeld(0) || MouseHeld(0));
}

TEST_F(InputTest, NumbersOutsideTheKeysAndButtonsAreRefused) {
    // A posted key message can carry any number; only 0 to 255 are keys.
    WindowProcedure(window.hwnd, WM_KEYDOWN, 300, 0);
    WindowProcedure(window.hwnd, WM_KEYDOWN, static_cast<WPARAM>(-1), 0);
    SetKeyHeld(-1, 1);
    SetKeyPressed(256, 1);
    SetKeyHeld(0, 1);  // entry 0 is not a key: the any-key query skips it
    EXPECT_FALSE(KeyHeld(0) || KeyPressed(0) || KeyHeld(-1) || KeyHeld(1000));
    EXPECT_FALSE(ReleaseKeyAtFrameEnd(256));
    SetMousePressed(4, 1);
    SetMouseHeld(6, 1);
    EXPECT_FALSE(MousePressed(0) || MouseHeld(0) || MouseHeld(-1));
}

TEST_F(InputTest, CursorQueriesInRectanglesAndWindows) {
    InputStore().cursor = POINT{10, 20};
    EXPECT_TRUE(MouseInRect(10, 10, 20, 20));
    InputStore().cursor = POINT{21, 15};
    EXPECT_FALSE(MouseInRect(10, 10, 20, 20));

    OV_WINDOW* panel = core.windows.Get("panel", 0);
    panel->x = 100;
    panel->y = 50;
    InputStore().cursor = POINT{110, 70};
    EXPECT_TRUE(core.MouseInRect(10, 10, 20, 20, "panel", 7));
    EXPECT_FALSE(core.MouseInRect(10, 10, 20, 20, "absent", 0));
    EXPECT_EQ(core.MouseX("panel", 0), 10);
    EXPECT_EQ(core.MouseY("panel", 0, "no view", 0), 20);
    EXPECT_EQ(core.MouseX("absent", 0) + core.MouseY(nullptr, 0), 70);
    EXPECT_EQ(core.MousePosition("panel", 0, nullptr, 0), OV_VECTOR(10, 20));
}

TEST_F(InputTest, TypedCharactersQueueOldestFirst) {
    char c = 0;
    OV_STRING text("unchanged");
    EXPECT_FALSE(PopTypedChar(c) || GetTypedText(text, false));
    EXPECT_EQ(text, "unchanged");
    for (const char typed : {'a', 'b', 'c'}) WindowProcedure(window.hwnd, WM_CHAR, typed, 0);
    EXPECT_TRUE(PopTypedChar(c) && c == 'a');
    EXPECT_TRUE(GetTypedText(text, true));
    EXPECT_EQ(text, "bc");
    EXPECT_TRUE(GetTypedText(text, false));
    EXPECT_EQ(TypedCharCount(), 0u);
    WindowProcedure(window.hwnd, WM_CHAR, 'z', 0);
    EXPECT_TRUE(PopTypedChar(c) && c == 'z');
    EXPECT_FALSE(PopTypedChar(c));
}

}  // namespace
