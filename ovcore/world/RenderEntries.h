// The core's render entries (particle emitters, model entries) by name.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/render/RenderEntry.h"

namespace OvCore {

// The core's render entries by name. Made on first use; it then joins the
// frame step (every entry updated after the actors, drawn in each view's
// layer passes) and OV_CORE::Clear (every entry released, the collection
// emptied).
OV_NAMED_LIST<OV_RENDER_ENTRY>& RenderEntries();

// Puts the collection's frame-step and clear hooks (back) in place.
void JoinRenderEntries();
// Releases every entry and empties the collection.
void ReleaseRenderEntries();

}  // namespace OvCore
