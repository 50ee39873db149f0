#pragma once

#include <cstdint>

namespace OvCore {

// Designates one entry of one of OV_AUDIO's lists. The default handle is
// the invalid (end) handle. Besides the node it carries the entry's id, so
// that OV_AUDIO can tell a live entry from one removed since: a handle
// whose entry is gone is refused, never followed.
struct OV_SOUND_HANDLE {
    bool end = true;  // true for the invalid handle
    const void* node = nullptr;  // the list node of the entry
    uint64_t id = 0;  // the entry's id, unique within one OV_AUDIO

    bool IsInvalid() const { return end || !node; }  // true for the default (end) handle or a null node
};

}  // namespace OvCore
