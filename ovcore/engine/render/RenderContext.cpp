#include "ovcore/engine/render/RenderContext.h"

#include "ovcore/engine/render/StateTable.h"
#include "ovcore/platform/SdlBridge.h"

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
    if (target != current_) Flush();
    NoteCurrentContextChange();
    if (SDL_GL_MakeCurrent(target->window, target->context) != 0) return false;
    current_ = target;
    ++activations_;
    std::fill(appliedViewport_, appliedViewport_ + 4, -1);
    ApplyViewport();
    States().ApplyAll();
    return true;
}

void RenderContext::Release(RenderTarget* target) {
    if (current_ != target) return;
    Flush();
    current_ = nullptr;
}

bool RenderContext::CheckReady() const {
    const uint64_t stamp = LivenessStamp();
    const bool ready = current_ && current_->WindowAlive() && SDL_GL_GetCurrentContext() == current_->context;
    readyTarget_ = current_;
    readyStamp_ = ready ? stamp : 0;
    return ready;
}

void RenderContext::ApplyViewport() {
    if (!Ready()) return;
    const int* viewport = current_->viewport;
    int wanted[4] = {viewport[kViewportX], viewport[kViewportY], std::max(viewport[kViewportWidth], 0),
                     std::max(viewport[kViewportHeight], 0)};
    if (!std::equal(wanted, wanted + 4, appliedViewport_)) {
        Flush();
        std::copy(wanted, wanted + 4, appliedViewport_);
    }
    glViewport(wanted[0], wanted[1], wanted[2], wanted[3]);
}

void RenderContext::Flush() const {
    if (flushHook_) flushHook_();
}

// glOrtho with near -1 and far 1; `top` is the edge at the top of the screen.
void RenderContext::SetOrtho(double left, double right, double top, double bottom) {
    double ortho[16];
    std::memcpy(ortho, kIdentity, sizeof(ortho));
    ortho[0] = 2.0 / (right - left);
    ortho[5] = 2.0 / (top - bottom);
    ortho[10] = -1.0;
    ortho[12] = -(right + left) / (right - left);
    ortho[13] = -(top + bottom) / (top - bottom);
    SetProjection(ortho);
}

void RenderContext::SetProjection(const double* matrix16) {
    if (std::memcmp(projection_, matrix16, sizeof(projection_)) == 0) return;
    Flush();
    std::memcpy(projection_, matrix16, sizeof(projection_));
}

void RenderContext::SetModelView(const double* matrix16) { std::memcpy(modelView_, matrix16, sizeof(modelView_)); }

void RenderContext::ResetModelView() { std::memcpy(modelView_, kIdentity, sizeof(modelView_)); }

void NoteCurrentContextChange() {
    if (++RenderContext::contextChanges_ == 0) RenderContext::contextChanges_ = 1;
}

}  // namespace ov
