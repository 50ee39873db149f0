// OV_WORLD: the game world of the application core and its frame step.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/world/ActorRegistry.h"
#include "ovcore/world/View.h"

#include <vector>

namespace OvCore {

// A function the frame step calls, with nothing in and out.
using OV_FRAME_HOOK = void (*)();

// A countdown: once remaining reaches 0 the callback runs, once.
struct OV_TIMER {
    float remaining = 0.0f;  // seconds left; the frame step takes the frame time off
    OV_FRAME_HOOK callback = nullptr;  // runs once when remaining reaches 0; null runs nothing
};

// The places in the frame step where the subsystems above the world join
// in (sockets, particle emitters, soft-body models, the GUI). Each holds one
// hook, empty until its subsystem registers.
enum class OV_FRAME_SLOT : int {
    SOCKETS_UPDATE,
    RENDER_ENTRIES_UPDATE,
    GUI_INPUT,
    RENDER_ENTRIES_DRAW_FIRST,
    MODELS_DRAW,
    RENDER_ENTRIES_DRAW_LAST,
    GUI_DRAW,
    COUNT
};

// The game world of the application core: the actor registry, the views
// (world cameras), the application's frame hooks, the timers, and the frame
// step that runs them all once a frame.
//
// It lives in this layer rather than inside OV_CORE, because the core does
// not know the actor and view types; World() gives the one instance, made on
// first use. On construction it joins the core: OV_CORE::Clear deletes the
// actors and empties the views at their stages, and the core's mouse
// queries through a view add that view's area offset.
class OV_WORLD : public OV_ACTOR_REGISTRY {
public:
    OV_NAMED_LIST<OV_VIEW> views;  // the world cameras; drawing goes once through each active one
    // The view being drawn; the end iterator outside the view loop.
    OV_NAMED_LIST<OV_VIEW>::Iterator currentView;
    // The application's hooks: before the actors update, before they draw, after
    // they draw (null: none):
    OV_FRAME_HOOK updateHook = nullptr;
    OV_FRAME_HOOK renderHook = nullptr;
    OV_FRAME_HOOK renderAfterHook = nullptr;
    std::vector<OV_TIMER> timers;  // running countdowns; a finished one is removed

    OV_WORLD();
    ~OV_WORLD();

    // One frame: update hook, sockets, every actor's OnUpdate(0), render
    // entries; GUI input; drawing through every active view (or once when
    // there are no views); GUI drawing; merging of the actors spawned in
    // this frame; reaping of the dead; timers.
    void FrameStep();

    // One hook a slot: setting again replaces it, null removes it.
    void SetFrameHook(OV_FRAME_SLOT slot, OV_FRAME_HOOK hook);

    // The area origin of the first view named viewName (any id), or of the
    // current view for null; false when there is none.
    bool FindViewArea(const char* viewName, double* x, double* y);

private:
    OV_FRAME_HOOK frameHooks_[static_cast<int>(OV_FRAME_SLOT::COUNT)] = {};
    // The live actors' pointers in collection order, taken again whenever
    // the collection's entries change: the update and draw walks read them
    // from one array rather than chasing the list's nodes.
    std::vector<OV_ACTOR*> walk_;
    uint32_t walkTaken_ = 0;
    bool walkValid_ = false;

    void RunFrameHook(OV_FRAME_SLOT slot) const;
    void UpdatePhase();
    void DrawPhase();
    void DrawLayers();
    void RunTimers();
    template <class Call>
    void ForEachActor(Call call);
};

// The world, made on first use.
OV_WORLD& World();

}  // namespace OvCore
