#include "AppTestSupport.h"

#include <algorithm>
#include <vector>

using namespace OvCore;

namespace {

constexpr double kStep = 1.0 / 1024.0;  // exact in float and double
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

// A system whose sleeps end `late` seconds after they should.
struct FakeSleeper {
    static inline double late = 0.0;
    static inline int sleeps = 0;
    static void Sleep(double seconds) {
        ++sleeps;
        OvTest::FakeClock::now += seconds + late;
    }
};

class SleepingLimiterTest : public MessageLoopTest {
protected:
    static constexpr double kFine = 1.0 / 65536.0;  // a clock step far below a millisecond

    void SetUp() override {
        MessageLoopTest::SetUp();
        FakeSleeper::late = 0.0;
        FakeSleeper::sleeps = 0;
        SetTimerSleeper(FakeSleeper::Sleep);
    }
    void TearDown() override {
        SetTimerSleeper(nullptr);
        MessageLoopTest::TearDown();
    }
    // The frame times of `frames` frames at 16 ms (the first delta is 0),
    // and how often the loop read the clock for them.
    FrameLog Run(OV_FRAME_LIMITER limiter, int frames, int& reads) {
        OvTest::FakeClock::Start(kFine);
        LoopState().frameMs = 16;
        LoopState().limiter = limiter;
        FrameLog log;
        log.limit = frames;
        RunMessageLoop(LogFrame, &log);
        reads = OvTest::FakeClock::reads;
        return log;
    }
    // Every frame lasts its threshold (waitLong, waitShort in turn) to within
    // two clock steps: never shorter, and never later than the busy wait.
    static void ExpectOnTime(const FrameLog& log, int from) {
        for (int i = std::max(from, 1); i < log.Frames(); ++i) {
            const float wait = (i % 2 == 1 ? LoopState().waitLong : LoopState().waitShort) / 1000.0f;
            EXPECT_GE(log.deltas[static_cast<size_t>(i)], wait) << "frame " << i;
            EXPECT_LE(log.deltas[static_cast<size_t>(i)], wait + 2 * kFine) << "frame " << i;
        }
    }
};

TEST_F(SleepingLimiterTest, FramesEndAsTheBusyWaitsDoWhileTheTimerIsReadLittle) {
    int busyReads = 0, sleepingReads = 0;
    const FrameLog busy = Run(OV_FRAME_LIMITER::BUSY_WAIT, 7, busyReads);
    ExpectOnTime(busy, 1);
    EXPECT_EQ(FakeSleeper::sleeps, 0);
    const FrameLog sleeping = Run(OV_FRAME_LIMITER::SLEEP, 7, sleepingReads);
    ExpectOnTime(sleeping, 1);
    EXPECT_EQ(FakeSleeper::sleeps, 7);  // the last frame waits too
    // Calibration reads the clock as often in both; the frames' busy waits
    // shrink to the margin (1 ms, falling towards 0.1 ms while sleeps end on time).
    const int calibrationReads = 2 * 17 * 66;
    EXPECT_GT(busyReads - calibrationReads, 6 * 15 * 65);
    EXPECT_LT(sleepingReads - calibrationReads, 6 * 1 * 70);
    EXPECT_LT(LoopState().sleepMargin, 1.0f);
    EXPECT_GE(LoopState().sleepMargin, 0.1f);

    // Without a frame limit nothing sleeps.
    LoopState().frameMs = 0;
    FrameLog unlimited;
    unlimited.limit = 3;
    RunMessageLoop(LogFrame, &unlimited);
    EXPECT_EQ(FakeSleeper::sleeps, 7);  // the last frame waits too
}

TEST_F(SleepingLimiterTest, TheMarginGrowsWithLateWakeUpsSoLaterFramesEndOnTime) {
    FakeSleeper::late = 0.0015;  // 1.5 ms late every time, beyond the first margin of 1 ms
    int reads = 0;
    const FrameLog log = Run(OV_FRAME_LIMITER::SLEEP, 6, reads);
    ASSERT_EQ(log.Frames(), 6);
    EXPECT_GT(log.deltas[1], LoopState().waitLong / 1000.0f + 0.0004f);  // the first frame ends 0.5 ms late
    ExpectOnTime(log, 2);
    EXPECT_NEAR(LoopState().sleepMargin, 1.6, 0.05);  // what the system overslept, and 0.1 ms
    // A wake-up later than the largest margin still never ends a frame early.
    FakeSleeper::late = 0.010;
    const FrameLog later = Run(OV_FRAME_LIMITER::SLEEP, 4, reads);
    for (int i = 1; i < later.Frames(); ++i) {
        EXPECT_GE(later.deltas[static_cast<size_t>(i)], LoopState().waitShort / 1000.0f);
    }
    EXPECT_FLOAT_EQ(LoopState().sleepMargin, 2.0f);
}

}  // namespace
