// The core's soft-body models by name.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/world/Model.h"

namespace OvCore {

// The core's soft-body models by name. Made on first use; it then joins the
// frame step (every model drawn in each view's layer passes, after the
// actors) and OV_CORE::Clear (every model destroyed, the collection emptied).
OV_NAMED_LIST<OV_MODEL>& Models();

// Puts the collection's frame step and clear hook (back) in place.
void JoinModels();

// The models' place in the DRAW phase of the core frame step: after the
// actors, before the render entries drawn last.
inline constexpr int OV_MODELS_PLACE = 30;
// Destroys every model and empties the collection.
void DestroyModels();

}  // namespace OvCore
