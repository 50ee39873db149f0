#include "ovcore/render/TextureCollection.h"

#include "ovcore/app/Core.h"

namespace OvCore {

namespace {

// Made on first use, so after the core; it is therefore destroyed before
// the core, and takes its hook out again so that the core's own final Clear
// never reaches a destroyed collection.
struct TextureCollection {
    OV_NAMED_LIST<OV_TEXTURE> list;
    TextureCollection() { core.SetClearHook(OV_CLEAR_STAGE::TEXTURES, ReleaseTextures); }
    ~TextureCollection() { core.SetClearHook(OV_CLEAR_STAGE::TEXTURES, nullptr); }
};

}  // namespace

OV_NAMED_LIST<OV_TEXTURE>& Textures() {
    static TextureCollection collection;
    return collection.list;
}

void ReleaseTextures() {
    OV_NAMED_LIST<OV_TEXTURE>& textures = Textures();
    for (auto it = textures.Begin(); !it.IsEnd(); it.Next()) it.Value()->Release(false);
    textures.Clear();
}

}  // namespace OvCore
