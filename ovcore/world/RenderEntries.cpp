#include "ovcore/world/RenderEntries.h"

#include "ovcore/app/Core.h"
#include "ovcore/world/FrameStep.h"

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

void SetHooks() {
    core.SetClearHook(OV_CLEAR_STAGE::RENDER_ENTRIES, ReleaseRenderEntries);
    World().SetFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_UPDATE, UpdateEntries);
    World().SetFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_DRAW_FIRST, DrawFirstEntries);
    World().SetFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_DRAW_LAST, DrawLastEntries);
}

// Made on first use, so after the core and the world, and destroyed before
// them: it takes its hooks out again on the way.
struct RenderEntryCollection {
    OV_NAMED_LIST<OV_RENDER_ENTRY> list;
    RenderEntryCollection() { SetHooks(); }
    ~RenderEntryCollection() {
        core.SetClearHook(OV_CLEAR_STAGE::RENDER_ENTRIES, nullptr);
        World().SetFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_UPDATE, nullptr);
        World().SetFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_DRAW_FIRST, nullptr);
        World().SetFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_DRAW_LAST, nullptr);
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
    SetHooks();
}

void ReleaseRenderEntries() {
    OV_NAMED_LIST<OV_RENDER_ENTRY>& entries = RenderEntries();
    for (auto it = entries.Begin(); !it.IsEnd(); it.Next()) it.Value()->Release();
    entries.Clear();
}

}  // namespace OvCore
