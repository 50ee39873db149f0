#include "AppTestSupport.h"

#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/platform/Platform.h"

#include <utility>

using namespace OvCore;

namespace {

class WindowTest : public OvTest::AppTest {
protected:
    OV_WINDOW& Record(const char* name, const char* title) {
        OV_WINDOW& window = *core.windows.Get(name, 0);
        window.title = title;
        return window;
    }

    static RECT Rect(const OV_WINDOW& window) {
        RECT rect{};
        EXPECT_TRUE(GetWindowRect(window.GetHandle(), &rect));
        return rect;
    }

    static PlatformLayeredAttributes Layered(const OV_WINDOW& window) {
        PlatformLayeredAttributes attributes{};
        EXPECT_TRUE(PlatformGetLayeredAttributes(window.GetHandle(), &attributes));
        return attributes;
    }

    static bool IsLayered(const OV_WINDOW& window) {
        return (GetWindowLongA(window.GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    }
};

TEST_F(WindowTest, CreatesWhereTheRecordSaysAppliesEditsAndCanBeMadeAgain) {
    OV_WINDOW& window = Record("one", "Window position test");
    EXPECT_FALSE(window.Apply());  // no live window yet
    window.x = 40;
    window.y = 30;
    window.width = 320;
    window.height = 200;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(window.Create(EmptyHandle())) << round;
        const RECT rect = Rect(window);
        EXPECT_EQ(rect.left, 40);
        EXPECT_EQ(rect.top, 30);
        EXPECT_EQ(rect.right, 360);
        EXPECT_EQ(rect.bottom, 230);
        EXPECT_FALSE(IsEmptyHandle(window.GetRenderTarget()));
        const HWND hwnd = window.GetHandle();
        window.Destroy();
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(window.GetHandle(), nullptr);
    }
    ASSERT_TRUE(window.Create(EmptyHandle()));
    window.x = 100;
    window.width = 256;
    window.taskbar = false;
    EXPECT_TRUE(window.Apply());
    EXPECT_EQ(Rect(window).left, 100);
    EXPECT_EQ(Rect(window).right, 356);
    EXPECT_NE(GetWindowLongA(window.GetHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
}

TEST_F(WindowTest, ASecondLiveWindowWithTheSameTitleIsRefusedWithoutHarmingTheFirst) {
    OV_WINDOW& first = Record("first", "Shared title");
    OV_WINDOW& second = Record("second", "Shared title");
    ASSERT_TRUE(first.Create(EmptyHandle()));
    EXPECT_FALSE(second.Create(EmptyHandle()));
    EXPECT_EQ(second.GetHandle(), nullptr);
    second.Destroy();  // must not unregister the class the first window uses
    EXPECT_TRUE(IsWindow(first.GetHandle()));
    first.Destroy();
    EXPECT_TRUE(second.Create(EmptyHandle()));
}

TEST_F(WindowTest, TranslucencyAndColourKeyMakeTheWindowLayered) {
    OV_WINDOW& window = Record("glass", "Translucency test");
    window.alpha = 0.5f;
    ASSERT_TRUE(window.Create(EmptyHandle()));
    EXPECT_TRUE(IsLayered(window));
    EXPECT_EQ(Layered(window).alpha, 127);
    EXPECT_EQ(Layered(window).flags, static_cast<DWORD>(LWA_ALPHA));

    window.alpha = 1.5f;
    window.useColorKey = true;
    window.colorKey = 0x00FF00FF;
    EXPECT_TRUE(window.Apply());
    EXPECT_EQ(Layered(window).alpha, 255);
    EXPECT_EQ(Layered(window).flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(Layered(window).colorKey, 0x00FF00FFu);

    window.alpha = -0.2f;  // alpha, then key, then both: the last call has both
    EXPECT_TRUE(window.Apply());
    EXPECT_EQ(Layered(window).alpha, 0);
    EXPECT_EQ(Layered(window).flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    window.alpha = 1.0f;
    window.useColorKey = false;
    EXPECT_TRUE(window.Apply());
    EXPECT_FALSE(IsLayered(window));
}

TEST_F(WindowTest, AFullScreenModeTheDisplayRefusesLeavesTheWindowWindowed) {
    OV_WINDOW& window = Record("full", "Fullscreen test");
    window.fullscreen = true;
    window.width = 1234;
    window.height = 777;
    ASSERT_TRUE(window.Create(EmptyHandle()));
    EXPECT_FALSE(window.fullscreen);
    DEVMODEA mode{};
    EXPECT_FALSE(PlatformRequestedDisplayMode(&mode));
    EXPECT_EQ(Rect(window).right - Rect(window).left, 1234);
}

TEST_F(WindowTest, TrayIconsAreNumberedInCreationOrderAndRemovedWithTheirWindows) {
    OV_WINDOW& first = Record("tray one", "Tray one");
    OV_WINDOW& second = Record("tray two", "Tray two");
    first.trayIcon = second.trayIcon = true;
    const size_t before = PlatformTrayIcons().size();
    ASSERT_TRUE(first.Create(EmptyHandle()));
    ASSERT_TRUE(second.Create(EmptyHandle()));
    EXPECT_EQ(second.notifyIcon.uID, first.notifyIcon.uID + 1);
    ASSERT_EQ(PlatformTrayIcons().size(), before + 2);
    EXPECT_EQ(PlatformTrayIcons().back().hWnd, second.GetHandle());
    EXPECT_STREQ(PlatformTrayIcons().back().szTip, "Tray two");
    first.Destroy();
    second.Destroy();
    EXPECT_EQ(PlatformTrayIcons().size(), before);
}

TEST_F(WindowTest, CenterWindowUsesTheDesktopSize) {
    const int width = core.desktopWidth, height = core.desktopHeight;
    OV_WINDOW& window = Record("centre", "Centre test");
    window.width = 640;
    window.height = 360;
    core.desktopWidth = 1920;
    core.desktopHeight = 1080;
    core.CenterWindow("centre", 3);
    EXPECT_EQ(window.x, 640);
    EXPECT_EQ(window.y, 360);
    core.desktopWidth = 1366;
    core.desktopHeight = 768;
    core.CenterWindow("centre", 0);
    EXPECT_EQ(window.x, 363);
    EXPECT_EQ(window.y, 204);
    core.desktopWidth = width;
    core.desktopHeight = height;
}

TEST_F(WindowTest, AttachFailsWithoutARenderTargetAndDetachLeavesTheWindow) {
    OvTest::ProcedureWindow outside("outside");
    OV_WINDOW& window = Record("guest", "Guest");
    EXPECT_FALSE(window.Attach(nullptr, EmptyHandle()));
    EXPECT_FALSE(window.IsAttached());
    ASSERT_TRUE(window.Attach(outside.hwnd, EmptyHandle()));
    EXPECT_TRUE(window.IsAttached());
    window.Detach();
    EXPECT_FALSE(window.IsAttached());
    EXPECT_EQ(window.GetHandle(), nullptr);
    EXPECT_TRUE(IsWindow(outside.hwnd));
}

TEST_F(WindowTest, CopiesOwnTheirTitleAndMovesHandOverTheWindow) {
    OV_WINDOW& window = Record("moving", "Move test");
    ASSERT_TRUE(window.Create(EmptyHandle()));
    const HWND hwnd = window.GetHandle();
    OV_WINDOW copy(window);
    copy.title = "Changed";
    EXPECT_EQ(window.title, "Move test");
    OV_WINDOW moved(std::move(window));
    EXPECT_EQ(window.GetHandle(), nullptr);
    EXPECT_TRUE(IsEmptyHandle(window.GetRenderTarget()));
    window = std::move(moved);
    EXPECT_EQ(window.GetHandle(), hwnd);
    EXPECT_EQ(window.title, "Move test");
}

}  // namespace
