// The record behind a window handle, and the set of live records that makes
// stale handles safe to pass to every call.
#pragma once

#include "ovcore/platform/Platform.h"

#include <cstdint>
#include <string>

struct SDL_Window;

struct PlatformDeviceContext {
    HWND window;
};

struct PlatformWindow {
    SDL_Window* sdl = nullptr;
    uint32_t sdlId = 0;
    std::string className;
    std::string title;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    PlatformLayeredAttributes layered{0, 255, 0};
    // When the window last got the keyboard focus from us (0: never); the
    // focus goes back to the latest one when the window holding it leaves.
    uint64_t focusOrder = 0;
    PlatformDeviceContext dc{this};
};

// Live-record bookkeeping (WindowRegistry.cpp).
void WindowRegistryAdd(HWND hwnd);
void WindowRegistryRemove(HWND hwnd);
bool WindowRegistryContains(HWND hwnd);
// The live window of an SDL window id; null when none.
HWND WindowRegistryFindSdl(uint32_t sdlId);
// The live window that keyboard input without a known target goes to: the
// SDL keyboard-focus window when it is ours, else the oldest live window.
HWND WindowRegistryKeyboardTarget();
// Calls `visit` for each live window, oldest first.
template <typename Visit>
void WindowRegistryForEach(Visit visit);
size_t WindowRegistrySize();
HWND WindowRegistryAt(size_t index);

template <typename Visit>
void WindowRegistryForEach(Visit visit) {
    for (size_t i = 0; i < WindowRegistrySize(); ++i) visit(WindowRegistryAt(i));
}
