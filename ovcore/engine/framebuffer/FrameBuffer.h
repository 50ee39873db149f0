// An off-screen target drawing into a texture of the texture store, with
// the GL framebuffer objects made for it (one per context, since GL does not
// share framebuffer objects between contexts).
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <cstdint>
#include <vector>

namespace ov {

struct FramebufferObject {
    uint32_t targetId = 0;
    unsigned glName = 0;
    uint32_t attachedTexture = 0;
};

struct FrameBuffer {
    uint32_t id = 0;
    uint32_t textureId = 0;
    // The texture the frame buffer made itself, destroyed with it while still attached.
    uint32_t ownTextureId = 0;
    // Read through OvFrameBufferGet.
    int32_t width = 0;
    int32_t height = 0;
    OvHandle textureHandle{1, 0};
    std::vector<FramebufferObject> objects;
};

}  // namespace ov
