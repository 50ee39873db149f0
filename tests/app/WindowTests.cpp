#include "AppTestSupport.h"

#include "foundation/EngineHandle.h"
#include "platform/Platform.h"

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

    static PlatformLayeredAttributes Layered(const OV_WINDOW& window) {
        PlatformLayeredAttributes attributes{};
        EXPECT_TRUE(PlatformGetLayeredAttributes(window.GetHandle(), &attributes));
        return attributes;
    }

    static bool IsLayered(const OV_WINDOW& window) {
        return (GetWindowLongA(window.GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    }
};

TEST_F(WindowTest, DefaultRecordIsATinyVisibleTaskbarWindow) {
    const OV_WINDOW window;
    EXPECT_EQ(window.width, 1);
    EXPECT_EQ(window.height, 1);
    EXPECT_EQ(window.bitsPerPixel, 24);
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(window.taskbar);
    EXPECT_FALSE(window.fullscreen);
    EXPECT_FALSE(window.trayIcon);
    EXPECT_EQ(window.alpha, 1.0f);
    EXPECT_EQ(window.title, "Orvo Core Framework");
    EXPECT_FALSE(window.title.IsBorrowed());
    EXPECT_EQ(window.notifyIcon.cbSize, 508u);
    EXPECT_EQ(window.notifyIcon.uCallbackMessage, static_cast<UINT>(WM_APP));
    EXPECT_TRUE(IsEmptyHandle(window.GetRenderTarget()));
    EXPECT_EQ(window.GetHandle(), nullptr);
}

TEST_F(WindowTest, CreatesAtItsPositionAndSizeAndCanBeMadeAgainAfterDestroy) {
    OV_WINDOW& window = Record("one", "Window position test");
    window.x = 40;
    window.y = 30;
    window.width = 320;
    window.height = 200;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(window.Create(EmptyHandle())) << round;
        RECT rect{};
        ASSERT_TRUE(GetWindowRect(window.GetHandle(), &rect));
        EXPECT_EQ(rect.left, 40);
        EXPECT_EQ(rect.top, 30);
        EXPECT_EQ(rect.right - rect.left, 320);
        EXPECT_EQ(rect.bottom - rect.top, 200);
        EXPECT_FALSE(IsEmptyHandle(window.GetRenderTarget()));
        const HWND hwnd = window.GetHandle();
        window.Destroy();
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(window.GetHandle(), nullptr);
        EXPECT_TRUE(IsEmptyHandle(window.GetRenderTarget()));
    }
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
    PlatformLayeredAttributes attributes = Layered(window);
    EXPECT_EQ(attributes.alpha, 127);
    EXPECT_EQ(attributes.flags, static_cast<DWORD>(LWA_ALPHA));

    window.alpha = 1.5f;
    window.useColorKey = true;
    window.colorKey = 0x00FF00FF;
    EXPECT_TRUE(window.Apply());
    attributes = Layered(window);
    EXPECT_EQ(attributes.alpha, 255);
    EXPECT_EQ(attributes.flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(attributes.colorKey, 0x00FF00FFu);

    window.alpha = -0.2f;
    EXPECT_TRUE(window.Apply());
    attributes = Layered(window);
    EXPECT_EQ(attributes.alpha, 0);
    EXPECT_EQ(attributes.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    window.alpha = 1.0f;
    window.useColorKey = false;
    EXPECT_TRUE(window.Apply());
    EXPECT_FALSE(IsLayered(window));
}

TEST_F(WindowTest, ApplyMovesAndResizesTheLiveWindowOnly) {
    OV_WINDOW& window = Record("moved", "Apply test");
    EXPECT_FALSE(window.Apply());  // no live window yet
    ASSERT_TRUE(window.Create(EmptyHandle()));
    window.x = 100;
    window.y = 80;
    window.width = 256;
    window.height = 128;
    window.taskbar = false;
    EXPECT_TRUE(window.Apply());
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window.GetHandle(), &rect));
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 80);
    EXPECT_EQ(rect.right, 356);
    EXPECT_EQ(rect.bottom, 208);
    EXPECT_NE(GetWindowLongA(window.GetHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
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
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window.GetHandle(), &rect));
    EXPECT_EQ(rect.right - rect.left, 1234);
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
    const PlatformTrayIcon& icon = PlatformTrayIcons().back();
    EXPECT_EQ(icon.hWnd, second.GetHandle());
    EXPECT_EQ(icon.uCallbackMessage, static_cast<UINT>(WM_APP));
    EXPECT_STREQ(icon.szTip, "Tray two");
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
    core.CenterWindow("absent", 0);
    core.desktopWidth = width;
    core.desktopHeight = height;
    EXPECT_EQ(core.windows.Count(nullptr), 1u);
}

TEST_F(WindowTest, AttachAndDetachLeaveTheOutsideWindowAlone) {
    OvTest::ProcedureWindow outside("outside");
    OV_WINDOW& window = Record("guest", "Guest");
    EXPECT_FALSE(window.Attach(nullptr, EmptyHandle()));  // no window, no render target
    EXPECT_FALSE(window.IsAttached());
    ASSERT_TRUE(window.Attach(outside.hwnd, EmptyHandle()));
    EXPECT_TRUE(window.IsAttached());
    EXPECT_FALSE(IsEmptyHandle(window.GetRenderTarget()));
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
    EXPECT_EQ(moved.GetHandle(), hwnd);
    EXPECT_EQ(window.GetHandle(), nullptr);
    EXPECT_TRUE(IsEmptyHandle(window.GetRenderTarget()));
    window = std::move(moved);
    EXPECT_EQ(window.GetHandle(), hwnd);
    EXPECT_EQ(window.title, "Move test");
    window.Destroy();
}

TEST_F(WindowTest, ReadDesktopTakesTheScreen) {
    OV_WINDOW window;
    window.x = 5;
    window.ReadDesktop();
    EXPECT_EQ(window.x, 0);
    EXPECT_EQ(window.width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(window.height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_FLOAT_EQ(window.aspect, static_cast<float>(window.width) / window.height);
}

} // namespace
