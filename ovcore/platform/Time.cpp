// Performance counter and tick count over the monotonic clock.
#include "ovcore/platform/Windows.h"

#include <ctime>

namespace {

constexpr LONGLONG kNanosecondsPerSecond = 1000000000LL;

LONGLONG MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<LONGLONG>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

}  // namespace

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (!count) return FALSE;
    count->QuadPart = MonotonicNanoseconds();
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency) return FALSE;
    frequency->QuadPart = kNanosecondsPerSecond;
    return TRUE;
}

DWORD GetTickCount(void) { return static_cast<DWORD>(MonotonicNanoseconds() / 1000000LL); }
