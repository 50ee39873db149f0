// What every drawing call works against: the current target, the CPU-side
// projection and model-view matrices (column-major), and the hook through
// which pending batched drawing is flushed.
#pragma once

#include "ovcore/engine/render/RenderTarget.h"
#include "ovcore/platform/SdlBridge.h"

#include <cstdint>

namespace ov {

class RenderContext {
public:
    RenderContext();

    RenderTarget* Current() const { return current_; }
    // Makes the target's context current and puts the viewport and the state
    // table on it; false (nothing changed) when it cannot be made current.
    bool Activate(RenderTarget* target);
    // Leaves no target current (the share root holds GL).
    void Release(RenderTarget* target);
    // A target is current, its window lives and its context is GL's current.
    // The answer is kept until a window comes or goes or the engine changes
    // GL's current context: every drawing call asks.
    bool Ready() const {
        return (current_ && current_ == readyTarget_ && LivenessStamp() == readyStamp_) || CheckReady();
    }
    // Flushes pending drawing first when the rectangle differs from the one
    // applied last.
    void ApplyViewport();

    void SetFlushHook(void (*hook)()) { flushHook_ = hook; }
    void Flush() const;

    // Pending drawing is flushed first when the projection really changes.
    void SetOrtho(double left, double right, double top, double bottom);
    void SetProjection(const double* matrix16);
    void SetModelView(const double* matrix16);
    void ResetModelView();
    // Counts successful activations, so GL-side caches can tell a context
    // switch (and a possibly new object namespace) from the same context.
    unsigned Activations() const { return activations_; }
    const double* Projection() const { return projection_; }
    const double* ModelView() const { return modelView_; }
    // The model view applies to each vertex as it is added, so changing it
    // in place needs no flush.
    double* MutableModelView() { return modelView_; }

    // Counts changes of GL's current context; zero never matches a stamp.
    static inline unsigned contextChanges_ = 1;

private:
    // The windows' generation and the context changes, in one number.
    static uint64_t LivenessStamp() {
        return (static_cast<uint64_t>(PlatformWindowGeneration()) << 32) | contextChanges_;
    }
    bool CheckReady() const;

    RenderTarget* current_ = nullptr;
    void (*flushHook_)() = nullptr;
    unsigned activations_ = 0;
    mutable const RenderTarget* readyTarget_ = nullptr;
    mutable uint64_t readyStamp_ = 0;
    int appliedViewport_[4] = {-1, -1, -1, -1};
    double projection_[16];
    double modelView_[16];
};

// Inline, as every drawing call asks for it.
inline RenderContext& Render() {
    static RenderContext context;
    return context;
}

// Every place in the engine that changes GL's current context calls this.
void NoteCurrentContextChange();

}  // namespace ov
