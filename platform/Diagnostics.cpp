#include "platform/Diagnostics.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

thread_local char t_lastFailure[512] = "";
thread_local bool t_reporting = false;

struct LogTarget {
    PlatformLogCallback callback = nullptr;
    void* user = nullptr;
};
std::atomic<LogTarget*> g_target{nullptr};
LogTarget g_targets[2];
std::atomic<int> g_nextTarget{0};

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
    // A callback that fails in turn records its reason but is not called again.
    if (t_reporting) return;
    t_reporting = true;
    if (StandardErrorWanted()) std::fprintf(stderr, "ov: %s\n", t_lastFailure);
    if (const LogTarget* target = g_target.load()) target->callback(t_lastFailure, target->user);
    t_reporting = false;
}

const char* PlatformLastFailure() { return t_lastFailure; }

void PlatformSetLogCallback(PlatformLogCallback callback, void* user) {
    if (!callback) {
        g_target.store(nullptr);
        return;
    }
    // Two slots, so a report on another thread never sees a half-written pair.
    LogTarget& slot = g_targets[g_nextTarget.fetch_xor(1)];
    slot = LogTarget{callback, user};
    g_target.store(&slot);
}
