// The live frame buffers by handle, and the one drawing is redirected to.
#pragma once

#include "ovcore/engine/core/HandleTable.h"
#include "ovcore/engine/framebuffer/FrameBuffer.h"
#include "ovcore/engine/OrvoCore.h"

namespace ov {

struct Texture;

class FrameBufferStore {
public:
    // Null when the texture is not a live texture with pixels or the table
    // is full.
    FrameBuffer* Create(uint32_t textureId, bool ownsTexture);
    FrameBuffer* Find(OvHandle handle) const { return frameBuffers_.Find(handle); }
    // Redirects drawing of the current target into the frame buffer's
    // texture, the viewport covering its pixels; false when no target is
    // current or GL refuses the attachment.
    bool Activate(FrameBuffer& frameBuffer);
    // Drawing goes back to the current target.
    void Unactivate(FrameBuffer& frameBuffer);
    bool SwapTexture(FrameBuffer& frameBuffer, uint32_t textureId);
    // The texture behind the frame buffer, its size copied into the query cells.
    Texture* AttachedTexture(FrameBuffer& frameBuffer) const;
    void Destroy(FrameBuffer& frameBuffer);
    void DestroyAll();

    bool ActiveOnCurrentTarget() const;

private:
    void SaveTargetViewport(uint32_t targetId);
    void CoverFrameBuffer(const FrameBuffer& frameBuffer);
    void RestoreTargetViewport();
    unsigned ObjectFor(FrameBuffer& frameBuffer, uint32_t targetId, unsigned textureGlName);
    void DeleteObjects(FrameBuffer& frameBuffer);

    HandleTable<FrameBuffer> frameBuffers_{"frame buffer"};
    uint32_t activeId_ = 0;
    uint32_t activeTargetId_ = 0;
    int savedViewport_[4] = {0, 0, 0, 0};
    int coverViewport_[4] = {0, 0, 0, 0};
};

FrameBufferStore& FrameBuffers();

// GL has framebuffer objects on the current context.
bool FramebufferObjectsSupported();
// The current target's back buffer (x, y from the window's top-left, rows
// top to bottom), also while a frame buffer is active.
bool ReadTargetBackBuffer(int x, int y, int width, int height, uint8_t* rgba);

}  // namespace ov
