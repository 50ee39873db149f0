#include "TestWindow.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(WindowTest, ReadsBackItsPositionAndSizeAfterCreationAndMoves) {
    TestWindow window("geometry", 100, 120, 320, 200);
    ASSERT_NE(window.Handle(), nullptr);
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window.Handle(), &rect));
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right, 420);
    EXPECT_EQ(rect.bottom, 320);
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(PlatformWindowSdl(window.Handle()), &x, &y);
    SDL_GetWindowSize(PlatformWindowSdl(window.Handle()), &width, &height);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 120);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);

    ASSERT_TRUE(MoveWindow(window.Handle(), 40, 50, 200, 100, TRUE));
    ASSERT_TRUE(GetClientRect(window.Handle(), &rect));
    EXPECT_EQ(rect.right, 200);
    EXPECT_EQ(rect.bottom, 100);
    ASSERT_TRUE(GetWindowRect(window.Handle(), &rect));
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);

    RECT adjusted{10, 20, 30, 40};
    EXPECT_TRUE(AdjustWindowRectEx(&adjusted, WS_POPUP, FALSE, WS_EX_APPWINDOW));
    EXPECT_EQ(adjusted.left, 10);
    EXPECT_EQ(adjusted.bottom, 40);
}

TEST(WindowTest, ClassNameIsRefusedWhileLiveAndAcceptedAfterUnregistering) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = "unique";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(RegisterClassA(&windowClass), 0);

    HWND hwnd = CreateWindowExA(0, "unique", "unique", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(UnregisterClassA("unique", nullptr)) << "a class with a live window stays";
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClassA("unique", nullptr));
    EXPECT_FALSE(UnregisterClassA("unique", nullptr));
    EXPECT_NE(RegisterClassA(&windowClass), 0);
    EXPECT_TRUE(UnregisterClassA("unique", nullptr));

    EXPECT_EQ(CreateWindowExA(0, "never registered", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    WNDCLASSA nameless{};
    nameless.lpfnWndProc = RecordingProcedure;
    EXPECT_EQ(RegisterClassA(&nameless), 0);
    EXPECT_EQ(RegisterClassA(nullptr), 0);
}

TEST(WindowTest, DestroyedHandleIsRejectedByEveryCall) {
    HWND stale = nullptr;
    {
        TestWindow window("stale");
        stale = window.Handle();
        ASSERT_TRUE(IsWindow(stale));
        Received().clear();
    }
    ASSERT_EQ(Received().size(), 1u);
    EXPECT_EQ(Received()[0].message, static_cast<UINT>(WM_DESTROY));
    RECT rect{};
    EXPECT_FALSE(IsWindow(stale));
    EXPECT_FALSE(DestroyWindow(stale));
    EXPECT_FALSE(GetWindowRect(stale, &rect));
    EXPECT_FALSE(ShowWindow(stale, SW_SHOW));
    EXPECT_FALSE(MoveWindow(stale, 0, 0, 5, 5, TRUE));
    EXPECT_FALSE(SetLayeredWindowAttributes(stale, 0, 10, LWA_ALPHA));
    EXPECT_FALSE(PostMessageA(stale, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(stale, WM_USER, 0, 0), 0);
    EXPECT_EQ(PlatformWindowSdl(stale), nullptr);
    EXPECT_EQ(GetDC(stale), nullptr);
    EXPECT_FALSE(IsWindow(nullptr));
}

TEST(WindowTest, StylesShowStateAndTranslucencyReachTheSdlWindow) {
    TestWindow tool("tool", 0, 0, 50, 50, WS_EX_TOOLWINDOW);
    SDL_Window* sdl = PlatformWindowSdl(tool.Handle());
    EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_SKIP_TASKBAR);
    EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_BORDERLESS);
    EXPECT_FALSE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_SHOWN) << "hidden until shown";

    EXPECT_FALSE(ShowWindow(tool.Handle(), SW_SHOW));
    EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_SHOWN);
    EXPECT_TRUE(ShowWindow(tool.Handle(), SW_HIDE));
    EXPECT_FALSE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_SHOWN);

    EXPECT_EQ(SetWindowLongA(tool.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_LAYERED),
              static_cast<LONG>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(GetWindowLongA(tool.Handle(), GWL_EXSTYLE), static_cast<LONG>(WS_EX_TOOLWINDOW | WS_EX_LAYERED));
    EXPECT_EQ(GetWindowLongA(tool.Handle(), GWL_STYLE), static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(GetWindowLongA(tool.Handle(), 12345), 0);

    ASSERT_TRUE(SetLayeredWindowAttributes(tool.Handle(), 0x00FF00FF, 127, LWA_ALPHA | LWA_COLORKEY));
    float opacity = 0;
    ASSERT_EQ(SDL_GetWindowOpacity(sdl, &opacity), 0);
    EXPECT_NEAR(opacity, 127.0f / 255.0f, 1e-3);
    PlatformLayeredAttributes recorded{};
    ASSERT_TRUE(PlatformGetLayeredAttributes(tool.Handle(), &recorded));
    EXPECT_EQ(recorded.colorKey, 0x00FF00FFu);
    EXPECT_EQ(recorded.alpha, 127);
    EXPECT_EQ(recorded.flags, static_cast<DWORD>(LWA_ALPHA | LWA_COLORKEY));

    SetWindowLongA(tool.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    SDL_GetWindowOpacity(sdl, &opacity);
    EXPECT_FLOAT_EQ(opacity, 1.0f) << "without the layered style the window is opaque";

    EXPECT_TRUE(SetWindowTextA(tool.Handle(), "renamed"));
    EXPECT_STREQ(SDL_GetWindowTitle(sdl), "renamed");
}
