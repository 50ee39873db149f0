#include "ovcore/app/Window.h"

#include "ovcore/app/TrayIcon.h"
#include "ovcore/app/WindowProcedure.h"
#include "ovcore/foundation/EngineHandle.h"

#include <cstring>
#include <utility>

namespace OvCore {

namespace {

constexpr const char* kDefaultTitle = "Orvo Core Framework";
constexpr DWORD kNotifyIconSize = 508;
constexpr WORD kDevModeSize = 156;
constexpr int kRenderTargetFlags = 80;
constexpr int kProgramIcon = 1;
constexpr DWORD kFullscreenFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;

void SetRenderTargetArea(OvHandle target, int width, int height) {
    OvRenderTargetArea(target, 0, 0, width, height, 45.0, -1.0, 1.0, 1.0);
}

BYTE AlphaByte(float alpha) {
    if (alpha < 0.0f) alpha = 0.0f;
    if (alpha > 1.0f) alpha = 1.0f;
    return static_cast<BYTE>(alpha * 255.0f);
}

float Aspect(int width, int height) {
    return height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 0.0f;
}

}  // namespace

uint32_t ScreenRefreshRate() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int rate = GetDeviceCaps(screen, VREFRESH);
    ReleaseDC(nullptr, screen);
    return rate > 0 ? static_cast<uint32_t>(rate) : 0;
}

OV_WINDOW::OV_WINDOW() : renderTarget(EmptyHandle()), refreshRate(ScreenRefreshRate()), title(kDefaultTitle) {
    std::memset(&notifyIcon, 0, sizeof notifyIcon);
    notifyIcon.cbSize = kNotifyIconSize;
    notifyIcon.uCallbackMessage = WM_APP;
}

OV_WINDOW::OV_WINDOW(OV_WINDOW&& other) noexcept : renderTarget(EmptyHandle()) { *this = std::move(other); }

OV_WINDOW& OV_WINDOW::operator=(OV_WINDOW&& other) noexcept {
    if (this == &other) return *this;
    notifyIcon = other.notifyIcon;
    renderTarget = other.renderTarget;
    attached = other.attached;
    hwnd = other.hwnd;
    hinstance = other.hinstance;
    width = other.width;
    height = other.height;
    aspect = other.aspect;
    refreshRate = other.refreshRate;
    x = other.x;
    y = other.y;
    bitsPerPixel = other.bitsPerPixel;
    fullscreen = other.fullscreen;
    visible = other.visible;
    taskbar = other.taskbar;
    trayIcon = other.trayIcon;
    title = std::move(other.title);
    alpha = other.alpha;
    colorKey = other.colorKey;
    useColorKey = other.useColorKey;
    other.ReleaseHandles();
    return *this;
}

RECT OV_WINDOW::WindowRect() const { return RECT{x, y, x + width, y + height}; }

void OV_WINDOW::ApplyDisplayMode() {
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = kDevModeSize;
    if (fullscreen) {
        mode.dmPelsWidth = static_cast<DWORD>(width);
        mode.dmPelsHeight = static_cast<DWORD>(height);
        mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
        mode.dmFields = kFullscreenFields;
    }
    if (refreshRate != 0) {
        mode.dmDisplayFrequency = refreshRate;
        mode.dmFields |= DM_DISPLAYFREQUENCY;
    }
    if (ChangeDisplaySettingsA(&mode, 0) != DISP_CHANGE_SUCCESSFUL) fullscreen = false;
    refreshRate = ScreenRefreshRate();
}

DWORD OV_WINDOW::ExtendedStyle() const { return taskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW; }

void OV_WINDOW::ApplyTranslucency(DWORD exStyle) {
    const bool translucent = alpha < 1.0f;
    SetWindowLongA(hwnd, GWL_EXSTYLE, static_cast<LONG>(exStyle | WS_EX_LAYERED));
    const BYTE opacity = AlphaByte(alpha);
    if (translucent) SetLayeredWindowAttributes(hwnd, colorKey, opacity, LWA_ALPHA);
    if (useColorKey) SetLayeredWindowAttributes(hwnd, colorKey, opacity, LWA_COLORKEY);
    if (translucent && useColorKey) SetLayeredWindowAttributes(hwnd, colorKey, opacity, LWA_COLORKEY | LWA_ALPHA);
}

void OV_WINDOW::ShowAndFocus() {
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    SetActiveWindow(hwnd);
}

bool OV_WINDOW::MakeRenderTarget(OvHandle shareWith) {
    if (!OvRenderTargetCreate(&renderTarget, hwnd, kRenderTargetFlags, bitsPerPixel)) return false;
    SetRenderTargetArea(renderTarget, width, height);
    if (!IsEmptyHandle(shareWith)) OvRenderTargetShare(renderTarget, shareWith);
    return true;
}

void OV_WINDOW::ReleaseHandles() {
    renderTarget = EmptyHandle();
    attached = false;
    hwnd = nullptr;
    hinstance = nullptr;
    notifyIcon.hWnd = nullptr;
}

bool OV_WINDOW::Create(OvHandle shareWith) {
    RECT rect = WindowRect();
    hinstance = GetModuleHandleA(nullptr);

    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = hinstance;
    windowClass.hIcon = LoadIconA(hinstance, MAKEINTRESOURCEA(kProgramIcon));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = title.Get();
    if (!RegisterClassA(&windowClass)) {
        hinstance = nullptr;
        return false;
    }

    ApplyDisplayMode();
    const DWORD exStyle = ExtendedStyle();
    AdjustWindowRectEx(&rect, WS_POPUP, FALSE, exStyle);
    hwnd =
        CreateWindowExA(exStyle, title.Get(), title.Get(), WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, hinstance, nullptr);
    if (!hwnd) {
        Destroy();
        return false;
    }

    if (alpha < 1.0f || useColorKey) ApplyTranslucency(exStyle);
    if (visible) ShowAndFocus();
    if (trayIcon) AddTrayIcon(notifyIcon, hwnd, hinstance, title.Get());
    if (!MakeRenderTarget(shareWith)) {
        Destroy();
        return false;
    }
    return true;
}

bool OV_WINDOW::Attach(HWND window, OvHandle shareWith) {
    RECT rect = WindowRect();
    hinstance = GetModuleHandleA(nullptr);
    ApplyDisplayMode();
    const DWORD exStyle = ExtendedStyle();
    AdjustWindowRectEx(&rect, WS_POPUP, FALSE, exStyle);
    hwnd = window;

    if (alpha < 1.0f || useColorKey) ApplyTranslucency(exStyle);
    if (visible) ShowAndFocus();
    if (trayIcon) AddTrayIcon(notifyIcon, hwnd, hinstance, title.Get());
    if (!MakeRenderTarget(shareWith)) {
        Detach();
        return false;
    }
    attached = true;
    return true;
}

bool OV_WINDOW::Apply() {
    if (!hwnd) return false;
    if (!fullscreen) ChangeDisplaySettingsA(nullptr, 0);
    ApplyDisplayMode();
    const DWORD exStyle = ExtendedStyle();
    if (alpha < 1.0f || useColorKey) {
        ApplyTranslucency(exStyle);
    } else {
        SetLayeredWindowAttributes(hwnd, 0, 0, 0);
        SetWindowLongA(hwnd, GWL_EXSTYLE, static_cast<LONG>(exStyle));
    }
    MoveWindow(hwnd, x, y, width, height, TRUE);
    // A shown window takes the keyboard focus when no window of the program
    // has it (nothing else gives it on a display without a window manager).
    if (visible && !GetFocus()) SetFocus(hwnd);
    if (trayIcon) UpdateTrayIcon(notifyIcon, title.Get());
    UpdateWindow(hwnd);
    SetRenderTargetArea(renderTarget, width, height);
    return true;
}

void OV_WINDOW::Destroy() {
    ChangeDisplaySettingsA(nullptr, 0);
    OvRenderTargetDestroy(renderTarget);
    renderTarget = EmptyHandle();
    if (trayIcon) RemoveTrayIcon(notifyIcon);
    if (hwnd) DestroyWindow(hwnd);
    hwnd = nullptr;
    if (hinstance) UnregisterClassA(title.Get(), hinstance);
    hinstance = nullptr;
    attached = false;
}

void OV_WINDOW::Detach() {
    ChangeDisplaySettingsA(nullptr, 0);
    OvRenderTargetDestroy(renderTarget);
    renderTarget = EmptyHandle();
    if (trayIcon) RemoveTrayIcon(notifyIcon);
    ReleaseHandles();
}

void OV_WINDOW::ReadDesktop() {
    x = 0;
    y = 0;
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
    aspect = Aspect(width, height);
    refreshRate = ScreenRefreshRate();
}

}  // namespace OvCore
