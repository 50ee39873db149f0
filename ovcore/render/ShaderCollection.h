// The core's shader-store collection.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/render/ShaderStore.h"

namespace OvCore {

// The program's shader stores by name: the core's shader collection. It
// joins OV_CORE::Clear through the SHADERS clear hook, registered on first
// use: Clear releases every store and empties the collection.
OV_NAMED_LIST<OV_SHADER_STORE>& ShaderStores();

// Releases every store and empties the collection (the clear hook).
void ReleaseShaderStores();

}  // namespace OvCore
