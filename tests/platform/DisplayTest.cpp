#include "TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

DEVMODEA SizedMode(DWORD width, DWORD height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = 32;
    return mode;
}

}  // namespace

TEST(DisplayTest, ScreenSizeAndCurrentModeAgree) {
    DEVMODEA current{};
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    EXPECT_EQ(static_cast<int>(current.dmPelsWidth), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(static_cast<int>(current.dmPelsHeight), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_EQ(GetSystemMetrics(99), 0);
    EXPECT_FALSE(EnumDisplaySettingsA(nullptr, 100000, &current));

    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    SDL_DisplayMode mode{};
    ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &mode), 0);
    EXPECT_EQ(GetDeviceCaps(screen, VREFRESH), mode.refresh_rate);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    PlatformDeviceContext* bogus = reinterpret_cast<PlatformDeviceContext*>(&mode);
    EXPECT_EQ(GetDeviceCaps(bogus, VREFRESH), 0);

    TestWindow window("display caps");
    HDC windowContext = GetDC(window.Handle());
    EXPECT_EQ(GetDeviceCaps(windowContext, VREFRESH), mode.refresh_rate);
}

TEST(DisplayTest, ModesTheDisplayLacksAreRefusedAndRestoringSucceeds) {
    DEVMODEA odd = SizedMode(1234, 567);
    EXPECT_EQ(ChangeDisplaySettingsA(&odd, 0), DISP_CHANGE_BADMODE);
    EXPECT_FALSE(PlatformRequestedDisplayMode(nullptr));
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);

    DEVMODEA empty{};
    empty.dmSize = sizeof(empty);
    EXPECT_EQ(ChangeDisplaySettingsA(&empty, 0), DISP_CHANGE_SUCCESSFUL);

    DEVMODEA wrongRate{};
    wrongRate.dmFields = DM_DISPLAYFREQUENCY;
    wrongRate.dmDisplayFrequency = 12345;
    EXPECT_EQ(ChangeDisplaySettingsA(&wrongRate, 0), DISP_CHANGE_BADMODE);
}

TEST(DisplayTest, TheDesktopModeIsAcceptedWithoutAFullScreenRequest) {
    DEVMODEA desktop =
        SizedMode(static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN)), static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_EQ(ChangeDisplaySettingsA(&desktop, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_FALSE(PlatformRequestedDisplayMode(nullptr));
    DEVMODEA current{};
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    DEVMODEA sameRate{};
    sameRate.dmFields = DM_DISPLAYFREQUENCY;
    sameRate.dmDisplayFrequency = current.dmDisplayFrequency;
    EXPECT_EQ(ChangeDisplaySettingsA(&sameRate, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
}
