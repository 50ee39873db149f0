#include "ovcore/world/Models.h"

#include "ovcore/app/Core.h"
#include "ovcore/world/FrameStep.h"

namespace OvCore {

namespace {

void DrawModels() {
    OV_NAMED_LIST<OV_MODEL>& models = Models();
    for (auto it = models.Begin(); !it.IsEnd(); it.Next()) it.Value()->Draw();
}

void SetHooks() {
    core.SetClearHook(OV_CLEAR_STAGE::MODELS, DestroyModels);
    World().SetFrameHook(OV_FRAME_SLOT::MODELS_DRAW, DrawModels);
}

// Made on first use, so after the core and the world, and destroyed before
// them: it takes its hooks out again on the way.
struct ModelCollection {
    OV_NAMED_LIST<OV_MODEL> list;
    ModelCollection() { SetHooks(); }
    ~ModelCollection() {
        core.SetClearHook(OV_CLEAR_STAGE::MODELS, nullptr);
        World().SetFrameHook(OV_FRAME_SLOT::MODELS_DRAW, nullptr);
        for (auto it = list.Begin(); !it.IsEnd(); it.Next()) it.Value()->Destroy();
    }
};

ModelCollection& Collection() {
    static ModelCollection collection;
    return collection;
}

}  // namespace

OV_NAMED_LIST<OV_MODEL>& Models() { return Collection().list; }

void JoinModels() {
    Collection();
    SetHooks();
}

void DestroyModels() {
    OV_NAMED_LIST<OV_MODEL>& models = Models();
    for (auto it = models.Begin(); !it.IsEnd(); it.Next()) it.Value()->Destroy();
    models.Clear();
}

}  // namespace OvCore
