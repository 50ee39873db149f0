// The platform layer against a real X server, driven through XTEST and
// another client as a user and a window manager would: the cursor it reads,
// the keyboard focus it gives, the window places it reports.
#include "tests/e2e/WaitUntil.h"
#include "tests/support/XSession.h"
#include "tests/platform/TestWindow.h"

#include <gtest/gtest.h>

namespace {

using OvTest::WaitUntil;
using OvTest::XSession;

constexpr double kPatience = 10.0;

class PlatformXTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(PlatformEnsureVideo());
        ASSERT_TRUE(session_.Open());
    }

    unsigned long XWindow(const char* title) const {
        auto found = session_.FindWindow(title);
        return found ? found->id : 0;
    }

    // Key messages for `hwnd` that reach the queue within the bounded wait.
    bool KeyArrives(HWND hwnd, WPARAM virtualKey) {
        return WaitUntil(
            [&] {
                for (const MSG& msg : DrainMessages(WM_KEYDOWN, WM_KEYDOWN))
                    if (msg.hwnd == hwnd && msg.wParam == virtualKey) return true;
                return false;
            },
            kPatience);
    }

    XSession session_;
};

POINT CursorNow() {
    POINT point{-1, -1};
    EXPECT_TRUE(GetCursorPos(&point));
    return point;
}

}  // namespace

TEST_F(PlatformXTest, CursorFollowsThePointerOverAndOutsideWindowsAndSetCursorPosMovesIt) {
    TestWindow window("pointer", 100, 100, 160, 120);
    ShowWindow(window.Handle(), SW_SHOW);
    DrainMessages();
    const POINT places[] = {{150, 160}, {1700, 1000}, {259, 219}, {0, 0}};
    for (const POINT& place : places) {
        session_.MovePointer(place.x, place.y);
        const POINT read = CursorNow();
        EXPECT_EQ(read.x, place.x);
        EXPECT_EQ(read.y, place.y);
        DrainMessages();  // a frame's worth of events changes nothing
        EXPECT_EQ(CursorNow().x, place.x);
    }

    ASSERT_TRUE(SetCursorPos(640, 480));
    int x = 0, y = 0;
    session_.PointerPosition(&x, &y);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 480);
    EXPECT_EQ(CursorNow().x, 640);
    EXPECT_EQ(CursorNow().y, 480);
}

TEST_F(PlatformXTest, ShownWindowsTakeTheKeyboardFocusAndHandItOnWhenTheyGo) {
    TestWindow first("focus-first", 100, 100, 160, 120);
    TestWindow second("focus-second", 400, 100, 160, 120);
    session_.MovePointer(1800, 1000);  // over neither window

    ShowWindow(first.Handle(), SW_SHOW);
    EXPECT_EQ(session_.FocusedWindow(), XWindow("focus-first"));
    EXPECT_EQ(GetFocus(), first.Handle());
    ShowWindow(second.Handle(), SW_SHOW);
    const unsigned long secondId = XWindow("focus-second");
    EXPECT_EQ(session_.FocusedWindow(), secondId);
    EXPECT_EQ(GetFocus(), second.Handle());

    // Hiding the focused window gives the focus back to the other one, and
    // real keys reach it.
    ShowWindow(second.Handle(), SW_HIDE);
    EXPECT_EQ(session_.FocusedWindow(), XWindow("focus-first"));
    DrainMessages();
    session_.TapKey("a");
    EXPECT_TRUE(KeyArrives(first.Handle(), 'A'));

    SetForegroundWindow(second.Handle());  // hidden: takes nothing
    EXPECT_EQ(GetFocus(), first.Handle());
    ShowWindow(second.Handle(), SW_SHOW);
    SetFocus(first.Handle());
    EXPECT_EQ(GetFocus(), first.Handle());

    // Destroying the focused window hands the focus on as well.
    {
        TestWindow third("focus-third", 700, 100, 160, 120);
        ShowWindow(third.Handle(), SW_SHOW);
        EXPECT_EQ(GetFocus(), third.Handle());
    }
    EXPECT_EQ(session_.FocusedWindow(), XWindow("focus-first"));
    DrainMessages();
    session_.TapKey("Escape");
    EXPECT_TRUE(KeyArrives(first.Handle(), VK_ESCAPE));
}

TEST_F(PlatformXTest, WindowPlaceAndSizeFollowMovesByOthersWithAndWithoutAWindowManager) {
    for (bool managed : {false, true}) {
        SCOPED_TRACE(managed ? "under a window manager" : "bare display");
        if (managed) {
            ASSERT_TRUE(session_.StartWindowManager());
        }
        TestWindow window("moved", 100, 100, 160, 120);
        ShowWindow(window.Handle(), SW_SHOW);
        ASSERT_TRUE(WaitUntil([&] { return XWindow("moved") != 0; }, kPatience));
        RECT rect{};

        // Another client asks; a window manager grants it in its own time.
        // (A manager keeps the fixed size that SDL's hints ask for, so only
        // the bare display is asked to resize.)
        session_.MoveWindow(XWindow("moved"), 300, 200);
        const int width = managed ? 160 : 200, height = managed ? 120 : 150;
        if (!managed) session_.ResizeWindow(XWindow("moved"), width, height);
        EXPECT_TRUE(WaitUntil(
            [&] {
                GetWindowRect(window.Handle(), &rect);
                return rect.left == 300 && rect.top == 200 && rect.right == 300 + width && rect.bottom == 200 + height;
            },
            kPatience))
            << rect.left << "," << rect.top << " " << rect.right << "," << rect.bottom;
        ASSERT_TRUE(GetClientRect(window.Handle(), &rect));
        EXPECT_EQ(rect.right, width);
        EXPECT_EQ(rect.bottom, height);

        // Our own move back to where SDL last put it is not skipped.
        ASSERT_TRUE(MoveWindow(window.Handle(), 100, 100, 160, 120, TRUE));
        std::optional<OvTest::WindowGeometry> seen;
        EXPECT_TRUE(WaitUntil(
            [&] {
                seen = session_.FindWindow("moved");
                return seen && seen->x == 100 && seen->y == 100 && seen->width == 160 && seen->height == 120;
            },
            kPatience));
        if (managed) session_.StopWindowManager();
    }
}

// The wheel message carries the pointer in screen coordinates, from where
// the window is now, after another client moved it; the screen size is the
// server's.
TEST_F(PlatformXTest, WheelPointAndScreenSizeComeFromTheServer) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), session_.ScreenWidth());
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), session_.ScreenHeight());
    TestWindow window("wheel", 100, 100, 160, 120);
    ShowWindow(window.Handle(), SW_SHOW);
    session_.MoveWindow(XWindow("wheel"), 500, 300);
    ASSERT_TRUE(WaitUntil(
        [&] {
            auto seen = session_.FindWindow("wheel");
            return seen && seen->x == 500 && seen->y == 300;
        },
        kPatience));
    session_.MovePointer(530, 340);
    DrainMessages();
    session_.Click(4);  // one notch away from the user
    MSG wheel{};
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const MSG& msg : DrainMessages(WM_MOUSEWHEEL, WM_MOUSEWHEEL))
                if (msg.hwnd == window.Handle()) wheel = msg;
            return wheel.hwnd != nullptr;
        },
        kPatience));
    EXPECT_EQ(static_cast<short>(HIWORD(wheel.wParam)), WHEEL_DELTA);
    EXPECT_EQ(static_cast<short>(LOWORD(wheel.lParam)), 530);
    EXPECT_EQ(static_cast<short>(HIWORD(wheel.lParam)), 340);
}
