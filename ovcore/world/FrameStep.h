// OV_WORLD: the game world of the application core and its frame step.
#pragma once

#include "ovcore/app/Core.h"
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

// The places of the world's steps in the core frame step (OV_FRAME_PHASE in
// ovcore/app/Core.h); the other subsystems place theirs around them.
namespace OV_WORLD_PLACE {
inline constexpr int HOOK = 0;  // UPDATE: updateHook; DRAW: renderHook
inline constexpr int ACTORS = 20;  // UPDATE: every actor's OnUpdate; DRAW: OnRender
inline constexpr int AFTER_HOOK = 100;  // DRAW: renderAfterHook
inline constexpr int MERGE = 10;  // FINISH: the actors spawned in this frame join
inline constexpr int REAP = 20;  // FINISH: the dead are deleted
inline constexpr int TIMERS = 30;  // FINISH: the timers count down
}  // namespace OV_WORLD_PLACE

// The game world of the application core: the actor registry, the views
// (world cameras), the application's frame hooks and the timers.
//
// It lives in this layer rather than inside OV_CORE, because the core does
// not know the actor and view types; World() gives the one instance, made on
// first use. On construction it joins the core: its steps at their places
// of the core frame step, a drawing pass through each active view, the
// deletion of the actors and the emptying of the views at their stages of
// OV_CORE::Clear, and the view offset of the core's mouse queries.
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

    // One frame: OV_CORE::FrameStep, in which the world takes part with the
    // update hook, every actor's OnUpdate(0), drawing through every active
    // view (or once when there are no views), merging of the actors spawned
    // in this frame, reaping of the dead and the timers.
    void FrameStep();

    // The area origin of the first view named viewName (any id), or of the
    // current view for null; false when there is none.
    bool FindViewArea(const char* viewName, double* x, double* y);

private:
    // The live actors' pointers in collection order, taken again whenever
    // the collection's entries change: the update and draw walks read them
    // from one array rather than chasing the list's nodes.
    std::vector<OV_ACTOR*> walk_;
    uint32_t walkTaken_ = 0;
    bool walkValid_ = false;

    // The world's steps in the core frame step (see OV_WORLD_PLACE):
    static void UpdateHookStep();
    static void UpdateActorsStep();
    static void RenderHookStep();
    static void DrawActorsStep();
    static void RenderAfterHookStep();
    static void MergeStep();
    static void ReapStep();
    static void TimersStep();
    static void DrawPasses(void (*pass)(void* context), void* context);
    static const OV_FRAME_STEP kSteps[];

    void RunTimers();
    template <class Call>
    void ForEachActor(Call call);
};

// The world, made on first use.
OV_WORLD& World();

}  // namespace OvCore
