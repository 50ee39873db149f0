#include "ovcore/engine/texture/TextureStore.h"

#include "ovcore/engine/texture/ImageDecode.h"
#include "ovcore/engine/render/Renderer.h"
#include "ovcore/engine/texture/TextureGl.h"
#include "ovcore/platform/Diagnostics.h"

namespace ov {

OvHandle TextureStore::Create() {
    const Texture* created = textures_.AddWithId();
    return created ? OvHandle{0, created->id} : OV_NULL_HANDLE;
}

bool TextureStore::SetPixels(Texture& texture, int width, int height, const uint8_t* rgba) {
    if (texture.Locked()) {
        PlatformReportFailure("engine: texture refused: %u: locked", texture.id);
        return false;
    }
    if (!ImageSizeAllowed(width, height)) {
        PlatformReportFailure("engine: texture refused: %d x %d: size out of bounds", width, height);
        return false;
    }
    if (!GlAvailable()) {
        PlatformReportFailure("engine: texture refused: %d x %d: no render target is current", width, height);
        return false;
    }
    FlushBatch();
    const bool sameSize = texture.HasPixels() && texture.width == width && texture.height == height;
    const bool stored = sameSize ? UpdateTexture(texture.glName, width, height, rgba)
                                 : UploadTexture(texture.glName, width, height, rgba);
    if (!stored) return false;
    texture.width = width;
    texture.height = height;
    texture.byteSize = width * height * 4;
    return true;
}

uint8_t* TextureStore::Lock(Texture& texture) {
    if (texture.Locked()) return texture.lockCopy.get();
    if (!texture.HasPixels() || !GlAvailable()) return nullptr;
    FlushBatch();
    auto copy = std::make_unique<uint8_t[]>(static_cast<size_t>(texture.byteSize));
    if (!ReadTexture(texture.glName, copy.get())) return nullptr;
    texture.lockCopy = std::move(copy);
    return texture.lockCopy.get();
}

void TextureStore::Unlock(Texture& texture, bool upload) {
    if (!texture.Locked()) return;
    FlushBatch();
    if (upload && GlAvailable()) {
        UpdateTexture(texture.glName, texture.width, texture.height, texture.lockCopy.get());
    }
    texture.lockCopy.reset();
}

void TextureStore::Bind(Texture* texture) {
    if (texture && texture->HasPixels()) {
        BindTexture(texture->glName, texture->width, texture->height);
        boundId_ = texture->id;
    } else {
        BindTexture(0, 0, 0);
        boundId_ = 0;
    }
}

void TextureStore::Destroy(Texture& texture) {
    FlushBatch();
    if (boundId_ == texture.id) Bind(nullptr);
    if (GlAvailable()) DeleteTexture(texture.glName);
    textures_.Destroy(OvHandle{0, texture.id});
}

void TextureStore::DestroyAll() {
    const bool gl = GlAvailable();
    if (gl) textures_.ForEach([](OvHandle, const Texture& texture) { DeleteTexture(texture.glName); });
    textures_.Clear();
    boundId_ = 0;
}

}  // namespace ov
