#include "ovcore/world/FrameStep.h"

#include "ovcore/app/Core.h"
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

bool WorldViewArea(const char* viewName, int, double* x, double* y) {
    return World().FindViewArea(viewName, x, y);
}

// Actors of exactly these classes keep OV_ACTOR's OnUpdate and OnRender,
// which do nothing, so the walks leave them out; a subclass of any of them
// is another type and is called like every actor.
bool DoesNothingAFrame(const OV_ACTOR& actor) {
    const std::type_info& type = typeid(actor);
    return type == typeid(OV_ACTOR) || type == typeid(OV_ACTOR2D) || type == typeid(Com::C_STATIC) ||
           type == typeid(Com::C_PLANT) || type == typeid(Com::C_CHARACTER);
}

}  // namespace

// Made after the core, hence destroyed before it: the destructor takes the
// hooks out again so the core's final Clear never reaches a destroyed world.
OV_WORLD& World() {
    static OV_WORLD world;
    return world;
}

OV_WORLD::OV_WORLD() {
    core.SetClearHook(OV_CLEAR_STAGE::ACTORS, ClearWorldActors);
    core.SetClearHook(OV_CLEAR_STAGE::VIEWS, ClearWorldViews);
    core.SetViewAreaHook(WorldViewArea);
}

OV_WORLD::~OV_WORLD() {
    core.SetClearHook(OV_CLEAR_STAGE::ACTORS, nullptr);
    core.SetClearHook(OV_CLEAR_STAGE::VIEWS, nullptr);
    core.SetViewAreaHook(nullptr);
    ClearActors(views);
}

void OV_WORLD::SetFrameHook(OV_FRAME_SLOT slot, OV_FRAME_HOOK hook) {
    const int index = static_cast<int>(slot);
    if (index < 0 || index >= static_cast<int>(OV_FRAME_SLOT::COUNT)) return;
    frameHooks_[index] = hook;
}

void OV_WORLD::RunFrameHook(OV_FRAME_SLOT slot) const {
    if (OV_FRAME_HOOK hook = frameHooks_[static_cast<int>(slot)]) hook();
}

bool OV_WORLD::FindViewArea(const char* viewName, double* x, double* y) {
    const OV_VIEW* view = viewName ? views.Access(FIND_NAME, viewName, 0).Value() : currentView.Value();
    if (!view) return false;
    *x = view->area.x;
    *y = view->area.y;
    return true;
}

void OV_WORLD::FrameStep() {
    UpdatePhase();
    RunFrameHook(OV_FRAME_SLOT::GUI_INPUT);
    DrawPhase();
    RunFrameHook(OV_FRAME_SLOT::GUI_DRAW);
    MergePendingActors();
    ReapDeadActors(views);
    RunTimers();
}

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

void OV_WORLD::UpdatePhase() {
    if (updateHook) updateHook();
    RunFrameHook(OV_FRAME_SLOT::SOCKETS_UPDATE);
    ForEachActor([](OV_ACTOR* actor) { actor->OnUpdate(0); });
    RunFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_UPDATE);
}

void OV_WORLD::DrawPhase() {
    if (views.Count() == 0) {
        currentView = views.End();
        if (renderHook) renderHook();
        DrawLayers();
        if (renderAfterHook) renderAfterHook();
        return;
    }
    for (auto it = views.Begin(); !it.IsEnd(); it.Next()) {
        if (!it.Value()->active) continue;
        currentView = it;
        it.Value()->Apply();
        if (renderHook) renderHook();
        DrawLayers();
        if (renderAfterHook) renderAfterHook();
        RestoreDefaultView();
    }
    currentView = views.End();
}

void OV_WORLD::DrawLayers() {
    RunFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_DRAW_FIRST);
    ForEachActor([](OV_ACTOR* actor) { actor->OnRender(0); });
    RunFrameHook(OV_FRAME_SLOT::MODELS_DRAW);
    RunFrameHook(OV_FRAME_SLOT::RENDER_ENTRIES_DRAW_LAST);
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
