#include "engine/RenderContext.h"

#include "engine/StateTable.h"

#include <SDL2/SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstring>

namespace ov {

namespace {

constexpr double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

RenderContext::RenderContext() {
    std::memcpy(projection_, kIdentity, sizeof(projection_));
    std::memcpy(modelView_, kIdentity, sizeof(modelView_));
}

bool RenderContext::Activate(RenderTarget* target) {
    if (!target || !target->WindowAlive()) return false;
    if (SDL_GL_MakeCurrent(target->window, target->context) != 0) return false;
    current_ = target;
    ApplyViewport();
    States().ApplyAll();
    return true;
}

void RenderContext::Release(RenderTarget* target) {
    if (current_ == target) current_ = nullptr;
}

bool RenderContext::Ready() const {
    return current_ && current_->WindowAlive() && SDL_GL_GetCurrentContext() == current_->context;
}

void RenderContext::ApplyViewport() const {
    if (!Ready()) return;
    const int* viewport = current_->viewport;
    glViewport(viewport[kViewportX], viewport[kViewportY], std::max(viewport[kViewportWidth], 0),
               std::max(viewport[kViewportHeight], 0));
}

void RenderContext::Flush() const {
    if (flushHook_) flushHook_();
}

// glOrtho with near -1 and far 1; `top` is the edge at the top of the screen.
void RenderContext::SetOrtho(double left, double right, double top, double bottom) {
    std::memcpy(projection_, kIdentity, sizeof(projection_));
    projection_[0] = 2.0 / (right - left);
    projection_[5] = 2.0 / (top - bottom);
    projection_[10] = -1.0;
    projection_[12] = -(right + left) / (right - left);
    projection_[13] = -(top + bottom) / (top - bottom);
}

void RenderContext::ResetModelView() {
    std::memcpy(modelView_, kIdentity, sizeof(modelView_));
}

RenderContext& Render() {
    static RenderContext context;
    return context;
}

}  // namespace ov
