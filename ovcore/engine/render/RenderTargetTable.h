// The live render targets by handle, and the share root they are made with.
#pragma once

#include "ovcore/engine/core/HandleTable.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderTarget.h"
#include "ovcore/engine/render/ShareRoot.h"

namespace ov {

class RenderTargetTable {
public:
    // A new target on the window, its context sharing objects with every
    // other; null when no context can be made. GL's current context is
    // restored to what it was.
    RenderTarget* Create(void* hwnd, int flags, int bitsPerPixel);
    RenderTarget* Find(OvHandle handle) const { return targets_.Find(handle); }
    void Destroy(RenderTarget* target);
    // Every target and the share root.
    void DestroyAll();

private:
    void RestoreCurrent();

    HandleTable<RenderTarget> targets_{"render target"};
    ShareRoot root_;
};

RenderTargetTable& RenderTargets();

}  // namespace ov
