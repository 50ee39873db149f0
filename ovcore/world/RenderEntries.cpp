#include "ovcore/world/RenderEntries.h"

#include "ovcore/app/Core.h"

namespace OvCore {

namespace {

void UpdateEntries() {
    OV_NAMED_LIST<OV_RENDER_ENTRY>& entries = RenderEntries();
    for (auto it = entries.Begin(); !it.IsEnd(); it.Next()) {
        OV_RENDER_ENTRY& entry = *it.Value();
        entry.Update(entry.particleCallback, false);
    }
}

void DrawEntries(bool first) {
    OV_NAMED_LIST<OV_RENDER_ENTRY>& entries = RenderEntries();
    for (auto it = entries.Begin(); !it.IsEnd(); it.Next())
        if (it.Value()->drawFirst == first) it.Value()->Draw();
}

void DrawFirstEntries() { DrawEntries(true); }
void DrawLastEntries() { DrawEntries(false); }

constexpr OV_FRAME_STEP kSteps[] = {
    {OV_FRAME_PHASE::UPDATE, OV_RENDER_ENTRIES_PLACE, UpdateEntries},
    {OV_FRAME_PHASE::DRAW, OV_RENDER_ENTRIES_FIRST_PLACE, DrawFirstEntries},
    {OV_FRAME_PHASE::DRAW, OV_RENDER_ENTRIES_LAST_PLACE, DrawLastEntries},
};

void JoinCore() { core.Join(OV_CLEAR_STAGE::RENDER_ENTRIES, ReleaseRenderEntries, kSteps); }

// Made on first use, so after the core, and destroyed before it: it leaves
// the core on the way.
struct RenderEntryCollection {
    OV_NAMED_LIST<OV_RENDER_ENTRY> list;
    RenderEntryCollection() { JoinCore(); }
    ~RenderEntryCollection() {
        core.Leave(OV_CLEAR_STAGE::RENDER_ENTRIES, kSteps);
        for (auto it = list.Begin(); !it.IsEnd(); it.Next()) it.Value()->Release();
    }
};

RenderEntryCollection& Collection() {
    static RenderEntryCollection collection;
    return collection;
}

}  // namespace

OV_NAMED_LIST<OV_RENDER_ENTRY>& RenderEntries() { return Collection().list; }

void JoinRenderEntries() {
    Collection();
    JoinCore();
}

void ReleaseRenderEntries() {
    OV_NAMED_LIST<OV_RENDER_ENTRY>& entries = RenderEntries();
    for (auto it = entries.Begin(); !it.IsEnd(); it.Next()) it.Value()->Release();
    entries.Clear();
}

}  // namespace OvCore
