// The framework's byte buffers as the engine's socket functions see them.
#pragma once

#include "ovcore/data/MemoryFile.h"
#include "ovcore/engine/OrvoCore.h"

#include <cstddef>

namespace OvCore {

static_assert(offsetof(OvBuffer, capacity) == offsetof(OV_BUFFER, capacity));
static_assert(offsetof(OvBuffer, data) == offsetof(OV_BUFFER, data));
static_assert(offsetof(OvBuffer, cursor) == offsetof(OV_BUFFER, cursor));

// The memory file as the engine's buffer record (the same three fields).
inline OvBuffer* AsEngineBuffer(OV_MEMORY_FILE& file) {
    return reinterpret_cast<OvBuffer*>(static_cast<OV_BUFFER*>(&file));
}

// No socket: the null socket handle (all zero) a socket record starts with,
// and every other empty handle (OvHandleIsEmpty).
inline bool IsNullSocket(OvHandle handle) { return OvHandleIsEmpty(handle) != 0; }

}  // namespace OvCore
