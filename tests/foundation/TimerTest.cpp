#include "ovcore/foundation/Timer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

using namespace OvCore;

namespace {

double g_now = 0;
double FakeClock() { return g_now; }

// Installs the fake clock for one test and always restores the real one.
class TimerWithFakeClock : public ::testing::Test {
protected:
    void SetUp() override { SetTimerClock(FakeClock); }
    void TearDown() override { SetTimerClock(nullptr); }
};

double MonotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

}  // namespace

TEST_F(TimerWithFakeClock, AllThreeFunctionsFollowTheClock) {
    g_now = 12.3456789;
    EXPECT_EQ(TimerSecondsPrecise(), 12.3456789);
    EXPECT_EQ(TimerSeconds(), float(12.3456789));
    EXPECT_EQ(TimerMilliseconds(), 12345);
    g_now = 0.016;
    EXPECT_EQ(TimerMilliseconds(), 16);
    g_now = 0.0159999;
    EXPECT_EQ(TimerMilliseconds(), 15);  // truncated, not rounded
}

TEST_F(TimerWithFakeClock, MillisecondsWrapAt32Bits) {
    g_now = 3000000.0;  // 3e9 ms, past INT32_MAX
    EXPECT_EQ(TimerMilliseconds(), int32_t(uint32_t(3000000000u)));
    g_now = std::nan("");
    EXPECT_EQ(TimerMilliseconds(), 0);
}

TEST_F(TimerWithFakeClock, FloatSecondsLoseResolutionAsTheClockGrows) {
    // Frame times are 32-bit float seconds: 1/60 s survives at 100 s of
    // uptime, but the step is 1/32 s by 4.2 days (2^19 s).
    g_now = 100.0 + 1.0 / 60;
    EXPECT_NEAR(TimerSeconds() - 100.0f, 1.0 / 60, 1e-5);
    g_now = 524288.0 + 1.0 / 60;
    EXPECT_EQ(TimerSeconds(), 524288.0f);
}

TEST(Timer, NullClockRestoresTheRealClock) {
    SetTimerClock(FakeClock);
    g_now = -5;
    EXPECT_EQ(TimerSecondsPrecise(), -5);
    SetTimerClock(nullptr);
    EXPECT_GT(TimerSecondsPrecise(), 0);
}

TEST(Timer, RealClockCountsSecondsSinceSystemStart) {
    const double before = MonotonicSeconds();
    const double precise = TimerSecondsPrecise();
    const float seconds = TimerSeconds();
    const int32_t ms = TimerMilliseconds();
    const double after = MonotonicSeconds();
    EXPECT_GE(precise, before);
    EXPECT_LE(precise, after);
    EXPECT_NEAR(double(ms) / 1000, precise, 1.0);
    EXPECT_LE(precise, TimerSecondsPrecise());  // never goes back
    // Float seconds count from the first use, so they stay small and keep
    // sub-millisecond steps whatever the uptime.
    EXPECT_GE(seconds, 0.0f);
    EXPECT_LT(seconds, 600.0f);
    const float later = TimerSeconds();
    EXPECT_GE(later, seconds);
    EXPECT_LT(later - seconds, 1.0f);
}
