#include "AppTestSupport.h"

#include <functional>
#include <string>

using namespace OvCore;

namespace {

class InputTest : public OvTest::AppTest {
protected:
    // Runs a loop over the posted messages; `frame` sees each frame's input
    // and its number (1, 2, ...); the loop stops after `frames` frames.
    void RunFrames(int frames, const std::function<void(int)>& frame) {
        struct Run {
            int count = 0;
            int limit;
            const std::function<void(int)>* frame;
        } run{0, frames, &frame};
        RunMessageLoop(
            [](HWND, void* data) {
                auto* r = static_cast<Run*>(data);
                (*r->frame)(++r->count);
                if (r->count >= r->limit) LoopState().running = false;
            },
            &run);
    }

    OvTest::ProcedureWindow window{"input"};
};

TEST_F(InputTest, KeysArePressedForOneFrameAndHeldUntilReleased) {
    window.Post(WM_KEYDOWN, 'A');
    window.Post(WM_KEYDOWN, 'B');
    window.Post(WM_KEYUP, 'B');  // pressed and released between two frames
    RunFrames(3, [&](int frame) {
        if (frame == 1) {
            EXPECT_TRUE(KeyHeld('A'));
            EXPECT_TRUE(KeyPressed('A'));
            EXPECT_TRUE(KeyPressed('B'));
            EXPECT_TRUE(KeyReleased('B'));
            EXPECT_FALSE(KeyHeld('B'));
            EXPECT_TRUE(KeyHeld(0));
            EXPECT_TRUE(KeyReleased(0));
            window.Post(WM_KEYUP, 'A');
        } else if (frame == 2) {
            EXPECT_FALSE(KeyPressed(0));
            EXPECT_TRUE(KeyReleased('A'));
            EXPECT_FALSE(KeyHeld(0));
        } else {
            EXPECT_FALSE(KeyReleased(0));
        }
    });
}

TEST_F(InputTest, IgnoreRepeatDropsKeyDownsOfAHeldKey) {
    InputStore().ignoreRepeat = true;
    window.Post(WM_KEYDOWN, VK_SPACE);
    RunFrames(3, [&](int frame) {
        if (frame == 1) {
            EXPECT_TRUE(KeyPressed(VK_SPACE));
        }
        if (frame == 2) {
            EXPECT_FALSE(KeyPressed(VK_SPACE));
            InputStore().ignoreRepeat = false;
            InputStore().lastKey = 0;
        }
        if (frame == 3) {
            EXPECT_TRUE(KeyPressed(VK_SPACE));
            EXPECT_EQ(InputStore().lastKey, VK_SPACE);
        }
        if (frame < 3) window.Post(WM_KEYDOWN, VK_SPACE);  // auto-repeat
    });
}

TEST_F(InputTest, ButtonsWheelAndCharactersArriveThroughTheWindow) {
    window.Post(WM_RBUTTONDOWN);
    window.Post(WM_MBUTTONDOWN);
    window.Post(WM_MBUTTONUP);
    window.Post(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
    window.Post(WM_CHAR, 'h');
    window.Post(WM_CHAR, 'i');
    RunFrames(2, [&](int frame) {
        if (frame == 1) {
            EXPECT_TRUE(MouseHeld(2));
            EXPECT_TRUE(MousePressed(2));
            EXPECT_FALSE(MouseHeld(1));
            EXPECT_TRUE(MousePressed(3));
            EXPECT_TRUE(MouseReleased(3));
            EXPECT_FALSE(MouseHeld(3));
            EXPECT_TRUE(MouseHeld(4));
            EXPECT_FALSE(MouseHeld(5));
            OV_STRING text;
            EXPECT_TRUE(GetTypedText(text, true));
            EXPECT_EQ(text, "hi");
        } else {
            EXPECT_TRUE(MouseHeld(2));
            EXPECT_FALSE(MousePressed(0));
            EXPECT_FALSE(MouseHeld(4));
            EXPECT_EQ(TypedCharCount(), 0u);  // flushed at the end of each frame
        }
    });
}

TEST_F(InputTest, WheelTurnsWholeNotchesIntoStepsAndKeepsTheRest) {
    OV_INPUT& input = InputStore();
    WindowProcedure(window.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_EQ(input.wheelSteps, 0);
    EXPECT_FALSE(input.wheelUp);
    WindowProcedure(window.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_EQ(input.wheelSteps, 1);
    EXPECT_EQ(input.wheelRemainder, 0);
    EXPECT_TRUE(MouseHeld(4));
    EXPECT_TRUE(MouseHeld(0));

    ResetInput(false);
    EXPECT_FALSE(MouseHeld(0));
    EXPECT_EQ(input.wheelSteps, 1);  // kept by the reset
    WindowProcedure(window.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(input.wheelSteps, -2);
    EXPECT_TRUE(MouseHeld(5));
    EXPECT_FALSE(MouseHeld(4));

    WindowProcedure(window.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 130), 0);
    EXPECT_EQ(input.wheelSteps, 1);
    EXPECT_EQ(input.wheelRemainder, 10);
    WindowProcedure(window.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-70)), 0);
    EXPECT_EQ(input.wheelRemainder, -60);  // below a notch: steps unchanged
    EXPECT_EQ(input.wheelSteps, 1);
}

TEST_F(InputTest, ReleaseRequestsForceKeysAndButtonsUpAtTheFrameEnd) {
    SetKeyHeld('W', 1);
    SetMouseHeld(1, 1);
    EXPECT_TRUE(ReleaseKeyAtFrameEnd('W'));
    EXPECT_TRUE(ReleaseButtonAtFrameEnd(1));
    EXPECT_FALSE(ReleaseButtonAtFrameEnd(4));
    EXPECT_FALSE(ReleaseKeyAtFrameEnd(256));
    EXPECT_TRUE(KeyHeld('W'));
    ResetInput(false);
    EXPECT_FALSE(KeyHeld('W'));
    EXPECT_FALSE(MouseHeld(1));

    // Requests are served once.
    SetKeyHeld('W', 1);
    SetMouseHeld(1, 1);
    ResetInput(false);
    EXPECT_TRUE(KeyHeld('W'));
    EXPECT_TRUE(MouseHeld(1));
    ResetInput(true);
    EXPECT_FALSE(KeyHeld(0));
    EXPECT_FALSE(MouseHeld(0));
}

TEST_F(InputTest, OutOfRangeKeysAndButtonsAreRefused) {
    // A posted key message can carry any number; only 0 to 255 are keys.
    WindowProcedure(window.hwnd, WM_KEYDOWN, 300, 0);
    WindowProcedure(window.hwnd, WM_KEYDOWN, static_cast<WPARAM>(-1), 0);
    EXPECT_FALSE(KeyHeld(0));
    SetKeyHeld(-1, 1);
    SetKeyPressed(256, 1);
    EXPECT_FALSE(KeyHeld(0));
    EXPECT_FALSE(KeyPressed(0));
    EXPECT_FALSE(KeyHeld(-1));
    EXPECT_FALSE(KeyHeld(1000));
    SetKeyHeld(0, 1);  // entry 0 is never looked at by the any-key query
    EXPECT_FALSE(KeyHeld(0));

    SetMousePressed(4, 1);
    SetMouseHeld(6, 1);
    EXPECT_FALSE(MousePressed(0));
    EXPECT_FALSE(MouseHeld(0));
    EXPECT_FALSE(MouseHeld(-1));
    SetMouseHeld(5, 1);
    EXPECT_TRUE(MouseHeld(0));
}

TEST_F(InputTest, MouseInRectIncludesItsEdges) {
    InputStore().cursor = POINT{10, 20};
    EXPECT_TRUE(MouseInRect(10, 10, 20, 20));
    InputStore().cursor = POINT{21, 15};
    EXPECT_FALSE(MouseInRect(10, 10, 20, 20));
    InputStore().cursor = POINT{9, 15};
    EXPECT_FALSE(MouseInRect(10, 10, 20, 20));

    OV_WINDOW* record = core.windows.Get("panel", 0);
    record->x = 100;
    record->y = 50;
    InputStore().cursor = POINT{110, 70};
    EXPECT_TRUE(MouseInRectIn(*record, 10, 10, 20, 20));
    EXPECT_TRUE(core.MouseInRect(10, 10, 20, 20, "panel", 7));
    EXPECT_FALSE(core.MouseInRect(10, 10, 20, 20, "absent", 0));
    EXPECT_FALSE(core.MouseInRect(10, 10, 20, 20, nullptr, 0));
    EXPECT_EQ(core.MouseX("panel", 0), 10);
    EXPECT_EQ(core.MouseY("panel", 0, "no view", 0), 20);
    EXPECT_EQ(core.MouseX("absent", 0), 0);
    EXPECT_EQ(core.MouseY(nullptr, 0), 70);
    EXPECT_EQ(core.MousePosition("panel", 0, nullptr, 0), OV_VECTOR(10, 20));
    EXPECT_EQ(core.MousePosition("absent", 0), OV_VECTOR(0, 0));
}

TEST_F(InputTest, TypedCharactersQueueOldestFirst) {
    char c = 0;
    OV_STRING text("unchanged");
    EXPECT_FALSE(PopTypedChar(c));
    EXPECT_FALSE(GetTypedText(text, false));
    EXPECT_EQ(text, "unchanged");

    for (char typed : std::string("abc")) WindowProcedure(window.hwnd, WM_CHAR, 0x100 | typed, 0);
    EXPECT_EQ(TypedCharCount(), 3u);
    EXPECT_TRUE(PopTypedChar(c));
    EXPECT_EQ(c, 'a');
    EXPECT_TRUE(GetTypedText(text, true));
    EXPECT_EQ(text, "bc");
    EXPECT_TRUE(GetTypedText(text, false));
    EXPECT_EQ(TypedCharCount(), 0u);
    WindowProcedure(window.hwnd, WM_CHAR, 'z', 0);
    EXPECT_TRUE(PopTypedChar(c));
    EXPECT_EQ(c, 'z');
    EXPECT_FALSE(PopTypedChar(c));
    WindowProcedure(window.hwnd, WM_CHAR, 'q', 0);
    ClearTypedChars();
    EXPECT_EQ(TypedCharCount(), 0u);
}

TEST_F(InputTest, HooksReceiveTheTrayAndApplicationMessages) {
    static int appCalls, userCalls, observed;
    appCalls = userCalls = observed = 0;
    LoopState().appMessageHook = [](HWND, WPARAM wParam, LPARAM) { appCalls += wParam == 3; };
    LoopState().userMessageHook = [](HWND, UINT message, WPARAM, LPARAM) { userCalls += message == 0x9000; };
    LoopState().messageObserver = [](HWND, UINT message, WPARAM, LPARAM) { observed += message == WM_USER + 1; };
    window.Post(WM_APP, 3);
    window.Post(0x9000);
    window.Post(WM_USER + 1);
    window.Post(WM_KEYDOWN, 'K');  // handled, not observed
    RunFrames(1, [](int) {});
    EXPECT_EQ(appCalls, 1);
    EXPECT_EQ(userCalls, 1);
    EXPECT_EQ(observed, 1);
    EXPECT_EQ(WindowProcedure(window.hwnd, WM_APP, 0, 0), 0);
}

} // namespace
