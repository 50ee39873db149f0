// The live render targets by handle, and the share root they are made with.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderTarget.h"
#include "ovcore/engine/render/ShareRoot.h"

#include <memory>
#include <vector>

namespace ov {

class RenderTargetTable {
public:
    // A new target on the window, its context sharing objects with every
    // other; null when no context can be made. GL's current context is
    // restored to what it was.
    RenderTarget* Create(void* hwnd, int flags, int bitsPerPixel);
    RenderTarget* Find(OvHandle handle) const;
    void Destroy(RenderTarget* target);
    // Every target and the share root.
    void DestroyAll();

private:
    void RestoreCurrent();

    std::vector<std::unique_ptr<RenderTarget>> targets_;
    ShareRoot root_;
    uint32_t nextId_ = 1;
};

RenderTargetTable& RenderTargets();

}  // namespace ov
