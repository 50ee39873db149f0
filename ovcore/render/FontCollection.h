// The core's font collection.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/render/Font.h"

namespace OvCore {

// The program's fonts by name: the core's font collection. It joins
// OV_CORE::Clear through the FONTS clear hook (after actors, before views),
// registered on first use: Clear releases every font and empties it.
OV_NAMED_LIST<OV_FONT>& Fonts();

// What the hook does.
void ReleaseFonts();

}  // namespace OvCore
