// The frame-buffer functions of the engine's C interface.
#include "ovcore/engine/framebuffer/FrameBufferStore.h"
#include "ovcore/engine/texture/ImageDecode.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderShutdown.h"
#include "ovcore/engine/render/Renderer.h"
#include "ovcore/engine/texture/TextureGl.h"
#include "ovcore/engine/texture/TextureStore.h"

#include <vector>

namespace {

constexpr OvHandle kEmptyHandle{1, 0};

int Publish(OvHandle* handle, ov::FrameBuffer* created) {
    if (!created) return 0;
    *handle = OvHandle{0, created->id};
    return 1;
}

}  // namespace

extern "C" OV_API int OvFrameBufferCreate(OvHandle* handle, int width, int height, unsigned char) {
    if (!handle) return 0;
    *handle = kEmptyHandle;
    if (!ov::ImageSizeAllowed(width, height)) return 0;
    ov::TextureStore& textures = ov::Textures();
    ov::Texture* texture = textures.Find(textures.Create());
    if (!texture) return 0;
    std::vector<uint8_t> zeros(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    ov::FrameBuffer* created = textures.SetPixels(*texture, width, height, zeros.data())
                                   ? ov::FrameBuffers().Create(texture->id, true)
                                   : nullptr;
    if (!created) textures.Destroy(*texture);
    return Publish(handle, created);
}

extern "C" OV_API int OvFrameBufferCreateFromTexture(OvHandle* handle, OvHandle texture, unsigned char) {
    if (!handle) return 0;
    *handle = kEmptyHandle;
    ov::Texture* found = ov::Textures().Find(texture);
    return Publish(handle, found ? ov::FrameBuffers().Create(found->id, false) : nullptr);
}

extern "C" OV_API int OvFrameBufferActivate(OvHandle handle) {
    ov::FrameBuffer* frameBuffer = ov::FrameBuffers().Find(handle);
    return frameBuffer && ov::FrameBuffers().Activate(*frameBuffer) ? 1 : 0;
}

extern "C" OV_API void OvFrameBufferUnactivate(OvHandle handle) {
    ov::FrameBuffer* frameBuffer = ov::FrameBuffers().Find(handle);
    if (frameBuffer) ov::FrameBuffers().Unactivate(*frameBuffer);
}

extern "C" OV_API void OvFrameBufferMipmap(OvHandle handle) {
    ov::FrameBuffer* frameBuffer = ov::FrameBuffers().Find(handle);
    ov::Texture* texture = frameBuffer ? ov::FrameBuffers().AttachedTexture(*frameBuffer) : nullptr;
    if (!texture || !ov::FramebufferObjectsSupported()) return;
    ov::FlushBatch();
    ov::GenerateMipmaps(texture->glName);
}

extern "C" OV_API void* OvFrameBufferGet(OvHandle handle, int query) {
    ov::FrameBuffer* frameBuffer = ov::FrameBuffers().Find(handle);
    if (!frameBuffer) return nullptr;
    ov::FrameBuffers().AttachedTexture(*frameBuffer);
    switch (query) {
    case OV_FRAMEBUFFER_WIDTH: return &frameBuffer->width;
    case OV_FRAMEBUFFER_HEIGHT: return &frameBuffer->height;
    case OV_FRAMEBUFFER_TEXTURE: return &frameBuffer->textureHandle;
    default: return nullptr;
    }
}

extern "C" OV_API void OvFrameBufferActivateTexture(OvHandle handle) {
    ov::FrameBuffer* frameBuffer = ov::FrameBuffers().Find(handle);
    ov::Texture* texture = frameBuffer ? ov::FrameBuffers().AttachedTexture(*frameBuffer) : nullptr;
    if (texture) ov::Textures().Bind(texture);
}

extern "C" OV_API int OvFrameBufferSwapTexture(OvHandle handle, OvHandle texture) {
    ov::FrameBuffer* frameBuffer = ov::FrameBuffers().Find(handle);
    ov::Texture* found = ov::Textures().Find(texture);
    if (!frameBuffer || !found) return 0;
    return ov::FrameBuffers().SwapTexture(*frameBuffer, found->id) ? 1 : 0;
}

extern "C" OV_API int OvFrameBufferUseFBO(OvHandle handle) {
    return ov::FrameBuffers().Find(handle) && ov::FramebufferObjectsSupported() ? 1 : 0;
}

extern "C" OV_API void OvFrameBufferDestroy(OvHandle handle) {
    ov::FrameBuffer* frameBuffer = ov::FrameBuffers().Find(handle);
    if (frameBuffer) ov::FrameBuffers().Destroy(*frameBuffer);
}

void OvFrameBufferShutdown() { ov::FrameBuffers().DestroyAll(); }
