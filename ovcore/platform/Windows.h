// The Windows-compatible subset the framework is written against, on Linux.
// Names, constants, message numbers and structure layouts follow the Windows
// API so that framework code and tests can speak in Windows terms; the
// implementation underneath is SDL2 and POSIX (see the .cpp files here).
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------- basic types
// The Windows integer, character and pointer types at their Windows widths
// (BOOL is an int, TRUE 1 and FALSE 0; WORD 16 bits; DWORD, LONG and UINT 32
// bits; WPARAM, LPARAM and LRESULT as wide as a pointer; COLORREF 0x00BBGGRR):
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int64_t LONGLONG;
typedef char CHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* LPVOID;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef DWORD COLORREF;

// The platform layer's own records behind the handles; opaque to callers:
struct PlatformWindow;
struct PlatformModule;
struct PlatformIcon;
struct PlatformCursor;
struct PlatformDeviceContext;
struct PlatformBrush;
struct PlatformMenu;
struct PlatformResource;

// Handles: a window, a module (the program, or the engine library), an icon, a
// cursor, a device context (a window's, or the screen's), a brush, a menu, a
// resource and a resource's data. Null is no object:
typedef PlatformWindow* HWND;
typedef PlatformModule* HINSTANCE;
typedef PlatformModule* HMODULE;
typedef PlatformIcon* HICON;
typedef PlatformCursor* HCURSOR;
typedef PlatformDeviceContext* HDC;
typedef PlatformBrush* HBRUSH;
typedef PlatformMenu* HMENU;
typedef PlatformResource* HRSRC;
typedef void* HGLOBAL;

#ifndef TRUE
// The values of BOOL.
#define TRUE 1
#endif
#ifndef FALSE
// The values of BOOL.
#define FALSE 0
#endif

// Message parameter helpers: the low and high 16 bits, the signed wheel delta
// of WM_MOUSEWHEEL, the signed client x and y of mouse messages, parameters
// made of two 16-bit halves, and numbered resource names (MAKEINTRESOURCE:
// an id below 65536 stands in for a name pointer; IS_INTRESOURCE tells them apart):
#define LOWORD(l) ((WORD)(((uintptr_t)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((uintptr_t)(l)) >> 16) & 0xffff))
#define GET_WHEEL_DELTA_WPARAM(w) ((short)HIWORD(w))
#define GET_X_LPARAM(l) ((int)(short)LOWORD(l))
#define GET_Y_LPARAM(l) ((int)(short)HIWORD(l))
#define MAKELPARAM(lo, hi) ((LPARAM)(DWORD)(((WORD)(lo)) | (((DWORD)(WORD)(hi)) << 16)))
#define MAKEWPARAM(lo, hi) ((WPARAM)(DWORD)(((WORD)(lo)) | (((DWORD)(WORD)(hi)) << 16)))
#define MAKEINTRESOURCEA(i) ((LPSTR)((uintptr_t)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(p) ((((uintptr_t)(p)) >> 16) == 0)

// A point in pixels.
struct POINT {
    // Coordinates in pixels:
    LONG x;
    LONG y;
};

// A rectangle in pixels; right and bottom lie just outside it.
struct RECT {
    // Edges in pixels:
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// A 64-bit signed integer, also seen as two 32-bit halves.
union LARGE_INTEGER {
    // The two halves, low first.
    struct {
        // The low and high 32 bits:
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;  // the whole value
};

// A queued message, as PeekMessageA gives it.
struct MSG {
    // The target window (null for a thread message such as WM_QUIT), the
    // message number (WM_...), its two parameters, the time (GetTickCount) and
    // the pointer's screen position when it was queued:
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

// A window procedure: handles one message for a window and gives its result.
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

// A window class for RegisterClassA. Only the name and the procedure are
// required; the rest is kept as given.
struct WNDCLASSA {
    // Class styles (CS_...), the procedure that receives the windows'
    // messages, extra bytes (unused), the module, icon, cursor and background,
    // the menu name (not kept) and the class name (non-empty):
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

// 156 bytes on Windows; the fields the framework sets keep their names.
struct DEVMODEA {
    // The device name, the version fields, dmSize (the structure's size) and
    // the mask of fields that are set (DM_...); the positional, printer and
    // colour fields after them are kept at Windows' offsets and not read:
    BYTE dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    LONG dmPositionX;
    LONG dmPositionY;
    DWORD dmDisplayOrientation;
    DWORD dmDisplayFixedOutput;
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    BYTE dmFormName[32];
    WORD dmLogPixels;
    // The mode: bits a pixel, width and height in pixels, flags, refresh rate in hertz:
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    // Colour matching, media and panning fields, kept at Windows' offsets and not read:
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};

// A 128-bit identifier.
struct GUID {
    // Its parts in Windows' order:
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};

// The notification-area record; cbSize 508 covers the whole structure on
// 32-bit Windows, and the framework writes that number unchanged.
struct NOTIFYICONDATAA {
    // The size, the owning window and the icon's id there, which fields are
    // valid (NIF_...), the message posted to the window on pointer events, the
    // icon, the tooltip; then the balloon and state fields, kept as Windows lays
    // them out and not read:
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[128];
    DWORD dwState;
    DWORD dwStateMask;
    CHAR szInfo[256];
    // The balloon's timeout, or the version (one field in Windows).
    union {
        // Either meaning of the field:
        UINT uTimeout;
        UINT uVersion;
    };
    // Balloon title and flags, the icon's GUID and the balloon icon, not read:
    CHAR szInfoTitle[64];
    DWORD dwInfoFlags;
    GUID guidItem;
    HICON hBalloonIcon;
};

// ---------------------------------------------------------------- constants
// Message numbers (MSG::message), as on Windows; WM_USER and WM_APP start
// the ranges free for the program's own messages:
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_SHOWWINDOW 0x0018
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_SYSCOMMAND 0x0112
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSEWHEEL 0x020A
#define WM_USER 0x0400
#define WM_APP 0x8000

// The wheel delta of one notch (WM_MOUSEWHEEL).
#define WHEEL_DELTA 120

// Mouse-message key state (wParam of button, move and wheel messages):
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

// System commands (wParam of WM_SYSCOMMAND; the low four bits are ignored):
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120
#define SC_SCREENSAVE 0xF140
#define SC_MONITORPOWER 0xF170

// PeekMessageA: leave the message queued, or take it:
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// Class styles (WNDCLASSA::style), kept and not acted on:
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_OWNDC 0x0020

// Window styles, extended styles and the SetWindowLongA indices that read and
// write them. WS_VISIBLE follows ShowWindow; WS_EX_TOOLWINDOW keeps the window
// off the task bar; WS_EX_LAYERED enables SetLayeredWindowAttributes:
#define WS_POPUP 0x80000000u
#define WS_VISIBLE 0x10000000u
#define WS_CLIPSIBLINGS 0x04000000u
#define WS_CLIPCHILDREN 0x02000000u
#define WS_EX_TOOLWINDOW 0x00000080u
#define WS_EX_APPWINDOW 0x00040000u
#define WS_EX_LAYERED 0x00080000u
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)

// ShowWindow commands:
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_RESTORE 9

// SetLayeredWindowAttributes flags: the colour key (kept, not applied) and the alpha:
#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002

// DEVMODEA field bits, ChangeDisplaySettingsA flags and results, and the
// special mode numbers of EnumDisplaySettingsA (the current and the desktop mode):
#define DM_BITSPERPEL 0x00040000
#define DM_PELSWIDTH 0x00080000
#define DM_PELSHEIGHT 0x00100000
#define DM_DISPLAYFREQUENCY 0x00400000
#define CDS_FULLSCREEN 0x00000004
#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_RESTART 1
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)
#define ENUM_CURRENT_SETTINGS ((DWORD)-1)
#define ENUM_REGISTRY_SETTINGS ((DWORD)-2)

// GetSystemMetrics indices (screen width, height) and GetDeviceCaps indices
// (width, height, bits a pixel, refresh rate in hertz):
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define VREFRESH 116

// Numbered resources: the system cursors, the application icon, and the
// resource types of icons and raw data:
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_CROSS MAKEINTRESOURCEA(32515)
#define IDC_SIZENWSE MAKEINTRESOURCEA(32642)
#define IDC_SIZENESW MAKEINTRESOURCEA(32643)
#define IDC_SIZEWE MAKEINTRESOURCEA(32644)
#define IDC_SIZENS MAKEINTRESOURCEA(32645)
#define IDC_SIZEALL MAKEINTRESOURCEA(32646)
#define IDC_NO MAKEINTRESOURCEA(32648)
#define IDC_HAND MAKEINTRESOURCEA(32649)
#define IDC_APPSTARTING MAKEINTRESOURCEA(32650)
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_RCDATA MAKEINTRESOURCEA(10)

// Shell_NotifyIconA messages (add, modify, delete) and NOTIFYICONDATAA::uFlags bits:
#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002
#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004

// Virtual-key codes (letters and digits are their upper-case ASCII codes):
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SELECT 0x29
#define VK_PRINT 0x2A
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_HELP 0x2F
// Letters and digits: Windows names them by their upper-case ASCII codes
// ('A', '0'); these names say the same. VK_0 to VK_9 are the digits above the
// letters, VK_NUMPAD0 to VK_NUMPAD9 those of the numeric keypad; then the
// Windows and menu keys, the keypad operators, F1 to F12, the locks, the left
// and right modifiers and the punctuation keys of a US layout:
#define VK_0 0x30
#define VK_1 0x31
#define VK_2 0x32
#define VK_3 0x33
#define VK_4 0x34
#define VK_5 0x35
#define VK_6 0x36
#define VK_7 0x37
#define VK_8 0x38
#define VK_9 0x39
#define VK_A 0x41
#define VK_B 0x42
#define VK_C 0x43
#define VK_D 0x44
#define VK_E 0x45
#define VK_F 0x46
#define VK_G 0x47
#define VK_H 0x48
#define VK_I 0x49
#define VK_J 0x4A
#define VK_K 0x4B
#define VK_L 0x4C
#define VK_M 0x4D
#define VK_N 0x4E
#define VK_O 0x4F
#define VK_P 0x50
#define VK_Q 0x51
#define VK_R 0x52
#define VK_S 0x53
#define VK_T 0x54
#define VK_U 0x55
#define VK_V 0x56
#define VK_W 0x57
#define VK_X 0x58
#define VK_Y 0x59
#define VK_Z 0x5A
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD1 0x61
#define VK_NUMPAD2 0x62
#define VK_NUMPAD3 0x63
#define VK_NUMPAD4 0x64
#define VK_NUMPAD5 0x65
#define VK_NUMPAD6 0x66
#define VK_NUMPAD7 0x67
#define VK_NUMPAD8 0x68
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SEPARATOR 0x6C
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE
#define VK_OEM_102 0xE2

// ---------------------------------------------------------------- functions
// Window classes and windows

// Registers a class under lpszClassName; its atom (0xC000 on), or 0 for a null,
// empty or numbered name, no procedure, or a name already registered.
OV_PLATFORM_API WORD RegisterClassA(const WNDCLASSA* windowClass);
// Removes a class; FALSE for an unknown name or a class that still has windows.
OV_PLATFORM_API BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
// Creates a borderless SDL window of the class (at least 1 x 1 pixels), shown
// at once with WS_VISIBLE; parent, menu and param are ignored. Null, with a
// reported failure, for an unknown class or when SDL cannot make the window.
OV_PLATFORM_API HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// Sends WM_DESTROY, then frees the window, its queued messages and tray icons
// and hands the focus to the most recent visible window. FALSE for no window.
OV_PLATFORM_API BOOL DestroyWindow(HWND hwnd);
// TRUE while hwnd names a live window.
OV_PLATFORM_API BOOL IsWindow(HWND hwnd);
// Hides, shows, minimises, maximises or restores (SW_...); showing, normal,
// maximised and restore commands also give the focus. Whether the window was
// visible before; FALSE for no window.
OV_PLATFORM_API BOOL ShowWindow(HWND hwnd, int command);
// Raises the window and focuses it when visible; FALSE for no window.
OV_PLATFORM_API BOOL SetForegroundWindow(HWND hwnd);
// Focuses a visible window; the window that had the keyboard, null for no window.
OV_PLATFORM_API HWND SetFocus(HWND hwnd);
// The window holding the keyboard focus; null when none of this program's does.
OV_PLATFORM_API HWND GetFocus(void);
// Raises the window and focuses it when visible; the previous keyboard window,
// null for no window.
OV_PLATFORM_API HWND SetActiveWindow(HWND hwnd);
// Moves and sizes the window (screen pixels, at least 1 x 1); repaint is
// ignored. FALSE for no window.
OV_PLATFORM_API BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// Nothing to paint here: TRUE for a live window, FALSE otherwise.
OV_PLATFORM_API BOOL UpdateWindow(HWND hwnd);
// Sets GWL_STYLE or GWL_EXSTYLE (the latter applies WS_EX_LAYERED's opacity);
// the previous value, 0 for no window or another index.
OV_PLATFORM_API LONG SetWindowLongA(HWND hwnd, int index, LONG value);
// GWL_STYLE or GWL_EXSTYLE; 0 for no window or another index.
OV_PLATFORM_API LONG GetWindowLongA(HWND hwnd, int index);
// Records the attributes; with WS_EX_LAYERED and LWA_ALPHA the window's opacity
// becomes alpha / 255 (the colour key is not applied). FALSE for no window or
// when the opacity cannot be set.
OV_PLATFORM_API BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF colorKey, BYTE alpha, DWORD flags);
// Windows have no frame here, so the rectangle stays as it is; FALSE for null.
OV_PLATFORM_API BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
// The window's screen rectangle; FALSE for no window or a null rect.
OV_PLATFORM_API BOOL GetWindowRect(HWND hwnd, RECT* rect);
// (0, 0, width, height) of the window; FALSE for no window or a null rect.
OV_PLATFORM_API BOOL GetClientRect(HWND hwnd, RECT* rect);
// Sets the title (null: empty); FALSE for no window.
OV_PLATFORM_API BOOL SetWindowTextA(HWND hwnd, LPCSTR text);

// Display

// Requests the full-screen mode matching the DM_ fields of mode (null or the
// desktop mode: back to the desktop); windows of that size then take it.
// DISP_CHANGE_SUCCESSFUL, DISP_CHANGE_BADMODE when no mode matches,
// DISP_CHANGE_FAILED without video. flags are ignored.
OV_PLATFORM_API LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);
// Fills mode with display mode number modeNumber of the first display, or
// the current / desktop mode; FALSE past the last mode, for null or without video.
OV_PLATFORM_API BOOL EnumDisplaySettingsA(LPCSTR device, DWORD modeNumber, DEVMODEA* mode);
// SM_CXSCREEN / SM_CYSCREEN in pixels; 0 for other indices or without video.
OV_PLATFORM_API int GetSystemMetrics(int index);
// The window's device context, the screen's for null; null for a dead window.
OV_PLATFORM_API HDC GetDC(HWND hwnd);
// 1 for a known device context, 0 otherwise; nothing is freed.
OV_PLATFORM_API int ReleaseDC(HWND hwnd, HDC dc);
// HORZRES, VERTRES, BITSPIXEL or VREFRESH of the context's display mode; 0 for
// other indices, an unknown context or without video.
OV_PLATFORM_API int GetDeviceCaps(HDC dc, int index);

// Messages

// Pumps SDL's events into the queue, then takes (PM_REMOVE) or reads the first
// message for hwnd (null: any) within filterMin..filterMax (0, 0: all). After a
// termination signal an empty queue gives WM_QUIT. FALSE when nothing is queued.
OV_PLATFORM_API BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Characters already arrive as WM_CHAR: TRUE for key messages, FALSE otherwise.
OV_PLATFORM_API BOOL TranslateMessage(const MSG* msg);
// Calls the target window's procedure; its result, 0 for null or no window.
OV_PLATFORM_API LRESULT DispatchMessageA(const MSG* msg);
// Queues the message for hwnd (null: the thread); FALSE for a dead window.
OV_PLATFORM_API BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls the window's procedure at once; its result, 0 for no window.
OV_PLATFORM_API LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues WM_QUIT with wParam = exitCode.
OV_PLATFORM_API void PostQuitMessage(int exitCode);
// The default handling: SC_CLOSE sends WM_CLOSE, WM_CLOSE destroys the window;
// 0 for every message.
OV_PLATFORM_API LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Cursor

// The pointer's screen position; FALSE for null or without video.
OV_PLATFORM_API BOOL GetCursorPos(POINT* point);
// Moves the pointer to screen pixels; FALSE when it cannot be moved.
OV_PLATFORM_API BOOL SetCursorPos(int x, int y);
// Adds 1 (show) or -1 to the display counter; the cursor shows while the
// counter is >= 0. The new counter.
OV_PLATFORM_API int ShowCursor(BOOL show);
// The shape of the pointer over the program's windows; returns the previous
// one (null before the first call). Null restores the system's arrow. The
// shape is made on first use: when that fails, nothing changes and the
// result is the cursor still in force.
OV_PLATFORM_API HCURSOR SetCursor(HCURSOR cursor);
// Frees a cursor made by PlatformCreateCursor (the arrow comes back when it
// was in force); FALSE for the shared cursors of LoadCursorA and for null.
OV_PLATFORM_API BOOL DestroyCursor(HCURSOR cursor);

// Time

// The monotonic clock in nanoseconds; FALSE for null.
OV_PLATFORM_API BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
// 1,000,000,000 counts a second; FALSE for null.
OV_PLATFORM_API BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// Milliseconds of the monotonic clock, wrapping at 32 bits.
OV_PLATFORM_API DWORD GetTickCount(void);

// Modules and resources

// The program's module for null, the engine library's for its name; null,
// with a reported failure, for other names.
OV_PLATFORM_API HMODULE GetModuleHandleA(LPCSTR moduleName);
// The program's icon (its module, id 1) or IDI_APPLICATION (null module); null otherwise.
OV_PLATFORM_API HICON LoadIconA(HINSTANCE instance, LPCSTR name);
// With a null instance, the shared system cursor of an IDC_ id; null otherwise.
OV_PLATFORM_API HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
// The numbered resource of that type and id added with PlatformAddResource;
// null, with a reported failure, when there is none or the names are not numbers.
OV_PLATFORM_API HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
// The resource's data handle (the resource itself); null for an unknown one.
OV_PLATFORM_API HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The resource's bytes, valid while the module lives; null for an unknown or empty one.
OV_PLATFORM_API LPVOID LockResource(HGLOBAL resourceData);
// The resource's size in bytes; 0 for an unknown one.
OV_PLATFORM_API DWORD SizeofResource(HMODULE module, HRSRC resource);
// Resources live as long as their module: always FALSE, as on Windows.
OV_PLATFORM_API BOOL FreeResource(HGLOBAL resourceData);

// Notification area

// NIM_ADD, NIM_MODIFY or NIM_DELETE an icon of a window in the tray view
// (Platform.h; no icon is shown on the desktop). FALSE for null data, an
// unknown message, adding a present icon or to a dead window, or a missing icon.
OV_PLATFORM_API BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);

// Registry, message boxes, shell execution and dialogs.
#include "ovcore/platform/WindowsServices.h"
