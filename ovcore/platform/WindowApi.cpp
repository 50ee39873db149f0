// Windows over SDL windows: creation, destruction, showing, moving, styles,
// opacity and text, and the default window procedure.
#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/Display.h"
#include "ovcore/platform/MessageQueue.h"
#include "ovcore/platform/SdlBridge.h"
#include "ovcore/platform/Tray.h"
#include "ovcore/platform/WindowClasses.h"
#include "ovcore/platform/WindowRecord.h"
#include "ovcore/platform/X11Server.h"

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

uint64_t g_focusCount = 0;

// The keyboard focus is given explicitly: a display without a window manager
// gives it to no window by itself.
void GiveFocus(HWND hwnd) {
    hwnd->focusOrder = ++g_focusCount;
    if (!X11FocusWindow(hwnd->sdl)) SDL_SetWindowInputFocus(hwnd->sdl);
}

bool HoldsFocusOrNoOneDoes(HWND hwnd) {
    const unsigned long focused = X11FocusedWindow(hwnd->sdl);
    return focused == 0 || focused == X11WindowOf(hwnd->sdl);
}

// Before a shown window is hidden or destroyed: when it holds the focus (the
// server would then give it to no one) or no window does, the shown window of
// ours that had it most recently takes it.
void HandFocusOn(HWND leaving) {
    if (!(leaving->style & WS_VISIBLE) || !HoldsFocusOrNoOneDoes(leaving)) return;
    HWND next = nullptr;
    WindowRegistryForEach([&](HWND candidate) {
        if (candidate == leaving || !(candidate->style & WS_VISIBLE)) return;
        if (!next || candidate->focusOrder >= next->focusOrder) next = candidate;
    });
    if (next) GiveFocus(next);
}

bool Activates(int command) {
    return command == SW_SHOW || command == SW_SHOWNORMAL || command == SW_SHOWMAXIMIZED || command == SW_RESTORE;
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE instance, LPVOID) {
    const WindowClassRecord* windowClass = WindowClassFind(className);
    if (!windowClass) {
        PlatformReportFailure("platform: cannot create window: no window class %s", className ? className : "(null)");
        return nullptr;
    }
    if (!PlatformEnsureVideo()) return nullptr;
    const char* title = windowName ? windowName : "";
    SDL_Window* sdl = SDL_CreateWindow(title, x, y, std::max(width, 1), std::max(height, 1), SdlFlagsFor(exStyle));
    if (!sdl) {
        PlatformReportFailure("platform: cannot create window: %s: %s", title, SDL_GetError());
        return nullptr;
    }
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

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    } else if (message == WM_CLOSE) {
        DestroyWindow(hwnd);
    }
    return 0;
}

BOOL IsWindow(HWND hwnd) { return WindowRegistryContains(hwnd) ? TRUE : FALSE; }

BOOL DestroyWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    // The procedure may have destroyed the window itself.
    if (!IsWindow(hwnd)) return TRUE;
    HandFocusOn(hwnd);
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
        HandFocusOn(hwnd);
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
    default: SDL_ShowWindow(hwnd->sdl); break;
    }
    hwnd->style |= WS_VISIBLE;
    if (Activates(command)) GiveFocus(hwnd);
    return wasVisible;
}

// Only a shown window can take the keyboard focus.
BOOL SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    SDL_RaiseWindow(hwnd->sdl);
    if (hwnd->style & WS_VISIBLE) GiveFocus(hwnd);
    return TRUE;
}

HWND SetActiveWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return nullptr;
    HWND previous = WindowRegistryKeyboardTarget();
    SDL_RaiseWindow(hwnd->sdl);
    if (hwnd->style & WS_VISIBLE) GiveFocus(hwnd);
    return previous;
}

HWND SetFocus(HWND hwnd) {
    if (!IsWindow(hwnd)) return nullptr;
    HWND previous = WindowRegistryKeyboardTarget();
    if (hwnd->style & WS_VISIBLE) GiveFocus(hwnd);
    return previous;
}

// The window of ours that has the keyboard focus now, as the server says
// (SDL's focus where the windows are not on X11).
HWND GetFocus(void) {
    if (WindowRegistrySize() == 0) return nullptr;
    SDL_Window* any = WindowRegistryAt(0)->sdl;
    if (X11WindowOf(any) == 0) {
        SDL_Window* focus = SDL_GetKeyboardFocus();
        return focus ? WindowRegistryFindSdl(SDL_GetWindowID(focus)) : nullptr;
    }
    const unsigned long focused = X11FocusedWindow(any);
    HWND found = nullptr;
    WindowRegistryForEach([&](HWND hwnd) {
        if (focused != 0 && X11WindowOf(hwnd->sdl) == focused) found = hwnd;
    });
    return found;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    if (!IsWindow(hwnd)) return FALSE;
    SDL_SetWindowSize(hwnd->sdl, std::max(width, 1), std::max(height, 1));
    SDL_SetWindowPosition(hwnd->sdl, x, y);
    DisplayFitWindow(hwnd);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) { return IsWindow(hwnd); }

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

// The place and size as the server has them: a window manager or another
// client may have moved the window since SDL last heard of it.
BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    if (!rect || !IsWindow(hwnd)) return FALSE;
    if (X11WindowRect(hwnd->sdl, rect)) return TRUE;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(hwnd->sdl, &x, &y);
    SDL_GetWindowSize(hwnd->sdl, &width, &height);
    *rect = RECT{x, y, x + width, y + height};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    if (!rect || !IsWindow(hwnd)) return FALSE;
    if (X11WindowRect(hwnd->sdl, rect)) {
        *rect = RECT{0, 0, rect->right - rect->left, rect->bottom - rect->top};
        return TRUE;
    }
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
