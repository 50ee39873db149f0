// Conventions of the engine's 8-byte object handles (OvHandle). A live object
// has word0 == 0 and a non-zero word1 that the engine never reuses.
#pragma once

#include "ovcore/engine/OrvoCore.h"

namespace OvCore {

// Empty: the low byte of word0 is non-zero, or word1 is 0.
constexpr bool IsEmptyHandle(OvHandle handle) {
    return (handle.word0 & 0xFFu) != 0 || handle.word1 == 0;
}

// The same engine object: the second words match.
constexpr bool SameHandle(OvHandle a, OvHandle b) {
    return a.word1 == b.word1;
}

// The handle a framework object holds before its engine object exists.
constexpr OvHandle EmptyHandle() {
    return OvHandle{1, 0};
}

}  // namespace OvCore
