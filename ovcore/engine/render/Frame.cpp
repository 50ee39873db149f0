// The end-of-frame call, swap interval, feature check and pixel read-back.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/FrameCapture.h"
#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/engine/physics/SoftBodyWorld.h"

#include <SDL2/SDL.h>
#include <epoxy/gl.h>

#include <cstring>
#include <vector>

namespace {

bool HasAccumulationBuffer() {
    GLint bits = 0;
    glGetIntegerv(GL_ACCUM_RED_BITS, &bits);
    return glGetError() == GL_NO_ERROR && bits > 0;
}

GLbitfield ClearMask(int flags) {
    GLbitfield mask = 0;
    if (flags & OV_SCENE_CLEAR_COLOR) mask |= GL_COLOR_BUFFER_BIT;
    if (flags & OV_SCENE_CLEAR_DEPTH) mask |= GL_DEPTH_BUFFER_BIT;
    if (flags & OV_SCENE_CLEAR_STENCIL) mask |= GL_STENCIL_BUFFER_BIT;
    if ((flags & OV_SCENE_CLEAR_ACCUM) && HasAccumulationBuffer()) mask |= GL_ACCUM_BUFFER_BIT;
    return mask;
}

void FlipRows(unsigned char* rgba, int width, int height) {
    size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<unsigned char> row(rowBytes);
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        unsigned char* a = rgba + static_cast<size_t>(top) * rowBytes;
        unsigned char* b = rgba + static_cast<size_t>(bottom) * rowBytes;
        std::memcpy(row.data(), a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, row.data(), rowBytes);
    }
}

}  // namespace

extern "C" OV_API void OvRenderScene(int flags) {
    ov::RenderContext& render = ov::Render();
    // Drawing issued before a present or a clear belongs to the frame being
    // finished, so both imply the flush.
    constexpr int kEndsPendingDrawing = OV_SCENE_FLUSH | OV_SCENE_PRESENT | OV_SCENE_CLEAR_COLOR |
                                        OV_SCENE_CLEAR_DEPTH | OV_SCENE_CLEAR_STENCIL | OV_SCENE_CLEAR_ACCUM;
    if (flags & kEndsPendingDrawing) render.Flush();
    if (!render.Ready()) return;
    if (flags & OV_SCENE_PRESENT) {
        ov::CaptureFrameBeforePresent();
        SDL_GL_SwapWindow(render.Current()->window);
        ov::SoftBodies().AdvanceAtPresent();
    }
    if (GLbitfield mask = ClearMask(flags)) glClear(mask);
}

extern "C" OV_API int OvRenderVsync(int on) {
    if (!ov::Render().Ready()) return 0;
    return SDL_GL_SetSwapInterval(on ? 1 : 0) == 0 ? 1 : 0;
}

extern "C" OV_API int OvExtensions(int) {
    if (!ov::Render().Ready()) return 0;
    int version = epoxy_gl_version();
    bool vertexBuffers = version >= 15 || epoxy_has_gl_extension("GL_ARB_vertex_buffer_object");
    bool framebuffers = version >= 30 || epoxy_has_gl_extension("GL_ARB_framebuffer_object") ||
                        epoxy_has_gl_extension("GL_EXT_framebuffer_object");
    return vertexBuffers && framebuffers ? 1 : 0;
}

extern "C" OV_API int OvRenderTargetReadPixels(int x, int y, int width, int height, unsigned char* rgba) {
    ov::RenderContext& render = ov::Render();
    if (!rgba || width <= 0 || height <= 0 || !render.Ready()) return 0;
    int windowWidth = 0, windowHeight = 0;
    SDL_GL_GetDrawableSize(render.Current()->window, &windowWidth, &windowHeight);
    if (x < 0 || y < 0 || width > windowWidth - x || height > windowHeight - y) return 0;
    render.Flush();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, windowHeight - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    FlipRows(rgba, width, height);
    return glGetError() == GL_NO_ERROR ? 1 : 0;
}
