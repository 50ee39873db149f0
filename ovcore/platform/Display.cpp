// Screen size, refresh rate and display-mode changes over SDL display modes.
#include "ovcore/platform/Display.h"

#include "ovcore/platform/SdlBridge.h"
#include "ovcore/platform/WindowRecord.h"
#include "ovcore/platform/X11Server.h"

#include <SDL2/SDL.h>

#include <cstring>

namespace {

constexpr int kDisplay = 0;
constexpr DWORD kSizeFields = DM_PELSWIDTH | DM_PELSHEIGHT;

PlatformDeviceContext g_screenContext{nullptr};

struct FullscreenRequest {
    bool active = false;
    SDL_DisplayMode mode{};
};
FullscreenRequest g_request;

bool BitsMatch(DWORD bits, Uint32 format) {
    return bits == SDL_BITSPERPIXEL(format) || bits == SDL_BYTESPERPIXEL(format) * 8u;
}

bool ModeMatches(const DEVMODEA& wanted, const SDL_DisplayMode& mode) {
    if ((wanted.dmFields & DM_PELSWIDTH) && wanted.dmPelsWidth != static_cast<DWORD>(mode.w)) return false;
    if ((wanted.dmFields & DM_PELSHEIGHT) && wanted.dmPelsHeight != static_cast<DWORD>(mode.h)) return false;
    if ((wanted.dmFields & DM_BITSPERPEL) && !BitsMatch(wanted.dmBitsPerPel, mode.format)) return false;
    if ((wanted.dmFields & DM_DISPLAYFREQUENCY) && wanted.dmDisplayFrequency != static_cast<DWORD>(mode.refresh_rate)) {
        return false;
    }
    return true;
}

// A field left out of the request keeps the desktop's value.
bool FindMode(const DEVMODEA& wanted, SDL_DisplayMode* found) {
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(kDisplay, &desktop) != 0) return false;
    DEVMODEA request = wanted;
    if (!(request.dmFields & DM_PELSWIDTH)) request.dmPelsWidth = static_cast<DWORD>(desktop.w);
    if (!(request.dmFields & DM_PELSHEIGHT)) request.dmPelsHeight = static_cast<DWORD>(desktop.h);
    request.dmFields |= kSizeFields;
    int count = SDL_GetNumDisplayModes(kDisplay);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(kDisplay, i, &mode) == 0 && ModeMatches(request, mode)) {
            *found = mode;
            return true;
        }
    }
    return false;
}

bool IsDesktopMode(const SDL_DisplayMode& mode) {
    SDL_DisplayMode desktop{};
    return SDL_GetDesktopDisplayMode(kDisplay, &desktop) == 0 && desktop.w == mode.w && desktop.h == mode.h &&
           desktop.refresh_rate == mode.refresh_rate && desktop.format == mode.format;
}

void FitAllWindows() {
    WindowRegistryForEach([](HWND hwnd) { DisplayFitWindow(hwnd); });
}

void FillDevMode(const SDL_DisplayMode& mode, DEVMODEA* out) {
    std::memset(out, 0, sizeof(*out));
    out->dmSize = sizeof(DEVMODEA);
    out->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    out->dmBitsPerPel = SDL_BYTESPERPIXEL(mode.format) * 8u;
    out->dmPelsWidth = static_cast<DWORD>(mode.w);
    out->dmPelsHeight = static_cast<DWORD>(mode.h);
    out->dmDisplayFrequency = static_cast<DWORD>(mode.refresh_rate);
}

bool IsKnownContext(HDC dc) {
    if (dc == &g_screenContext) return true;
    bool found = false;
    WindowRegistryForEach([&](HWND hwnd) { found = found || &hwnd->dc == dc; });
    return found;
}

int DisplayOf(HDC dc) {
    if (dc == &g_screenContext) return kDisplay;
    int index = SDL_GetWindowDisplayIndex(dc->window->sdl);
    return index < 0 ? kDisplay : index;
}

}  // namespace

void DisplayFitWindow(HWND hwnd) {
    int width = 0, height = 0;
    SDL_GetWindowSize(hwnd->sdl, &width, &height);
    bool wanted = g_request.active && width == g_request.mode.w && height == g_request.mode.h;
    bool isFullscreen = (SDL_GetWindowFlags(hwnd->sdl) & SDL_WINDOW_FULLSCREEN) != 0;
    if (wanted) {
        SDL_SetWindowDisplayMode(hwnd->sdl, &g_request.mode);
        if (!isFullscreen) SDL_SetWindowFullscreen(hwnd->sdl, SDL_WINDOW_FULLSCREEN);
    } else if (isFullscreen) {
        SDL_SetWindowFullscreen(hwnd->sdl, 0);
    }
}

bool PlatformRequestedDisplayMode(DEVMODEA* mode) {
    if (!g_request.active) return false;
    if (mode) FillDevMode(g_request.mode, mode);
    return true;
}

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD) {
    if (!mode) {
        g_request.active = false;
        FitAllWindows();
        return DISP_CHANGE_SUCCESSFUL;
    }
    constexpr DWORD kModeFields = kSizeFields | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    if (!(mode->dmFields & kModeFields)) return DISP_CHANGE_SUCCESSFUL;
    if (!PlatformEnsureVideo()) return DISP_CHANGE_FAILED;
    SDL_DisplayMode found{};
    if (!FindMode(*mode, &found)) return DISP_CHANGE_BADMODE;
    g_request.active = !IsDesktopMode(found);
    g_request.mode = found;
    FitAllWindows();
    return DISP_CHANGE_SUCCESSFUL;
}

BOOL EnumDisplaySettingsA(LPCSTR, DWORD modeNumber, DEVMODEA* mode) {
    if (!mode || !PlatformEnsureVideo()) return FALSE;
    SDL_DisplayMode found{};
    int result = -1;
    if (modeNumber == ENUM_CURRENT_SETTINGS) {
        result = SDL_GetCurrentDisplayMode(kDisplay, &found);
    } else if (modeNumber == ENUM_REGISTRY_SETTINGS) {
        result = SDL_GetDesktopDisplayMode(kDisplay, &found);
    } else if (modeNumber < static_cast<DWORD>(SDL_GetNumDisplayModes(kDisplay))) {
        result = SDL_GetDisplayMode(kDisplay, static_cast<int>(modeNumber), &found);
    }
    if (result != 0) return FALSE;
    FillDevMode(found, mode);
    return TRUE;
}

// The screen as the server has it: SDL's desktop mode is what it read when
// it started, or when it last handled a screen-change event.
int GetSystemMetrics(int index) {
    if ((index != SM_CXSCREEN && index != SM_CYSCREEN) || !PlatformEnsureVideo()) return 0;
    int width = 0, height = 0;
    if (X11ScreenSize(&width, &height)) return index == SM_CXSCREEN ? width : height;
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(kDisplay, &desktop) != 0) return 0;
    return index == SM_CXSCREEN ? desktop.w : desktop.h;
}

HDC GetDC(HWND hwnd) {
    if (!hwnd) return &g_screenContext;
    return WindowRegistryContains(hwnd) ? &hwnd->dc : nullptr;
}

int ReleaseDC(HWND, HDC dc) { return IsKnownContext(dc) ? 1 : 0; }

int GetDeviceCaps(HDC dc, int index) {
    if (!IsKnownContext(dc) || !PlatformEnsureVideo()) return 0;
    SDL_DisplayMode mode{};
    if (SDL_GetCurrentDisplayMode(DisplayOf(dc), &mode) != 0) return 0;
    switch (index) {
    case VREFRESH: return mode.refresh_rate;
    case HORZRES: return mode.w;
    case VERTRES: return mode.h;
    case BITSPIXEL: return static_cast<int>(SDL_BYTESPERPIXEL(mode.format) * 8u);
    default: return 0;
    }
}
