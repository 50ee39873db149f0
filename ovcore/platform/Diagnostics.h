// Failure reports of the platform layer, the engine and the framework.
// Failures stay silent towards the user: a report only records its reason,
// the last one of the calling thread, which the engine hands out as
// OvLastError(). It reaches a log only when the application asks for one:
// through the callback, and on standard error when the environment variable
// OV_LOG is set (to anything but "" or "0").
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <cstdint>

// Reasons read "<layer>: <what failed>: <path or name>[: <cause>]".
using PlatformLogCallback = void (*)(const char* reason, void* user);

// Reasons longer than this many bytes are cut.
constexpr int kPlatformReasonCapacity = 512;

// Records a failure as the calling thread's last one (cut at
// kPlatformReasonCapacity), writes it to standard error when the log asks for it
// (OV_LOG), and passes it to the callback.
OV_PLATFORM_API void PlatformReportFailure(const char* format, ...) __attribute__((format(printf, 1, 2)));
// "" until the calling thread's first failure.
OV_PLATFORM_API const char* PlatformLastFailure();
// How many failures the calling thread has reported so far (0 at its start).
// A layer compares it before and after a call into a lower one to learn
// whether that one already gave the reason, so a failure is reported once.
OV_PLATFORM_API uint64_t PlatformFailureCount();
// A null callback removes it. The callback runs on the thread that failed; a
// failure reported from inside it is recorded but not passed to it again.
OV_PLATFORM_API void PlatformSetLogCallback(PlatformLogCallback callback, void* user);
