// The live textures by handle, and the one last bound for drawing (which
// texture parameters apply to).
#pragma once

#include "engine/OrvoCore.h"
#include "engine/texture/Texture.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace ov {

class TextureStore {
public:
    OvHandle Create();
    // Null for empty, unknown or destroyed handles.
    Texture* Find(OvHandle handle) const;
    Texture* FindById(uint32_t id) const;
    // Puts RGBA pixels into the texture (same size: in place). Refused while
    // the texture is locked.
    bool SetPixels(Texture& texture, int width, int height, const uint8_t* rgba);
    // Returns the existing copy when the texture is locked already.
    uint8_t* Lock(Texture& texture);
    void Unlock(Texture& texture, bool upload);
    void Bind(Texture* texture);
    Texture* Bound() const { return FindById(boundId_); }
    void Destroy(Texture& texture);
    // Every texture; GL names are deleted when a context is current.
    void DestroyAll();

private:
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
