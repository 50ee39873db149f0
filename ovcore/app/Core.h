// OV_CORE: the application core, owner of the program's named resources, and its one instance.
#pragma once

#include "ovcore/app/SceneManager.h"
#include "ovcore/app/Window.h"
#include "ovcore/audio/Audio.h"
#include "ovcore/foundation/NamedList.h"
#include "ovcore/foundation/Vector.h"

#include <cstdint>
#include <span>

namespace OvCore {

// The stages of OV_CORE::Clear after the audio shutdown, in the order in
// which they run. The resource collections of the layers above the
// application shell (textures, actors, fonts, ...) live in those layers; each
// registers one hook for its stage, so the core releases them in this order
// without including them.
enum class OV_CLEAR_STAGE : int {
    TEXTURES,
    ACTORS,
    FONTS,
    VIEWS,
    RENDER_ENTRIES,
    SHADERS,
    FRAME_BUFFERS,
    TECHNIQUE_SHADERS,
    MODELS,
    SOCKETS,
    GUI,
    COUNT
};

// A function that releases one kind of resource at its stage of Clear.
using OV_CLEAR_HOOK = void (*)();

// One step of a subsystem, with nothing in and out.
using OV_STEP = void (*)();

// The phases of the core frame step (OV_CORE::FrameStep), in the order they
// run. A subsystem adds its steps to the phases it takes part in, each at a
// place: a number, smaller places first. The framework's own places:
//   UPDATE   0 the world's update hook, 10 sockets, 20 actors, 30 render
//            entries, 40 GUI input;
//   DRAW     0 the world's render hook, 10 render entries drawn first,
//            20 actors, 30 soft-body models, 40 render entries drawn last,
//            100 the world's after-render hook;
//   OVERLAY  10 the GUI;
//   FINISH   10 merging spawned actors, 20 deleting dead ones, 30 timers.
enum class OV_FRAME_PHASE : int {
    UPDATE,  // once a frame, before any drawing
    DRAW,  // once a drawing pass (see OV_DRAW_PASSES)
    OVERLAY,  // once, over everything drawn in the passes
    FINISH,  // once, after drawing
    COUNT
};

// A step at its phase and place (see OV_FRAME_PHASE).
struct OV_FRAME_STEP {
    OV_FRAME_PHASE phase = OV_FRAME_PHASE::UPDATE;  // the phase it runs in
    int place = 0;  // its place in the phase: smaller places run first
    OV_STEP step = nullptr;  // the step; null removes the step at that place
};

// Runs the drawing passes of a frame: calls pass(context) once for each (the
// world calls it once per active view, with that view applied). Without
// one, the frame has one pass.
using OV_DRAW_PASSES = void (*)(void (*pass)(void* context), void* context);

// Gives the area origin of a view for the mouse queries that take one (the
// views live in the world layer, which registers this).
using OV_VIEW_AREA_HOOK = bool (*)(const char* viewName, int viewId, double* x, double* y);

// The application core: owns every named resource of the program, and the
// order of the frame. Each subsystem above it (textures, actors, fonts,
// sockets, the GUI, ...) joins it when first used, bringing its clear step at
// its stage of Clear and its frame steps at their places; the core runs them
// in that order without knowing them. The one instance, `core`, is
// initialised by the compiler: nothing of it runs before main, and it is
// destroyed after every subsystem made on first use, so a subsystem leaves it
// from its destructor (OV_CORE::Leave) and the core never calls into a
// destroyed one.
class OV_CORE {
public:
    // The screen's size in pixels and width / height, read by ReadDesktop (0
    // until then, and without a display). The entry point, ActivateWindow and
    // CenterWindow read them first when they have not been read:
    int32_t desktopWidth = 0;
    int32_t desktopHeight = 0;
    float desktopAspect = 0.0f;
    // The sound device and its sounds; shut down first in Clear.
    OV_AUDIO audio;
    OV_SCENE_MANAGER scenes;  // the registered scenes and the one running
    OV_NAMED_LIST<OV_WINDOW> windows;  // the program's windows by name and id
    // The collections of the other resource kinds join through clear hooks
    // (see OV_CLEAR_STAGE); textures are OvCore::Textures() in render/.

    constexpr OV_CORE() = default;
    ~OV_CORE();
    OV_CORE(const OV_CORE&) = delete;
    OV_CORE& operator=(const OV_CORE&) = delete;

    // Releases every resource the core holds; scenes and windows stay.
    // Shuts audio down, then runs the registered hooks stage by stage.
    void Clear();

    // Reads the screen's size into desktopWidth, desktopHeight and
    // desktopAspect (0 x 0 and 0 without a display).
    void ReadDesktop();

    // One hook a stage: registering again replaces it, null removes it. An
    // unknown stage is ignored.
    void SetClearHook(OV_CLEAR_STAGE stage, OV_CLEAR_HOOK hook);
    // One step a phase and place: setting again replaces it, null removes it.
    // False (nothing changed) for an unknown phase, or when the phase holds
    // kMaxStepsPerPhase steps already.
    bool SetFrameStep(OV_FRAME_PHASE phase, int place, OV_STEP step);
    // The drawing passes of every frame; null: one pass.
    void SetDrawPasses(OV_DRAW_PASSES passes);
    // A subsystem joins: its clear hook at its stage and each of its steps.
    // False when a step found no room (the others are set).
    bool Join(OV_CLEAR_STAGE stage, OV_CLEAR_HOOK clear, std::span<const OV_FRAME_STEP> steps);
    // A subsystem leaves: its stage's hook and its steps' places are emptied.
    void Leave(OV_CLEAR_STAGE stage, std::span<const OV_FRAME_STEP> steps);

    // One frame of every subsystem: the UPDATE steps, the DRAW steps once per
    // drawing pass, the OVERLAY steps, the FINISH steps, each phase in the
    // order of its places. A step added during its phase runs in it when its
    // place comes after the running step's; a removed step no longer runs.
    void FrameStep();

    // The steps a phase holds at most.
    static constexpr int kMaxStepsPerPhase = 16;
    // Null removes it; without one, no view adds an offset.
    void SetViewAreaHook(OV_VIEW_AREA_HOOK hook);

    // Scene changes, for a running scene's frame code. Each refuses (false,
    // nothing changed) when no message loop runs or the target does not
    // exist; otherwise the chosen scene runs once the current loop ends. By
    // name and id, by position, the next or the previous one:
    bool ChangeScene(const char* name, int id);
    bool ChangeSceneTo(OV_SCENE_MANAGER::Iterator target);
    bool NextScene();
    bool PreviousScene();
    // Ends the current loop and the scene run. Always true.
    bool ExitScenes();

    // Engine vertical sync, else a software frame limit at the screen's rate.
    void SetVsync(bool on);

    // Windows by name (the first with that name, any id); nothing happens
    // when none matches. Activate shows and focuses it; Center sets the record's
    // x, y to the middle of the desktop (Apply moves it); OrthoView activates the
    // current target and sets a pixel camera of the window's size:
    void ActivateWindow(const char* name, int id);
    void CenterWindow(const char* name, int id);
    void WindowOrthoView(const char* name, int id);

    // The cursor relative to a window, in pixels; a null window name means the
    // screen, an unknown window gives 0 (false). With a view, the view's area
    // origin is added:
    int MouseX(const char* windowName, int id);
    int MouseY(const char* windowName, int id);
    int MouseX(const char* windowName, int id, const char* viewName, int viewId);
    int MouseY(const char* windowName, int id, const char* viewName, int viewId);
    OV_VECTOR MousePosition(const char* windowName, int id);
    OV_VECTOR MousePosition(const char* windowName, int id, const char* viewName, int viewId);
    bool MouseInRect(int left, int top, int right, int bottom, const char* windowName, int id);

private:
    struct PhaseSteps {
        OV_FRAME_STEP steps[kMaxStepsPerPhase] = {};  // by place, the first `count` used
        int count = 0;
    };

    OV_CLEAR_HOOK clearHooks[static_cast<int>(OV_CLEAR_STAGE::COUNT)] = {};
    OV_VIEW_AREA_HOOK viewAreaHook = nullptr;
    PhaseSteps phases_[static_cast<int>(OV_FRAME_PHASE::COUNT)] = {};
    OV_DRAW_PASSES drawPasses_ = nullptr;
    uint32_t stepChanges_ = 0;  // counts SetFrameStep calls, so a phase's walk sees changes
    bool desktopRead_ = false;

    void RunPhase(OV_FRAME_PHASE phase);
    static void RunDrawPass(void* core);

    OV_WINDOW* FindWindow(const char* name, int id);
    bool SwitchTo(OV_SCENE_MANAGER::Iterator target);
    // The area origin of the named view (the current view for a null name);
    // false while there is no such view.
    bool FindViewArea(const char* viewName, int viewId, double* x, double* y);
};

// The program's one core, initialised by the compiler (no code of it runs
// before main) and destroyed at exit after every subsystem made on first use.
extern constinit OV_CORE core;

}  // namespace OvCore
