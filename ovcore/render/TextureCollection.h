// The core's texture collection.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/render/Texture.h"

namespace OvCore {

// The program's images by name: the core's texture collection. It lives in
// the render layer and joins OV_CORE::Clear through the TEXTURES clear hook,
// registered on first use: Clear releases every texture (Release(false))
// and empties the collection.
OV_NAMED_LIST<OV_TEXTURE>& Textures();

// What the hook does, for callers that clear the textures alone.
void ReleaseTextures();

}  // namespace OvCore
