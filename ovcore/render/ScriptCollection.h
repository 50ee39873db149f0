// The core's technique-script collection.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/render/Script.h"

namespace OvCore {

// The program's technique scripts by name: the core's script collection. It
// joins OV_CORE::Clear through the TECHNIQUE_SHADERS clear hook, registered
// on first use: Clear frees every script and empties the collection.
OV_NAMED_LIST<OV_SCRIPT>& TechniqueScripts();

// Frees every script and empties the collection (the clear hook).
void ReleaseTechniqueScripts();

}  // namespace OvCore
