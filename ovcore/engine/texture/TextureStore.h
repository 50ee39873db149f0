// The live textures by handle, and the one last bound for drawing (which
// texture parameters apply to).
#pragma once

#include "ovcore/engine/core/HandleTable.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/Renderer.h"
#include "ovcore/engine/texture/Texture.h"

#include <cstdint>
#include <memory>

namespace ov {

class TextureStore {
public:
    // A new texture without pixels; OV_NULL_HANDLE when the table is full.
    OvHandle Create();
    // Null for empty, unknown or destroyed handles.
    Texture* Find(OvHandle handle) const { return textures_.Find(handle); }
    // The texture whose handle has this word1 (its id); null for 0.
    Texture* FindById(uint32_t id) const { return textures_.Find(OvHandle{0, id}); }
    // Puts RGBA pixels into the texture (same size: in place). Refused while
    // the texture is locked.
    bool SetPixels(Texture& texture, int width, int height, const uint8_t* rgba);
    // Returns the existing copy when the texture is locked already.
    uint8_t* Lock(Texture& texture);
    void Unlock(Texture& texture, bool upload);
    void Bind(Texture* texture);
    // Binds the handle's texture when it has pixels; else nothing changes.
    void Activate(OvHandle handle) {
        const Texture* texture = Find(handle);
        if (!texture || !texture->HasPixels()) return;
        BindTexture(texture->glName, texture->width, texture->height);
        boundId_ = texture->id;
    }
    Texture* Bound() const { return FindById(boundId_); }
    void Destroy(Texture& texture);
    // Every texture; GL names are deleted when a context is current.
    void DestroyAll();

private:
    HandleTable<Texture> textures_{"texture"};
    uint32_t boundId_ = 0;
};

// Inline, as every drawing call asks for it.
inline TextureStore& Textures() {
    static TextureStore store;
    return store;
}

}  // namespace ov
