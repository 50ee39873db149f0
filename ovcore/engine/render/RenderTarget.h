// A GL context on a platform window.
#pragma once

#include <cstdint>

struct SDL_Window;
typedef void* SDL_GLContext;

namespace ov {

enum ViewportField { kViewportX, kViewportY, kViewportWidth, kViewportHeight, kWindowHeight };

struct RenderTarget {
    uint32_t id = 0;
    void* hwnd = nullptr;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    int flags = 0;
    int bitsPerPixel = 0;
    int viewport[5] = {0, 0, 0, 0, 0};
    double fieldOfView = 45.0;
    double nearPlane = -1.0;
    double farPlane = 1.0;
    double scale = 1.0;
    uint32_t shareRequest = 0;

    // The window is still the live one behind the handle it was made on.
    bool WindowAlive() const;
    void RefreshWindowHeight();
};

}  // namespace ov
