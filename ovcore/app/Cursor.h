// A shape for the pointer over the program's windows: one of the system's
// cursors, or an image of the program's (from RGBA pixels or a texture).
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"

#include <cstdint>

namespace OvCore {

// The system's cursor shapes that OV_CURSOR::LoadSystem takes.
enum class OV_SYSTEM_CURSOR : int32_t {
    ARROW,
    IBEAM,  // text entry
    WAIT,
    WAIT_ARROW,  // busy in the background
    CROSS,
    HAND,  // a link or a button
    NO,  // not allowed
    SIZE_ALL,  // moving
    SIZE_NS,  // resizing vertically
    SIZE_WE,  // horizontally
    SIZE_NWSE,  // along the diagonal from top-left to bottom-right
    SIZE_NESW,  // along the other diagonal
};

// One cursor shape held by the program: a shared system cursor or an image
// of its own (freed by Release or the destructor).
class OV_CURSOR {
public:
    OV_CURSOR() = default;
    ~OV_CURSOR() { Release(); }
    OV_CURSOR(const OV_CURSOR&) = delete;
    OV_CURSOR& operator=(const OV_CURSOR&) = delete;

    // One of the system's shapes (shared; nothing is made until Apply).
    // False for a value outside OV_SYSTEM_CURSOR. A cursor held before is
    // released first.
    bool LoadSystem(OV_SYSTEM_CURSOR shape);
    // An image of width x height pixels (1 to 256), RGBA 8 bits a channel,
    // rows top to bottom, with its hot spot (the pixel that points) at
    // (hotX, hotY) from the top-left. False for null pixels, sizes out of
    // range, a hot spot outside the image or no display.
    bool LoadFromPixels(const void* rgba, int width, int height, int hotX, int hotY);
    // The pixels of an engine texture (for an OV_TEXTURE, its current
    // frame). The call locks and unlocks the texture, so it must not be
    // locked at the time. False for an empty or unknown texture, one
    // without pixels, or as LoadFromPixels.
    bool LoadFromTexture(OvHandle texture, int hotX, int hotY);
    // Makes this the pointer's shape over the program's windows. False when
    // nothing is loaded or the shape cannot be made.
    bool Apply() const;
    // Frees an image cursor (the system arrow comes back if it was in
    // force); safe to call again.
    void Release();

    // A shape is held.
    bool IsLoaded() const { return handle != nullptr; }
    // The platform cursor (for SetCursor and friends); null when none is held.
    HCURSOR Handle() const { return handle; }

private:
    HCURSOR handle = nullptr;
    bool owned = false;
};

}  // namespace OvCore
