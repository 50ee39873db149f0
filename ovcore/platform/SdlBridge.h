// What the engine library needs from the platform layer beyond the Windows
// subset: the SDL window behind a window handle, so it can put a GL context
// on it. Not for framework code.
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include "ovcore/platform/Windows.h"

struct SDL_Window;

// The SDL window of a live window handle; null for null or dead handles.
OV_PLATFORM_API SDL_Window* PlatformWindowSdl(HWND hwnd);

// Changes whenever a window is created or destroyed, so the engine can keep
// what it learnt about live windows until then.
OV_PLATFORM_API unsigned PlatformWindowGeneration();

// Starts SDL's video subsystem on first use and sets the GL attributes every
// window is created with. False when there is no display; a failure is
// remembered so later calls return at once.
OV_PLATFORM_API bool PlatformEnsureVideo();
// Runs action once video has started: at once when it has, else right after
// it starts (each action once, however often it is asked for). For state
// that is kept before there is a display, such as the cursor's visibility.
void PlatformWhenVideoStarts(void (*action)());
