#include "AppTestSupport.h"

#include <vector>

using namespace OvCore;

namespace {

constexpr double kStep = 1.0 / 1024.0;     // exact in float and double
constexpr float kStepMs = 1000.0f / 1024.0f;  // 0.9765625 ms

class MessageLoopTest : public OvTest::AppTest {};

// Frame function state: the loop state as each frame saw it, ending the
// loop after `frames` frames.
struct FrameLog {
    int frames = 0;
    int limit = 1;
    std::vector<float> deltas;
    std::vector<float> fps;
};

void LogFrame(HWND, void* userData) {
    auto* log = static_cast<FrameLog*>(userData);
    log->deltas.push_back(LoopState().delta);
    log->fps.push_back(LoopState().fps);
    if (++log->frames >= log->limit) LoopState().running = false;
}

TEST_F(MessageLoopTest, CalibrationTargetsOneMillisecondOverTheFrameWithAMarginByLength) {
    // The clock advances one step per read. Calibration samples it twice per
    // round: waitShort is the last odd sample below target - margin, waitLong
    // the even sample after the first odd one at or past the target.
    OvTest::FakeClock::Start(kStep);
    LoopState().frameMs = 16;  // target 17, margin 1
    CalibrateFrameLimiter();
    EXPECT_FLOAT_EQ(LoopState().waitShort, 15 * kStepMs);
    EXPECT_FLOAT_EQ(LoopState().waitLong, 20 * kStepMs);

    OvTest::FakeClock::Start(kStep);
    LoopState().frameMs = 13;  // target 14 is not above 14: margin 2
    CalibrateFrameLimiter();
    EXPECT_FLOAT_EQ(LoopState().waitShort, 11 * kStepMs);
    EXPECT_FLOAT_EQ(LoopState().waitLong, 16 * kStepMs);

    OvTest::FakeClock::Start(kStep);
    LoopState().frameMs = 0;
    CalibrateFrameLimiter();
    EXPECT_EQ(LoopState().waitShort, 0.0f);
    EXPECT_EQ(LoopState().waitLong, 0.0f);
    EXPECT_LE(OvTest::FakeClock::reads, 1);
}

TEST_F(MessageLoopTest, LimitedFramesAlternateLongAndShortAndDeltaIsThePreviousFrame) {
    OvTest::FakeClock::Start(kStep);
    LoopState().frameMs = 16;
    FrameLog log;
    log.limit = 4;
    EXPECT_TRUE(RunMessageLoop(LogFrame, &log));
    ASSERT_EQ(log.deltas.size(), 4u);
    EXPECT_FLOAT_EQ(log.deltas[1], static_cast<float>(20 * kStep));
    EXPECT_FLOAT_EQ(log.deltas[2], static_cast<float>(15 * kStep));
    EXPECT_FLOAT_EQ(log.deltas[3], static_cast<float>(20 * kStep));
    EXPECT_FLOAT_EQ(LoopState().delta, static_cast<float>(15 * kStep));
}

TEST_F(MessageLoopTest, FpsIsRefreshedOncePerSecondOfFrameTime) {
    // Four frames of 0.25 s make a second. A value planted after the first
    // refresh must survive until the second one, four frames later.
    OvTest::FakeClock::Start(0.25);
    LoopState().fps = -1.0f;
    FrameLog log;
    log.limit = 9;
    RunMessageLoop(
        [](HWND hwnd, void* userData) {
            LogFrame(hwnd, userData);
            if (static_cast<FrameLog*>(userData)->frames == 6) LoopState().fps = -2.0f;
        },
        &log);
    ASSERT_EQ(log.fps.size(), 9u);
    const std::vector<float> expected = {-1, -1, -1, -1, 4, 4, -2, -2, 4};
    EXPECT_EQ(log.fps, expected);
    EXPECT_FLOAT_EQ(log.deltas[1], 0.25f);
}

TEST_F(MessageLoopTest, QuitEndsTheLoopBeforeAnyFrameAndRunningIsSetAgain) {
    PostQuitMessage(0);
    FrameLog log;
    EXPECT_TRUE(RunMessageLoop(LogFrame, &log));
    EXPECT_EQ(log.frames, 0);
    EXPECT_TRUE(LoopState().running);

    LoopState().running = false;
    EXPECT_TRUE(RunMessageLoop(LogFrame, &log));
    EXPECT_EQ(log.frames, 0);
}

TEST_F(MessageLoopTest, ClosingAWindowEndsTheLoopAndKeepsTheWindow) {
    OvTest::ProcedureWindow window("loop close");
    ASSERT_NE(window.hwnd, nullptr);
    for (UINT closing : {static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_SYSCOMMAND)}) {
        window.Post(closing, closing == WM_SYSCOMMAND ? SC_CLOSE : 0);
        FrameLog log;
        log.limit = 1000;
        EXPECT_TRUE(RunMessageLoop(LogFrame, &log));
        EXPECT_LT(log.frames, 1000) << closing;
        EXPECT_TRUE(IsWindow(window.hwnd));
    }
}

TEST_F(MessageLoopTest, ScreenSaverAndMonitorPowerCommandsAreSwallowed) {
    OvTest::ProcedureWindow window("loop saver");
    EXPECT_EQ(WindowProcedure(window.hwnd, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(WindowProcedure(window.hwnd, WM_SYSCOMMAND, SC_MONITORPOWER | 2, 0), 0);
    FrameLog log;
    log.limit = 3;
    RunMessageLoop(LogFrame, &log);
    EXPECT_EQ(log.frames, 3);  // no quit was posted
}

} // namespace
