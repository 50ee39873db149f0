#include "ovcore/world/FrameStep.h"

#include "ovcore/app/LoopState.h"
#include "ovcore/world/Actor.h"
#include "ovcore/world/Actor2D.h"
#include "ovcore/world/com/Character.h"
#include "ovcore/world/com/Plant.h"
#include "ovcore/world/com/Static.h"

#include <typeinfo>

namespace OvCore {

namespace {

void ClearWorldActors() { World().ClearActors(World().views); }

void ClearWorldViews() {
    OV_WORLD& world = World();
    world.currentView = world.views.End();
    world.views.Clear();
}

bool WorldViewArea(const char* viewName, int, double* x, double* y) { return World().FindViewArea(viewName, x, y); }

// Actors of exactly these classes keep OV_ACTOR's OnUpdate and OnRender,
// which do nothing, so the walks leave them out; a subclass of any of them
// is another type and is called like every actor.
bool DoesNothingAFrame(const OV_ACTOR& actor) {
    const std::type_info& type = typeid(actor);
    return type == typeid(OV_ACTOR) || type == typeid(OV_ACTOR2D) || type == typeid(Com::C_STATIC) ||
           type == typeid(Com::C_PLANT) || type == typeid(Com::C_CHARACTER);
}

}  // namespace

const OV_FRAME_STEP OV_WORLD::kSteps[] = {
    {OV_FRAME_PHASE::UPDATE, OV_WORLD_PLACE::HOOK, UpdateHookStep},
    {OV_FRAME_PHASE::UPDATE, OV_WORLD_PLACE::ACTORS, UpdateActorsStep},
    {OV_FRAME_PHASE::DRAW, OV_WORLD_PLACE::HOOK, RenderHookStep},
    {OV_FRAME_PHASE::DRAW, OV_WORLD_PLACE::ACTORS, DrawActorsStep},
    {OV_FRAME_PHASE::DRAW, OV_WORLD_PLACE::AFTER_HOOK, RenderAfterHookStep},
    {OV_FRAME_PHASE::FINISH, OV_WORLD_PLACE::MERGE, MergeStep},
    {OV_FRAME_PHASE::FINISH, OV_WORLD_PLACE::REAP, ReapStep},
    {OV_FRAME_PHASE::FINISH, OV_WORLD_PLACE::TIMERS, TimersStep},
};

OV_WORLD& World() {
    static OV_WORLD world;
    return world;
}

// The core outlives every subsystem made on first use, so the world leaves it
// in its destructor and the core's last Clear never reaches a destroyed world.
OV_WORLD::OV_WORLD() {
    core.Join(OV_CLEAR_STAGE::ACTORS, ClearWorldActors, kSteps);
    core.SetClearHook(OV_CLEAR_STAGE::VIEWS, ClearWorldViews);
    core.SetDrawPasses(DrawPasses);
    core.SetViewAreaHook(WorldViewArea);
}

OV_WORLD::~OV_WORLD() {
    core.Leave(OV_CLEAR_STAGE::ACTORS, kSteps);
    core.SetClearHook(OV_CLEAR_STAGE::VIEWS, nullptr);
    core.SetDrawPasses(nullptr);
    core.SetViewAreaHook(nullptr);
    ClearActors(views);
}

bool OV_WORLD::FindViewArea(const char* viewName, double* x, double* y) {
    const OV_VIEW* view = viewName ? views.Access(FIND_NAME, viewName, 0).Value() : currentView.Value();
    if (!view) return false;
    *x = view->area.x;
    *y = view->area.y;
    return true;
}

void OV_WORLD::FrameStep() { core.FrameStep(); }

// Calls call(actor) for every non-null actor of the collection, in order,
// leaving out those whose calls would do nothing. Should a call change the
// collection, the walk goes on over the live list from the entry after the
// current actor's (and ends if that entry is gone), as a walk over the list
// itself would.
template <class Call>
void OV_WORLD::ForEachActor(Call call) {
    const uint32_t taken = ActorsChanged();
    if (!walkValid_ || walkTaken_ != taken) {
        walk_.clear();
        for (auto it = actors.Begin(); !it.IsEnd(); it.Next())
            if (OV_ACTOR* actor = *it.Value(); actor && !DoesNothingAFrame(*actor)) walk_.push_back(actor);
        walkTaken_ = taken;
        walkValid_ = true;
    }
    for (size_t i = 0; i < walk_.size(); ++i) {
        OV_ACTOR* const current = walk_[i];
        call(current);
        if (ActorsChanged() == taken) continue;
        auto it = actors.Begin();
        while (!it.IsEnd() && *it.Value() != current) it.Next();
        if (it.IsEnd()) return;
        for (it.Next(); !it.IsEnd(); it.Next())
            if (OV_ACTOR* actor = *it.Value(); actor && !DoesNothingAFrame(*actor)) call(actor);
        return;
    }
}

void OV_WORLD::UpdateHookStep() {
    if (OV_FRAME_HOOK hook = World().updateHook) hook();
}

void OV_WORLD::UpdateActorsStep() {
    World().ForEachActor([](OV_ACTOR* actor) { actor->OnUpdate(0); });
}

void OV_WORLD::RenderHookStep() {
    if (OV_FRAME_HOOK hook = World().renderHook) hook();
}

void OV_WORLD::DrawActorsStep() {
    World().ForEachActor([](OV_ACTOR* actor) { actor->OnRender(0); });
}

void OV_WORLD::RenderAfterHookStep() {
    if (OV_FRAME_HOOK hook = World().renderAfterHook) hook();
}

void OV_WORLD::MergeStep() { World().MergePendingActors(); }

void OV_WORLD::ReapStep() {
    OV_WORLD& world = World();
    world.ReapDeadActors(world.views);
}

void OV_WORLD::TimersStep() { World().RunTimers(); }

// One pass through each active view, with the view applied and current; one
// pass with no view current when there are no views.
void OV_WORLD::DrawPasses(void (*pass)(void* context), void* context) {
    OV_WORLD& world = World();
    if (world.views.Count() == 0) {
        world.currentView = world.views.End();
        pass(context);
        return;
    }
    for (auto it = world.views.Begin(); !it.IsEnd(); it.Next()) {
        if (!it.Value()->active) continue;
        world.currentView = it;
        it.Value()->Apply();
        pass(context);
        RestoreDefaultView();
    }
    world.currentView = world.views.End();
}

// By index over the timers there were at the start: a callback may add
// timers (they count down from the next frame on) or empty the list.
void OV_WORLD::RunTimers() {
    const float delta = LoopState().delta;
    const size_t count = timers.size();
    for (size_t i = 0; i < count && i < timers.size(); ++i) {
        if (!(timers[i].remaining > 0.0f)) continue;
        timers[i].remaining -= delta;
        if (timers[i].remaining > 0.0f) continue;
        timers[i].remaining = 0.0f;
        if (OV_FRAME_HOOK callback = timers[i].callback) callback();
    }
}

}  // namespace OvCore
