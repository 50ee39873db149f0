// An engine window for the benchmarks that draw: the engine started, a
// borderless window with a render target, and a camera in pixels.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"

class BenchWindow {
public:
    BenchWindow(const char* name, int width, int height) {
        OvInitiation();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
        hwnd_ = CreateWindowExA(0, name, name, WS_POPUP, 0, 0, width, height, nullptr, nullptr, nullptr, nullptr);
        OvRenderTargetCreate(&target_, hwnd_, 80, 32);
        OvRenderTargetActivate(target_);
        OvCameraOrtho(0, 0, width, height, 0);
    }
    ~BenchWindow() {
        OvRenderTargetDestroy(target_);
        DestroyWindow(hwnd_);
        OvClosure();
    }
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

private:
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
    OvHandle target_{1, 0};
};
