// Conventions of the engine's 8-byte object handles (OvHandle). A live object
// has word0 == 0 and a non-zero word1 that the engine never reuses.
#pragma once

#include "ovcore/engine/OrvoCore.h"

namespace OvCore {

// Empty: the low byte of word0 is non-zero, or word1 is 0 (the engine's rule,
// OvHandleIsEmpty).
inline bool IsEmptyHandle(OvHandle handle) { return OvHandleIsEmpty(handle) != 0; }

// The same engine object: the second words match.
constexpr bool SameHandle(OvHandle a, OvHandle b) { return a.word1 == b.word1; }

// The handle a framework object holds before its engine object exists.
constexpr OvHandle EmptyHandle() { return OV_NULL_HANDLE; }

}  // namespace OvCore
