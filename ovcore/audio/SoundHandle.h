#pragma once

#include <cstdint>

namespace OvCore {

// Designates one entry of one of OV_AUDIO's lists. The default handle is
// the invalid (end) handle. Besides the node it carries the entry's id, so
// that OV_AUDIO can tell a live entry from one removed since: a handle
// whose entry is gone is refused, never followed.
struct OV_SOUND_HANDLE {
    bool end = true;
    const void* node = nullptr;
    uint64_t id = 0;

    bool IsInvalid() const { return end || !node; }
};

} // namespace OvCore
