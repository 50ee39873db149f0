#include "AppTestSupport.h"

#include "ovcore/launch/EntryPoint.h"
#include "ovcore/app/RenderStateFunctions.h"
#include "ovcore/foundation/EngineHandle.h"
#include "game/GameScene.h"

#include <cstdlib>
#include <string>

using namespace OvCore;

namespace {

class RenderAndEntryTest : public OvTest::AppTest {
protected:
    // The colour of a pixel of the current target, as 0xRRGGBB.
    static unsigned PixelAt(int x, int y) {
        unsigned char rgba[4] = {};
        EXPECT_EQ(OvRenderTargetReadPixels(x, y, 1, 1, rgba), 1);
        return rgba[0] << 16 | rgba[1] << 8 | rgba[2];
    }

    static bool Near(unsigned a, unsigned b) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 1)
                return false;
        return true;
    }
};

TEST_F(RenderAndEntryTest, ChannelOfSplitsAPackedColour) {
    const uint32_t color = 0x80FF4000;  // alpha 0x80, blue 0xFF, green 0x40, red 0x00
    EXPECT_EQ(ChannelOf(color, 'R'), 0.0);
    EXPECT_DOUBLE_EQ(ChannelOf(color, 'g'), 0x40 / 255.0);
    EXPECT_EQ(ChannelOf(color, 'B'), 1.0);
    EXPECT_DOUBLE_EQ(ChannelOf(color, 'a'), 0x80 / 255.0);
    EXPECT_EQ(ChannelOf(color, 'X') + ChannelOf(color, '\0'), 0.0);
}

TEST_F(RenderAndEntryTest, ClearScreenFillsTheActiveWindowWithTheColour) {
    OV_WINDOW& window = *core.windows.Get("canvas", 0);
    window.title = "Canvas";
    window.width = 64;
    window.height = 32;
    ASSERT_TRUE(window.Create(EmptyHandle()));
    core.ActivateWindow("canvas", 0);
    ClearScreen(0xFF336699u);  // red 0x99, green 0x66, blue 0x33
    EXPECT_TRUE(Near(PixelAt(0, 0), 0x996633));
    EXPECT_TRUE(Near(PixelAt(63, 31), 0x996633));
    ClearScreen(0.0, 1.0, 0.0, 1.0);
    EXPECT_TRUE(Near(PixelAt(10, 10), 0x00FF00));

    core.WindowOrthoView("canvas", 0);
    double projection[16] = {};
    ASSERT_EQ(OvRenderMatrixRead(OV_MATRIX_PROJECTION, projection), 1);
    EXPECT_DOUBLE_EQ(projection[0], 2.0 / 64);  // x spans the window's width
    EXPECT_DOUBLE_EQ(projection[5], -2.0 / 32);  // y grows downwards over its height
}

// Records what the program looked like while its game scene ran.
struct Observed {
    bool ran = false;
    std::string title, scene, commandLine;
    int bitsPerPixel = 0;
    bool live = false, ignoreRepeat = false;
};
Observed g_observed;

void ObservingGameScene() {
    const OV_WINDOW* window = core.windows.Access(FIND, "main", 0).Value();
    g_observed.ran = true;
    g_observed.title = window->title.Get();
    g_observed.bitsPerPixel = window->bitsPerPixel;
    g_observed.live = IsWindow(window->GetHandle());
    g_observed.ignoreRepeat = InputStore().ignoreRepeat;
    g_observed.scene = core.scenes.current.Key()->name;
    g_observed.commandLine = CommandLine.Get();
}

TEST_F(RenderAndEntryTest, EntryPointRunsIntroThenGameAroundTheMainWindow) {
    g_observed = Observed{};
    EXPECT_EQ(OvMain("-level 2", ObservingGameScene), 1);
    OvInitiation();  // the entry point closed the engine; later tests need it
    EXPECT_TRUE(g_observed.ran);
    EXPECT_EQ(g_observed.title, "Gorvane");
    EXPECT_EQ(g_observed.bitsPerPixel, 32);
    EXPECT_TRUE(g_observed.live);
    EXPECT_TRUE(g_observed.ignoreRepeat);
    EXPECT_EQ(g_observed.scene, "game");
    EXPECT_EQ(g_observed.commandLine, "-level 2");
    EXPECT_EQ(core.scenes.list.Count(nullptr), 2u);
    EXPECT_EQ(core.windows.Get("main", 0)->GetHandle(), nullptr);
}

TEST_F(RenderAndEntryTest, EntryPointFailsWithoutRunningScenesWhenTheMainWindowCannotBeMade) {
    g_observed = Observed{};
    OvTest::ProcedureWindow squatter("Gorvane");  // holds the main window's class name
    EXPECT_EQ(OvMain("", ObservingGameScene), 0);
    EXPECT_FALSE(g_observed.ran);
    EXPECT_TRUE(IsWindow(squatter.hwnd));
}

TEST_F(RenderAndEntryTest, GameSceneShowsTheCentredWindowUntilEscape) {
    OV_WINDOW& window = *core.windows.Get("main", 0);
    window.title = "Game scene test";
    ASSERT_TRUE(window.Create(EmptyHandle()));
    *core.scenes.list.Get("game", 0) = GameScene;
    core.scenes.current = core.scenes.list.Begin();
    ASSERT_TRUE(PostMessageA(window.GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0));
    GameScene();
    EXPECT_TRUE(core.scenes.current.IsEnd());
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window.GetHandle(), &rect));
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_EQ(rect.left, core.desktopWidth / 2 - 400);
    EXPECT_EQ(rect.top, core.desktopHeight / 2 - 300);
    const unsigned dark = PixelAt(400, 300);
    EXPECT_LT(dark & 0xFF, 0x40u);
    EXPECT_TRUE(Near(dark, PixelAt(0, 0)));
}

}  // namespace
