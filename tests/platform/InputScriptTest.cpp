#include "ovcore/platform/Gamepad.h"
#include "ovcore/platform/InputScript.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

namespace {

std::vector<MSG> InputMessages() {
    std::vector<MSG> kept;
    for (const MSG& msg : DrainMessages()) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR || msg.message == WM_CLOSE ||
            msg.message == WM_MOUSEWHEEL || (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MBUTTONUP))
            kept.push_back(msg);
    }
    return kept;
}

struct ScriptReset {
    ~ScriptReset() { InputScriptLoad(""); }
};

}  // namespace

TEST(InputScript, SkipsLinesItCannotReadAndKeepsTheRest) {
    ScriptReset reset;
    InputScriptLoad(
        "# comment\n"
        "\n"
        "wait \"A window\" 10\n"  // too few numbers
        "3 key 300 down\n"  // no such key
        "x key 65 down\n"  // no frame
        "2 button left sideways\n"
        "4 jump\n"
        "1 key 0x41 down  # trailing comment\n"
        "2 char 233\n"
        "wait \"Two words\" 1 2\n");
    EXPECT_EQ(InputScriptPending(), 3u);
}

TEST(InputScript, WaitsForTheWindowThenPlaysEachLineAtItsFrame) {
    ScriptReset reset;
    TestWindow window("Scripted target", 300, 200, 120, 90);
    DrainMessages();
    InputScriptLoad(
        "wait \"Scripted target\" 120 90\n"
        "0 key 65 down\n"
        "0 char 97\n"
        "2 key 65 up\n"
        "2 move 10 20\n"
        "2 button right down\n"
        "3 wheel -240\n"
        "3 close\n");

    EXPECT_TRUE(InputMessages().empty()) << "the window is not shown yet";
    EXPECT_EQ(InputScriptPending(), 8u);

    ShowWindow(window.Handle(), SW_SHOW);
    std::vector<MSG> first = InputMessages();  // ends frame 0
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(first[0].wParam, 65u);
    EXPECT_EQ(first[0].hwnd, window.Handle());
    EXPECT_EQ(first[1].message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(first[1].wParam, 97u);

    EXPECT_TRUE(InputMessages().empty()) << "frame 1 has nothing";

    std::vector<MSG> third = InputMessages();
    ASSERT_EQ(third.size(), 2u);
    EXPECT_EQ(third[0].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(third[1].message, static_cast<UINT>(WM_RBUTTONDOWN));
    EXPECT_EQ(GET_X_LPARAM(third[1].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(third[1].lParam), 20);
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 310);
    EXPECT_EQ(cursor.y, 220);

    std::vector<MSG> fourth = InputMessages();
    ASSERT_EQ(fourth.size(), 2u);
    EXPECT_EQ(fourth[0].message, static_cast<UINT>(WM_MOUSEWHEEL));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(fourth[0].wParam), -240);
    EXPECT_EQ(fourth[1].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(InputScriptPending(), 0u);
}

// Pad lines plug in a virtual controller, move it and unplug it; each change
// reaches the pad slots at the pump after the frame it was played in.
TEST(InputScript, PadLinesDriveAVirtualController) {
    ScriptReset reset;
    ASSERT_TRUE(PlatformPadsStart());
    InputScriptLoad(
        "0 pad attach \"Scripted pad\"\n1 pad button 0 down\n1 pad axis 1 -20000\n2 pad detach\n"
        "3 pad button 21 down\n3 pad axis 6 0\n3 pad axis 0 40000\n3 pad wiggle\n");
    EXPECT_EQ(InputScriptPending(), 4u) << "no such button, axis, value or verb";
    PlatformPadState state{};
    for (int frame = 0; frame < 3; ++frame) DrainMessages();  // plugged in, moved, unplugged
    ASSERT_TRUE(PlatformPadTake(0, &state));
    EXPECT_STREQ(PlatformPadName(0), "Scripted pad");
    EXPECT_EQ(state.held, 1u << PAD_A);
    EXPECT_EQ(state.axes[PAD_LEFT_Y], -20000);
    DrainMessages();
    ASSERT_TRUE(PlatformPadTake(0, &state));
    EXPECT_TRUE(state.left && !state.connected);
}
