#include "ovcore/render/FontCollection.h"

#include "ovcore/app/Core.h"

namespace OvCore {

namespace {

// Made on first use, so after the core and destroyed before it: it takes
// its hook out again so that the core's final Clear never reaches it.
struct FontCollection {
    OV_NAMED_LIST<OV_FONT> list;
    FontCollection() { core.SetClearHook(OV_CLEAR_STAGE::FONTS, ReleaseFonts); }
    ~FontCollection() { core.SetClearHook(OV_CLEAR_STAGE::FONTS, nullptr); }
};

}  // namespace

OV_NAMED_LIST<OV_FONT>& Fonts() {
    static FontCollection collection;
    return collection.list;
}

void ReleaseFonts() {
    OV_NAMED_LIST<OV_FONT>& fonts = Fonts();
    for (auto it = fonts.Begin(); !it.IsEnd(); it.Next()) it.Value()->Release();
    fonts.Clear();
}

}  // namespace OvCore
