#include "ovcore/foundation/Timer.h"

#include "ovcore/foundation/MathHelpers.h"
#include "ovcore/platform/Windows.h"

#include <time.h>

namespace OvCore {
namespace {

// Made on first use: the counter frequency and whether it could be read.
struct TimerRecord {
    LONGLONG frequency = 0;
    bool hasCounter = false;
};

const TimerRecord& Record() {
    static const TimerRecord record = [] {
        TimerRecord r;
        LARGE_INTEGER frequency;
        if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
            r.frequency = frequency.QuadPart;
            r.hasCounter = true;
        }
        return r;
    }();
    return record;
}

TimerClock g_clock = nullptr;
TimerSleeper g_sleeper = nullptr;
constexpr double kLongestSleep = 1.0;

LONGLONG Counter() {
    LARGE_INTEGER count;
    count.QuadPart = 0;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

}  // namespace

void SetTimerClock(TimerClock clock) { g_clock = clock; }

void SetTimerSleeper(TimerSleeper sleeper) { g_sleeper = sleeper; }

void TimerSleep(double seconds) {
    if (!(seconds > 0.0)) return;
    if (seconds > kLongestSleep) seconds = kLongestSleep;
    if (g_sleeper) {
        g_sleeper(seconds);
        return;
    }
    const long nanoseconds = static_cast<long>(seconds * 1e9);
    const timespec span{nanoseconds / 1000000000L, nanoseconds % 1000000000L};
    clock_nanosleep(CLOCK_MONOTONIC, 0, &span, nullptr);
}

double TimerSecondsPrecise() {
    if (g_clock) return g_clock();
    const TimerRecord& timer = Record();
    if (!timer.hasCounter) return GetTickCount() / 1000.0;
    return double(Counter()) / double(timer.frequency);
}

// Frame times are float seconds. Counted from system start they would lose
// their resolution as uptime grows (a step of 1/32 s after four days), so the
// real clock's float seconds count from the timer's first use instead; the
// precise double keeps counting from system start, which is what the random
// generator's reseed needs to differ from run to run.
float TimerSeconds() {
    if (g_clock) return float(g_clock());
    static const double epoch = TimerSecondsPrecise();
    return float(TimerSecondsPrecise() - epoch);
}

int32_t TimerMilliseconds() {
    if (g_clock) return int32_t(TruncateToInt64(g_clock() * 1000));
    const TimerRecord& timer = Record();
    if (!timer.hasCounter) return int32_t(GetTickCount());
    // Whole seconds and the remainder apart, so the product cannot overflow.
    const LONGLONG count = Counter();
    const LONGLONG ms = count / timer.frequency * 1000 + count % timer.frequency * 1000 / timer.frequency;
    return int32_t(ms);
}

}  // namespace OvCore
