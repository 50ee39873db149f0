// The intro run as the scene manager runs it, before a stand-in game scene,
// with input scripts moving the pointer over (or closing) the intro window.
#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/launch/IntroScene.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/Timer.h"
#include "ovcore/platform/InputScript.h"
#include "ovcore/platform/Platform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

namespace {

using namespace OvCore;

constexpr int kDrawColor = 255;

// Every frame reads the clock once: a step of 10 ms a read makes 100 frames
// a second of frame time.
double TenMillisecondClock() {
    static double now = 0.0;
    now += 0.01;
    return now;
}

double DrawAlpha() { return static_cast<const double*>(OvGetState(kDrawColor))[3]; }

// What the pointer moves over the intro window showed, one entry a frame.
struct IntroWatch {
    HWND window = nullptr;
    RECT frame{};
    float lastFrameTime = -1.0f;
    std::vector<double> alphas;
    std::vector<int> cursorCounts;
    bool gameRan = false;
    bool gameLoopReady = false;
    int cursorCountInGame = 0;
};

IntroWatch& Watch() {
    static IntroWatch watch;
    return watch;
}

void ObserveMessage(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_MOUSEMOVE) return;
    IntroWatch& watch = Watch();
    // The pointer's own motion may come as well: one entry a frame.
    if (LoopState().lastTime == watch.lastFrameTime) return;
    watch.lastFrameTime = LoopState().lastTime;
    watch.window = hwnd;
    GetWindowRect(hwnd, &watch.frame);
    watch.alphas.push_back(DrawAlpha());
    watch.cursorCounts.push_back(PlatformCursorDisplayCount());
}

void StandInGame() {
    Watch().gameRan = true;
    Watch().gameLoopReady = LoopState().running;
    Watch().cursorCountInGame = PlatformCursorDisplayCount();
}

std::string PointerScript(int frames) {
    std::ostringstream script;
    script << "wait \"Orvo Core Intro\" 640 360\n";
    for (int frame = 0; frame < frames; ++frame) script << frame << " move " << 10 + frame % 100 << " 20\n";
    return script.str();
}

class IntroSceneTest : public ::testing::Test {
protected:
    OV_WINDOW* mainWindow = nullptr;
    int cursorCountBefore = 0;

    void SetUp() override {
        Watch() = IntroWatch{};
        LoopState() = OV_LOOP_STATE{};
        InputStore() = OV_INPUT{};
        mainWindow = core.windows.Get("main", 0);
        mainWindow->title = "Gorvane";
        ASSERT_TRUE(mainWindow->Create(EmptyHandle()));
        core.scenes.list.Clear();
        *core.scenes.list.Get("intro", 0) = IntroScene;
        *core.scenes.list.Get("game", 0) = StandInGame;
        core.scenes.current = core.scenes.list.FindOrCreate("intro", 0);
        LoopState().messageObserver = ObserveMessage;
        SetTimerClock(TenMillisecondClock);
        cursorCountBefore = PlatformCursorDisplayCount();
    }

    void TearDown() override {
        SetTimerClock(nullptr);
        InputScriptLoad("");
        LoopState() = OV_LOOP_STATE{};
        core.scenes.list.Clear();
        core.scenes.current = core.scenes.list.End();
        core.scenes.advance = true;
        core.scenes.switchRequested = false;
        if (mainWindow->GetHandle()) mainWindow->Destroy();
        core.windows.Clear();
    }

    void RunScenes(const std::string& script) {
        InputScriptLoad(script);
        EXPECT_TRUE(core.scenes.Run());
        EXPECT_EQ(InputScriptPending(), 0u);
    }
};

TEST_F(IntroSceneTest, TheLogoFadesInAndOutOverTwoSecondsWithTheCursorHiddenThenTheGameStarts) {
    RunScenes(PointerScript(195));
    IntroWatch& watch = Watch();

    // (640, 360) on a 1920 x 1080 screen.
    EXPECT_EQ(watch.frame.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 320);
    EXPECT_EQ(watch.frame.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 180);
    EXPECT_EQ(watch.frame.right - watch.frame.left, 640);
    EXPECT_EQ(watch.frame.bottom - watch.frame.top, 360);
    EXPECT_FALSE(IsWindow(watch.window)) << "the intro destroys its window";

    // Entry k is the alpha of frame k - 1, the first one the colour set
    // before the loop. The first two frames are drawn at angle 0 (the first
    // reads the frame time of no frame yet), then the angle grows by 0.9
    // degrees a frame: highest at entry 102, back near 0 at the end.
    ASSERT_EQ(watch.alphas.size(), 195u);
    EXPECT_EQ(watch.alphas[1], 0.0);
    EXPECT_EQ(watch.alphas[2], 0.0);
    size_t peak = 1;
    for (size_t i = 1; i < watch.alphas.size(); ++i) {
        EXPECT_GE(watch.alphas[i], 0.0) << i;
        EXPECT_LE(watch.alphas[i], 1.0) << i;
        if (watch.alphas[i] > watch.alphas[peak]) peak = i;
    }
    EXPECT_NEAR(static_cast<double>(peak), 102.0, 2.0);
    EXPECT_NEAR(watch.alphas[peak], 1.0, 1e-3);
    EXPECT_NEAR(watch.alphas[52], std::sin(50 * 0.9 * M_PI / 180), 0.02);
    EXPECT_LT(watch.alphas.back(), 0.15);
    for (size_t i = 3; i < peak; ++i) EXPECT_GT(watch.alphas[i], watch.alphas[i - 1]) << i;
    for (size_t i = peak + 1; i < watch.alphas.size(); ++i) EXPECT_LT(watch.alphas[i], watch.alphas[i - 1]) << i;

    // Hidden once for the whole loop, shown once after it.
    for (int count : watch.cursorCounts) EXPECT_EQ(count, cursorCountBefore - 1);
    EXPECT_TRUE(watch.gameRan);
    EXPECT_TRUE(watch.gameLoopReady);
    EXPECT_EQ(watch.cursorCountInGame, cursorCountBefore);
    EXPECT_EQ(PlatformCursorDisplayCount(), cursorCountBefore);
}

TEST_F(IntroSceneTest, ClosingTheIntroWindowEndsItEarlyAndTheGameStillStarts) {
    RunScenes("wait \"Orvo Core Intro\" 640 360\n0 move 10 10\n1 move 11 10\n2 close\n");
    IntroWatch& watch = Watch();
    EXPECT_EQ(watch.alphas.size(), 2u);
    EXPECT_FALSE(IsWindow(watch.window));
    EXPECT_TRUE(watch.gameRan);
    EXPECT_TRUE(watch.gameLoopReady);
    EXPECT_EQ(watch.cursorCountInGame, cursorCountBefore);
}

// Frames driven directly, at a given frame time, over the main window.
class IntroFrameTest : public IntroSceneTest {
protected:
    int FramesUntilEnd(float delta) {
        OV_WINDOW& window = *mainWindow;
        OvRenderTargetActivate(window.GetRenderTarget());
        OV_TEXTURE image;
        double angle = 0.0;
        OV_INTRO_CONTEXT context{&window, &angle, &image};
        LoopState().delta = delta;
        int frames = 0;
        while (LoopState().running && frames < 100000) {
            IntroFrame(nullptr, &context);
            ++frames;
        }
        return frames;
    }
};

TEST_F(IntroFrameTest, TheFadeLastsTwoSecondsOfFrameTimeWhateverTheFrameRate) {
    // 1.40625 and 0.3515625 degrees a frame, exact in binary.
    EXPECT_EQ(FramesUntilEnd(1.0f / 64), 128);
    LoopState().running = true;
    EXPECT_EQ(FramesUntilEnd(1.0f / 256), 512);
    LoopState().running = true;
    EXPECT_EQ(FramesUntilEnd(3.0f), 1) << "one long frame ends it, drawn at the opacity of angle 0";
    EXPECT_NEAR(DrawAlpha(), 0.0, 1e-12);
}

TEST_F(IntroFrameTest, AFrameTimeThatIsNotANumberEndsTheIntroInsteadOfHangingIt) {
    EXPECT_EQ(FramesUntilEnd(std::numeric_limits<float>::quiet_NaN()), 1);
    LoopState().running = true;
    EXPECT_EQ(FramesUntilEnd(std::numeric_limits<float>::infinity()), 1);
}

}  // namespace
