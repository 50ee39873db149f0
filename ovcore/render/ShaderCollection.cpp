#include "ovcore/render/ShaderCollection.h"

#include "ovcore/app/Core.h"

namespace OvCore {

namespace {

// Made on first use, so after the core and destroyed before it: it takes
// its hook out again so that the core's final Clear never reaches it.
struct ShaderCollection {
    OV_NAMED_LIST<OV_SHADER_STORE> list;
    ShaderCollection() { core.SetClearHook(OV_CLEAR_STAGE::SHADERS, ReleaseShaderStores); }
    ~ShaderCollection() { core.SetClearHook(OV_CLEAR_STAGE::SHADERS, nullptr); }
};

}  // namespace

OV_NAMED_LIST<OV_SHADER_STORE>& ShaderStores() {
    static ShaderCollection collection;
    return collection.list;
}

void ReleaseShaderStores() {
    OV_NAMED_LIST<OV_SHADER_STORE>& stores = ShaderStores();
    for (auto it = stores.Begin(); !it.IsEnd(); it.Next()) it.Value()->Release();
    stores.Clear();
}

}  // namespace OvCore
