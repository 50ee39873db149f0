// OV_WINDOW: a top-level window with an engine render target.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/String.h"
#include "ovcore/platform/Windows.h"

#include <cstdint>

namespace OvCore {

// A borderless top-level window with an engine render target on it. The
// record describes the window; Create makes it, Apply re-applies an edited
// record to the live window. Copies describe the same window; moving hands
// the window's handles to the new record.
class OV_WINDOW {
public:
    // The window's record: its tray icon, render target and whether it was attached
    // (made elsewhere), the handles, the size in pixels and width / height, the
    // refresh rate in hertz (0: the screen's), the position in screen pixels, the
    // colour depth, full screen, shown, on the task bar, in the tray, the title, the
    // opacity 0..1 and a colour key (0x00BBGGRR) with its switch:
    NOTIFYICONDATAA notifyIcon;
    OvHandle renderTarget;
    bool attached = false;
    HWND hwnd = nullptr;
    HINSTANCE hinstance = nullptr;
    int32_t width = 1;
    int32_t height = 1;
    float aspect = 1.0f;
    uint32_t refreshRate = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t bitsPerPixel = 24;
    bool fullscreen = false;
    bool visible = true;
    bool taskbar = true;
    bool trayIcon = false;
    OV_STRING title;
    float alpha = 1.0f;
    COLORREF colorKey = 0;
    bool useColorKey = false;

    // Copies describe the same window; a move hands the handles over:
    OV_WINDOW();
    OV_WINDOW(const OV_WINDOW& other) = default;
    OV_WINDOW(OV_WINDOW&& other) noexcept;
    OV_WINDOW& operator=(const OV_WINDOW& other) = default;
    OV_WINDOW& operator=(OV_WINDOW&& other) noexcept;
    ~OV_WINDOW() = default;

    // False when the class cannot be registered (a live window already has
    // this title), the window cannot be made, or the engine cannot put a
    // render target on it; a failed Create leaves no handles behind.
    bool Create(OvHandle shareWith);
    // As Create on a window made elsewhere; false when the engine cannot put
    // a render target on it.
    bool Attach(HWND window, OvHandle shareWith);
    // False when the record has no live window.
    bool Apply();
    // Destroy frees the render target, the tray icon, the window and its class
    // and restores the desktop's display mode; Detach does the same but leaves
    // the window alive; ReadDesktop sets the record to the whole screen at
    // (0, 0) with the screen's refresh rate:
    void Destroy();
    void Detach();
    void ReadDesktop();

    // The window, its render target, and whether it was attached:
    HWND GetHandle() const { return hwnd; }
    OvHandle GetRenderTarget() const { return renderTarget; }
    bool IsAttached() const { return attached; }

private:
    RECT WindowRect() const;
    void ApplyDisplayMode();
    DWORD ExtendedStyle() const;
    void ApplyTranslucency(DWORD exStyle);
    void ShowAndFocus();
    bool MakeRenderTarget(OvHandle shareWith);
    void ReleaseHandles();
};

// The screen's refresh rate in Hz; 0 when the screen cannot be asked.
uint32_t ScreenRefreshRate();

}  // namespace OvCore
