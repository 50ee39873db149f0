// Windows over SDL windows: creation, destruction, showing, moving, styles,
// opacity and text.
#include "platform/Display.h"
#include "platform/MessageQueue.h"
#include "platform/SdlBridge.h"
#include "platform/Tray.h"
#include "platform/WindowClasses.h"
#include "platform/WindowRecord.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

constexpr const char* kRecordKey = "PlatformWindow";

Uint32 SdlFlagsFor(DWORD exStyle) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (exStyle & WS_EX_TOOLWINDOW) flags |= SDL_WINDOW_SKIP_TASKBAR;
    return flags;
}

// Without a layered style a window is opaque whatever was set before.
void ApplyOpacity(HWND hwnd) {
    bool translucent = (hwnd->exStyle & WS_EX_LAYERED) && (hwnd->layered.flags & LWA_ALPHA);
    SDL_SetWindowOpacity(hwnd->sdl, translucent ? hwnd->layered.alpha / 255.0f : 1.0f);
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE instance, LPVOID) {
    const WindowClassRecord* windowClass = WindowClassFind(className);
    if (!windowClass || !PlatformEnsureVideo()) return nullptr;
    const char* title = windowName ? windowName : "";
    SDL_Window* sdl = SDL_CreateWindow(title, x, y, std::max(width, 1), std::max(height, 1),
                                       SdlFlagsFor(exStyle));
    if (!sdl) return nullptr;
    HWND hwnd = new PlatformWindow;
    hwnd->sdl = sdl;
    hwnd->sdlId = SDL_GetWindowID(sdl);
    hwnd->className = windowClass->name;
    hwnd->title = title;
    hwnd->procedure = windowClass->fields.lpfnWndProc;
    hwnd->instance = instance;
    hwnd->style = style;
    hwnd->exStyle = exStyle;
    SDL_SetWindowData(sdl, kRecordKey, hwnd);
    WindowRegistryAdd(hwnd);
    DisplayFitWindow(hwnd);
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

BOOL IsWindow(HWND hwnd) {
    return WindowRegistryContains(hwnd) ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    // The procedure may have destroyed the window itself.
    if (!IsWindow(hwnd)) return TRUE;
    WindowRegistryRemove(hwnd);
    MessageQueueDiscardWindow(hwnd);
    TrayForgetWindow(hwnd);
    SDL_DestroyWindow(hwnd->sdl);
    delete hwnd;
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command) {
    if (!IsWindow(hwnd)) return FALSE;
    BOOL wasVisible = (hwnd->style & WS_VISIBLE) ? TRUE : FALSE;
    switch (command) {
        case SW_HIDE:
            SDL_HideWindow(hwnd->sdl);
            hwnd->style &= ~WS_VISIBLE;
            return wasVisible;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
            SDL_ShowWindow(hwnd->sdl);
            SDL_MinimizeWindow(hwnd->sdl);
            break;
        case SW_SHOWMAXIMIZED:
            SDL_ShowWindow(hwnd->sdl);
            SDL_MaximizeWindow(hwnd->sdl);
            break;
        case SW_RESTORE:
            SDL_ShowWindow(hwnd->sdl);
            SDL_RestoreWindow(hwnd->sdl);
            break;
        default:
            SDL_ShowWindow(hwnd->sdl);
            break;
    }
    hwnd->style |= WS_VISIBLE;
    return wasVisible;
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    SDL_RaiseWindow(hwnd->sdl);
    return TRUE;
}

HWND SetActiveWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return nullptr;
    HWND previous = WindowRegistryKeyboardTarget();
    SDL_RaiseWindow(hwnd->sdl);
    return previous;
}

HWND SetFocus(HWND hwnd) {
    if (!IsWindow(hwnd)) return nullptr;
    HWND previous = WindowRegistryKeyboardTarget();
    // Only a shown window can take the input focus.
    if (hwnd->style & WS_VISIBLE) SDL_SetWindowInputFocus(hwnd->sdl);
    return previous;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    if (!IsWindow(hwnd)) return FALSE;
    SDL_SetWindowSize(hwnd->sdl, std::max(width, 1), std::max(height, 1));
    SDL_SetWindowPosition(hwnd->sdl, x, y);
    DisplayFitWindow(hwnd);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    return IsWindow(hwnd);
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    if (!IsWindow(hwnd)) return 0;
    DWORD* field = index == GWL_EXSTYLE ? &hwnd->exStyle : index == GWL_STYLE ? &hwnd->style : nullptr;
    if (!field) return 0;
    LONG previous = static_cast<LONG>(*field);
    *field = static_cast<DWORD>(value);
    if (index == GWL_EXSTYLE) ApplyOpacity(hwnd);
    return previous;
}

LONG GetWindowLongA(HWND hwnd, int index) {
    if (!IsWindow(hwnd)) return 0;
    if (index == GWL_EXSTYLE) return static_cast<LONG>(hwnd->exStyle);
    if (index == GWL_STYLE) return static_cast<LONG>(hwnd->style);
    return 0;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF colorKey, BYTE alpha, DWORD flags) {
    if (!IsWindow(hwnd)) return FALSE;
    hwnd->layered = PlatformLayeredAttributes{colorKey, alpha, flags};
    if (!(hwnd->exStyle & WS_EX_LAYERED)) return TRUE;
    float opacity = (flags & LWA_ALPHA) ? alpha / 255.0f : 1.0f;
    return SDL_SetWindowOpacity(hwnd->sdl, opacity) == 0 ? TRUE : FALSE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) {
    // Every window here is borderless: the window rectangle is the client one.
    return rect ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    if (!rect || !IsWindow(hwnd)) return FALSE;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(hwnd->sdl, &x, &y);
    SDL_GetWindowSize(hwnd->sdl, &width, &height);
    *rect = RECT{x, y, x + width, y + height};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    if (!rect || !IsWindow(hwnd)) return FALSE;
    int width = 0, height = 0;
    SDL_GetWindowSize(hwnd->sdl, &width, &height);
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!IsWindow(hwnd)) return FALSE;
    hwnd->title = text ? text : "";
    SDL_SetWindowTitle(hwnd->sdl, hwnd->title.c_str());
    return TRUE;
}
