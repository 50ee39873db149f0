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

// Puts the collection's frame steps and clear hook (back) in place.
void JoinRenderEntries();

// The render entries' places in the core frame step: updated after the
// actors (UPDATE), drawn before and after them in each pass (DRAW):
inline constexpr int OV_RENDER_ENTRIES_PLACE = 30;
inline constexpr int OV_RENDER_ENTRIES_FIRST_PLACE = 10;
inline constexpr int OV_RENDER_ENTRIES_LAST_PLACE = 40;
// Releases every entry and empties the collection.
void ReleaseRenderEntries();

}  // namespace OvCore
