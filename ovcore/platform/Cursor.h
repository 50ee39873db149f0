// Cursor helpers shared inside the platform layer.
#pragma once

#include "ovcore/platform/Windows.h"

// The cursor in screen coordinates from SDL's cached mouse state (no round
// trip to the display server): for stamping queued messages.
void CachedCursorPos(POINT* point);
// Shows or hides the SDL cursor after the display counter.
void PlatformApplyCursorVisibility();
