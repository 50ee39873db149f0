// The live textures by handle, and the one last bound for drawing (which
// texture parameters apply to).
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/Renderer.h"
#include "ovcore/engine/texture/Texture.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace ov {

class TextureStore {
public:
    OvHandle Create();
    // Null for empty, unknown or destroyed handles.
    Texture* Find(OvHandle handle) const { return OvHandleIsEmpty(handle) ? nullptr : FindById(handle.word1); }
    // An empty slot of the last two found holds id 0 and null.
    Texture* FindById(uint32_t id) const {
        if (id == recentIds_[0]) return recentTextures_[0];
        if (id == recentIds_[1]) return recentTextures_[1];
        return Search(id);
    }
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
    Texture* Search(uint32_t id) const;
    void ForgetRecent() const;

    std::unordered_map<uint32_t, std::unique_ptr<Texture>> textures_;
    // The last two textures found: sprites drawn in turns from two textures
    // find theirs without a search. Emptied whenever a texture goes.
    mutable uint32_t recentIds_[2] = {};
    mutable Texture* recentTextures_[2] = {};
    mutable int oldestRecent_ = 0;
    uint32_t nextId_ = 1;
    uint32_t boundId_ = 0;
};

// Inline, as every drawing call asks for it.
inline TextureStore& Textures() {
    static TextureStore store;
    return store;
}

}  // namespace ov
