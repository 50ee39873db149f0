// Test support: a real window with an engine render target on it, made and
// taken down in the right order, and the drawing state the pixel tests start
// from; the fixture of every test that draws.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"

#include <string>

namespace OvTest {

class GlWindow {
public:
    // A borderless window of that size with a 32-bit render target covering
    // it (depth range nearPlane..farPlane); Created() tells whether it worked.
    GlWindow(const char* name, int width, int height, double nearPlane = -1.0, double farPlane = 1.0)
        : name_(name),
          width_(width),
          height_(height) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = name_.c_str();
        RegisterClassA(&windowClass);
        hwnd_ = CreateWindowExA(WS_EX_APPWINDOW, name, name, WS_POPUP, 0, 0, width, height, nullptr, nullptr, nullptr,
                                nullptr);
        created_ = OvRenderTargetCreate(&target_, hwnd_, 80, 32) == 1;
        if (created_) OvRenderTargetArea(target_, 0, 0, width, height, 45.0, nearPlane, farPlane, 1.0);
    }
    ~GlWindow() {
        OvRenderTargetDestroy(target_);
        if (hwnd_) DestroyWindow(hwnd_);
        UnregisterClassA(name_.c_str(), nullptr);
    }
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    bool Created() const { return created_; }
    OvHandle Target() const { return target_; }
    HWND Handle() const { return hwnd_; }
    // Makes the target current for drawing in window pixels: a camera with one
    // unit a pixel from the window's top-left corner, texturing on, clipping
    // off, a white drawing colour, blending off or (blending true) source
    // alpha over one minus source alpha, and the frame cleared to opaque
    // black. False when the target cannot be made current.
    bool DrawInPixels(bool blending) {
        if (OvRenderTargetActivate(target_) != 1) return false;
        OvCameraOrtho(0, 0, width_, height_, 0);
        OvSetState(OV_STATE_TEXTURING, 1);
        OvSetState(OV_STATE_BLENDING, blending ? 1 : 0);
        if (blending) OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
        OvSetState(OV_STATE_CLIPPING, 0);
        OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
        OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 1.0);
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
        return true;
    }
    // Destroys the window under the target, leaving the target alive.
    void DestroyWindowOnly() {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }

private:
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    std::string name_;
    int width_ = 0;
    int height_ = 0;
    HWND hwnd_ = nullptr;
    OvHandle target_ = OV_NULL_HANDLE;
    bool created_ = false;
};

}  // namespace OvTest
