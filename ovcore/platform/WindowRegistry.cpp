// Live windows in creation order; handles are checked against this list
// before a record is touched.
#include "ovcore/platform/SdlBridge.h"
#include "ovcore/platform/WindowRecord.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<HWND>& LiveWindows() {
    static std::vector<HWND> windows;
    return windows;
}

unsigned generation = 0;

}  // namespace

void WindowRegistryAdd(HWND hwnd) {
    LiveWindows().push_back(hwnd);
    ++generation;
}

void WindowRegistryRemove(HWND hwnd) {
    auto& windows = LiveWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), hwnd), windows.end());
    ++generation;
}

bool WindowRegistryContains(HWND hwnd) {
    if (!hwnd) return false;
    const auto& windows = LiveWindows();
    return std::find(windows.begin(), windows.end(), hwnd) != windows.end();
}

HWND WindowRegistryFindSdl(uint32_t sdlId) {
    if (sdlId == 0) return nullptr;
    for (HWND hwnd : LiveWindows()) {
        if (hwnd->sdlId == sdlId) return hwnd;
    }
    return nullptr;
}

HWND WindowRegistryKeyboardTarget() {
    if (SDL_Window* focus = SDL_GetKeyboardFocus()) {
        if (HWND hwnd = WindowRegistryFindSdl(SDL_GetWindowID(focus))) return hwnd;
    }
    const auto& windows = LiveWindows();
    return windows.empty() ? nullptr : windows.front();
}

size_t WindowRegistrySize() { return LiveWindows().size(); }

HWND WindowRegistryAt(size_t index) { return LiveWindows()[index]; }

unsigned PlatformWindowGeneration() { return generation; }

SDL_Window* PlatformWindowSdl(HWND hwnd) { return WindowRegistryContains(hwnd) ? hwnd->sdl : nullptr; }

bool PlatformGetLayeredAttributes(HWND hwnd, PlatformLayeredAttributes* attributes) {
    if (!attributes || !WindowRegistryContains(hwnd)) return false;
    *attributes = hwnd->layered;
    return true;
}
