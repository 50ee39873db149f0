// The framework timer: seconds since system start from the performance
// counter, or from the tick count when the counter's frequency is unavailable.
#pragma once

#include <cstdint>

namespace OvCore {

// Seconds as a 32-bit float, counted from the timer's first use in this
// process so that frame times keep millisecond resolution however long the
// system has been up; the message loop's frame times.
float TimerSeconds();
// Seconds since system start as a double.
double TimerSecondsPrecise();
// Milliseconds, truncated, wrapping at 32 bits as the tick count does.
int32_t TimerMilliseconds();

// Sleeps the calling thread for about `seconds` (nothing for 0 or less, at
// most 1 s); the system may wake it late, and a signal early.
void TimerSleep(double seconds);

// A replacement clock in seconds, for tests that drive time exactly. While one
// is set, TimerSeconds is float(clock()), TimerSecondsPrecise is clock() and
// TimerMilliseconds is clock() * 1000 truncated. Null restores the real clock.
using TimerClock = double (*)();
void SetTimerClock(TimerClock clock);  // null restores the real clock
// A replacement for TimerSleep, for tests that drive a replacement clock
// through sleeps. Null restores the real sleep.
using TimerSleeper = void (*)(double seconds);
void SetTimerSleeper(TimerSleeper sleeper);  // null restores the real sleep

}  // namespace OvCore
