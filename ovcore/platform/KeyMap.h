// SDL keys to Windows virtual-key codes.
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include "ovcore/platform/Windows.h"

#include <SDL2/SDL_keyboard.h>

// The virtual-key code of an SDL key: by key code first (so letters follow
// the keyboard layout), by scancode when the key code is unknown; 0 when
// neither maps.
OV_PLATFORM_API BYTE VirtualKeyOf(const SDL_Keysym& key);
