#include "ovcore/world/Models.h"

#include "ovcore/app/Core.h"

namespace OvCore {

namespace {

void DrawModels() {
    OV_NAMED_LIST<OV_MODEL>& models = Models();
    for (auto it = models.Begin(); !it.IsEnd(); it.Next()) it.Value()->Draw();
}

constexpr OV_FRAME_STEP kSteps[] = {{OV_FRAME_PHASE::DRAW, OV_MODELS_PLACE, DrawModels}};

// Made on first use, so after the core, and destroyed before it: it leaves
// the core on the way.
struct ModelCollection {
    OV_NAMED_LIST<OV_MODEL> list;
    ModelCollection() { core.Join(OV_CLEAR_STAGE::MODELS, DestroyModels, kSteps); }
    ~ModelCollection() {
        core.Leave(OV_CLEAR_STAGE::MODELS, kSteps);
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
    core.Join(OV_CLEAR_STAGE::MODELS, DestroyModels, kSteps);
}

void DestroyModels() {
    OV_NAMED_LIST<OV_MODEL>& models = Models();
    for (auto it = models.Begin(); !it.IsEnd(); it.Next()) it.Value()->Destroy();
    models.Clear();
}

}  // namespace OvCore
