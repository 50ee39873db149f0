// Platform-layer extensions beyond the Windows subset: resource registration,
// the tray-icon view, and read-back hooks for diagnostics and tests.
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include "ovcore/platform/Windows.h"

#include <cstddef>
#include <string>
#include <vector>

// ---- modules and resources
// Adds a resource of `type` and `id` to a module's table; the bytes are
// copied. False for a null module, null data with a non-zero size, or a
// type/id pair the module already has (locked pointers stay valid).
OV_PLATFORM_API bool PlatformAddResource(HMODULE module, WORD type, WORD id, const void* data, size_t size);

// ---- tray icons
// A tray icon as Shell_NotifyIconA keeps it.
struct PlatformTrayIcon {
    // The owning window, the icon's id there, the valid fields (NIF_...), the
    // message posted on pointer events, the icon and the tooltip:
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
};
// The tray icons of live windows, in the order they were added.
OV_PLATFORM_API const std::vector<PlatformTrayIcon>& PlatformTrayIcons();
// Queues the icon's callback message to its window, wParam = uID and
// lParam = event. False when there is no such icon or it has no callback.
OV_PLATFORM_API bool PlatformPostTrayNotification(HWND hwnd, UINT uID, LPARAM event);

// ---- cursor
// The display counter of ShowCursor: the cursor is visible while it is >= 0.
OV_PLATFORM_API int PlatformCursorDisplayCount();
// Largest side of a cursor image, in pixels.
constexpr int kPlatformCursorMaxSide = 256;
// A cursor of width x height pixels (1 to kPlatformCursorMaxSide), RGBA 8
// bits a channel, rows top to bottom, whose hot spot (the pixel that points)
// is (hotX, hotY) from the top-left; the pixels are copied. Null for bad
// sizes, a hot spot outside the image, null pixels, or no display. Freed by
// DestroyCursor.
OV_PLATFORM_API HCURSOR PlatformCreateCursor(const unsigned char* rgba, int width, int height, int hotX, int hotY);
// The cursor SetCursor last put in force (null before the first call).
OV_PLATFORM_API HCURSOR PlatformCurrentCursor();

// ---- clipboard
// Puts Latin-1 text on the desktop's clipboard, where other programs read
// it as UTF-8. False for null text or no display, or when the system
// refuses; the clipboard then keeps what it held.
OV_PLATFORM_API bool PlatformSetClipboardText(const char* latin1);
// The clipboard's text as Latin-1 into *latin1: characters beyond U+00FF and
// malformed UTF-8 are dropped; empty when the clipboard holds no text.
// False (and *latin1 empty) for no display.
OV_PLATFORM_API bool PlatformGetClipboardText(std::string* latin1);

// ---- windows
// What SetLayeredWindowAttributes recorded.
struct PlatformLayeredAttributes {
    // The colour key (0x00BBGGRR), the opacity 0..255 and the LWA_ flags:
    COLORREF colorKey;
    BYTE alpha;
    DWORD flags;
};
// What SetLayeredWindowAttributes last recorded for a live window.
OV_PLATFORM_API bool PlatformGetLayeredAttributes(HWND hwnd, PlatformLayeredAttributes* attributes);

// ---- display
// The full-screen mode accepted by ChangeDisplaySettingsA that windows of its
// size take; false when the desktop mode is in force.
OV_PLATFORM_API bool PlatformRequestedDisplayMode(DEVMODEA* mode);

// ---- messages
OV_PLATFORM_API size_t PlatformQueuedMessageCount();
