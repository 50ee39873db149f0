#include "ovcore/engine/render/FrameCapture.h"

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderContext.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace ov {

namespace {

struct Capture {
    bool enabled = false;
    std::string path;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // reused from frame to frame
};

Capture& TheCapture() {
    static Capture capture = [] {
        Capture c;
        if (const char* path = std::getenv("OV_SAVE_FRAME"); path && *path) {
            c.enabled = true;
            c.path = path;
        }
        return c;
    }();
    return capture;
}

}  // namespace

void CaptureFrameBeforePresent() {
    Capture& capture = TheCapture();
    if (!capture.enabled || !Render().Ready()) return;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(Render().Current()->window, &width, &height);
    if (width <= 0 || height <= 0) return;
    capture.pixels.resize(static_cast<size_t>(width) * height * 4);
    if (!OvRenderTargetReadPixels(0, 0, width, height, capture.pixels.data())) return;
    capture.width = width;
    capture.height = height;
}

bool WriteCapturedFrame() {
    Capture& capture = TheCapture();
    if (!capture.enabled || capture.width == 0) return false;
    // Written beside the target and renamed over it, so a failed write never
    // leaves a truncated picture behind.
    const std::string temporary = capture.path + ".part";
    bool written = stbi_write_png(temporary.c_str(), capture.width, capture.height, 4, capture.pixels.data(),
                                  capture.width * 4) != 0;
    if (written) written = std::rename(temporary.c_str(), capture.path.c_str()) == 0;
    if (!written) std::remove(temporary.c_str());
    return written;
}

}  // namespace ov
