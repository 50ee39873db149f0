#include "AppTestSupport.h"

#include <vector>

using namespace OvCore;

namespace {

constexpr double kStep = 1.0 / 1024.0;        // exact in float and double
constexpr float kStepMs = 1000.0f / 1024.0f;  // 0.9765625 ms
constexpr float kStepSeconds = 1.0f / 1024.0f;

// What each frame saw; the loop ends after `limit` frames.
struct FrameLog {
    int limit = 1;
    std::vector<float> deltas, fps;
    int Frames() const { return static_cast<int>(deltas.size()); }
};

void LogFrame(HWND, void* data) {
    auto* log = static_cast<FrameLog*>(data);
    log->deltas.push_back(LoopState().delta);
    log->fps.push_back(LoopState().fps);
    if (log->Frames() >= log->limit) LoopState().running = false;
}

class MessageLoopTest : public OvTest::AppTest {};

TEST_F(MessageLoopTest, CalibrationTargetsOneMillisecondOverTheFrameWithAMarginByLength) {
    // One clock step per read, two reads per round: waitShort is the last odd
    // sample below target - margin, waitLong the even sample after the first
    // odd one at or past the target.
    struct Case {
        int frameMs, shortSteps, longSteps;
    };
    for (const Case c : {Case{16, 15, 20},  // target 17, margin 1
                         Case{13, 11, 16},  // target 14 is not above 14: margin 2
                         Case{0, 0, 0}}) {
        OvTest::FakeClock::Start(kStep);
        LoopState().frameMs = c.frameMs;
        CalibrateFrameLimiter();
        EXPECT_FLOAT_EQ(LoopState().waitShort, c.shortSteps * kStepMs) << c.frameMs;
        EXPECT_FLOAT_EQ(LoopState().waitLong, c.longSteps * kStepMs) << c.frameMs;
    }
    EXPECT_LE(OvTest::FakeClock::reads, 1);
}

TEST_F(MessageLoopTest, LimitedFramesAlternateLongAndShortAndDeltaIsThePreviousFrame) {
    OvTest::FakeClock::Start(kStep);
    LoopState().frameMs = 16;
    FrameLog log;
    log.limit = 4;
    EXPECT_TRUE(RunMessageLoop(LogFrame, &log));
    const std::vector<float> expected = {0.0f, 20 * kStepSeconds, 15 * kStepSeconds, 20 * kStepSeconds};
    EXPECT_EQ(log.deltas, expected);
    EXPECT_FLOAT_EQ(LoopState().delta, 15 * kStepSeconds);
}

TEST_F(MessageLoopTest, FpsIsRefreshedOncePerSecondOfFrameTime) {
    // Four frames of 0.25 s make a second; a value planted after the first
    // refresh survives until the second one.
    OvTest::FakeClock::Start(0.25);
    LoopState().fps = -1.0f;
    FrameLog log;
    log.limit = 9;
    RunMessageLoop(
        [](HWND hwnd, void* data) {
            LogFrame(hwnd, data);
            if (static_cast<FrameLog*>(data)->Frames() == 6) LoopState().fps = -2.0f;
        },
        &log);
    const std::vector<float> expected = {-1, -1, -1, -1, 4, 4, -2, -2, 4};
    EXPECT_EQ(log.fps, expected);
}

TEST_F(MessageLoopTest, QuitEndsTheLoopBeforeAnyFrameAndRunningIsSetAgain) {
    PostQuitMessage(0);
    FrameLog log;
    EXPECT_TRUE(RunMessageLoop(LogFrame, &log));
    EXPECT_EQ(log.Frames(), 0);
    EXPECT_TRUE(LoopState().running);
}

TEST_F(MessageLoopTest, ClosingAWindowEndsTheLoopButScreenSaverCommandsAreSwallowed) {
    OvTest::ProcedureWindow window("loop close");
    window.Post(WM_SYSCOMMAND, SC_SCREENSAVE);
    window.Post(WM_SYSCOMMAND, SC_MONITORPOWER | 2);  // the low four bits are the system's
    FrameLog log;
    log.limit = 3;
    RunMessageLoop(LogFrame, &log);
    EXPECT_EQ(log.Frames(), 3);

    for (const WPARAM command : {WPARAM{0}, WPARAM{SC_CLOSE}}) {
        window.Post(command ? WM_SYSCOMMAND : WM_CLOSE, command);
        FrameLog closing;
        closing.limit = 1000;
        EXPECT_TRUE(RunMessageLoop(LogFrame, &closing));
        EXPECT_LT(closing.Frames(), 1000) << command;
        EXPECT_TRUE(IsWindow(window.hwnd));
    }
}

} // namespace
