#include "ovcore/platform/Diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

thread_local char t_lastFailure[kPlatformReasonCapacity] = "";
thread_local bool t_reporting = false;
thread_local uint64_t t_failureCount = 0;

struct LogTarget {
    PlatformLogCallback callback = nullptr;
    void* user = nullptr;
};

std::mutex g_targetLock;
LogTarget g_target;

LogTarget CurrentTarget() {
    std::lock_guard<std::mutex> hold(g_targetLock);
    return g_target;
}

bool StandardErrorWanted() {
    const char* wanted = std::getenv("OV_LOG");
    return wanted && *wanted && std::strcmp(wanted, "0") != 0;
}

}  // namespace

void PlatformReportFailure(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(t_lastFailure, sizeof t_lastFailure, format, arguments);
    va_end(arguments);
    ++t_failureCount;
    if (t_reporting) return;
    t_reporting = true;
    if (StandardErrorWanted()) std::fprintf(stderr, "ov: %s\n", t_lastFailure);
    // Called outside the lock, so that the callback may change the target.
    const LogTarget target = CurrentTarget();
    if (target.callback) target.callback(t_lastFailure, target.user);
    t_reporting = false;
}

const char* PlatformLastFailure() { return t_lastFailure; }

uint64_t PlatformFailureCount() { return t_failureCount; }

void PlatformSetLogCallback(PlatformLogCallback callback, void* user) {
    std::lock_guard<std::mutex> hold(g_targetLock);
    g_target = LogTarget{callback, callback ? user : nullptr};
}
