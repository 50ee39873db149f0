#include "ovcore/engine/render/DriverScratchMemory.h"

#include <cstdlib>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ov {

namespace {

// The largest block the C library will serve from the heap, and how much
// free memory may gather at the heap's top before it is returned.
constexpr int kMapThresholdBytes = 32 << 20;
constexpr int kTrimThresholdBytes = 128 << 20;

bool UserSet(const char* variable, const char* tunable) {
    if (std::getenv(variable)) return true;
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    return tunables && std::strstr(tunables, tunable);
}

}  // namespace

void KeepDriverScratchOnHeap() {
#if defined(__GLIBC__)
    static const bool done = [] {
        if (!UserSet("MALLOC_MMAP_THRESHOLD_", "mmap_threshold")) mallopt(M_MMAP_THRESHOLD, kMapThresholdBytes);
        if (!UserSet("MALLOC_TRIM_THRESHOLD_", "trim_threshold")) mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes);
        return true;
    }();
    (void)done;
#endif
}

}  // namespace ov
