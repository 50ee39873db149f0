// OV_CORE: the application core, owner of the program's named resources, and its one instance.
#pragma once

#include "ovcore/app/SceneManager.h"
#include "ovcore/app/Window.h"
#include "ovcore/audio/Audio.h"
#include "ovcore/foundation/NamedList.h"
#include "ovcore/foundation/Vector.h"

#include <cstdint>

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

// Gives the area origin of a view for the mouse queries that take one (the
// views live in the world layer, which registers this).
using OV_VIEW_AREA_HOOK = bool (*)(const char* viewName, int viewId, double* x, double* y);

// The application core: owns every named resource of the program.
class OV_CORE {
public:
    // Read from the screen when the core is constructed: size in pixels, width / height:
    int32_t desktopWidth = 0;
    int32_t desktopHeight = 0;
    float desktopAspect = 0.0f;
    // The sound device and its sounds; shut down first in Clear.
    OV_AUDIO audio;
    OV_SCENE_MANAGER scenes;  // the registered scenes and the one running
    OV_NAMED_LIST<OV_WINDOW> windows;  // the program's windows by name and id
    // The collections of the other resource kinds join through clear hooks
    // (see OV_CLEAR_STAGE); textures are OvCore::Textures() in render/.

    OV_CORE();
    ~OV_CORE();
    OV_CORE(const OV_CORE&) = delete;
    OV_CORE& operator=(const OV_CORE&) = delete;

    // Releases every resource the core holds; scenes and windows stay.
    // Shuts audio down, then runs the registered hooks stage by stage.
    void Clear();

    // One hook a stage: registering again replaces it, null removes it. An
    // unknown stage is ignored.
    void SetClearHook(OV_CLEAR_STAGE stage, OV_CLEAR_HOOK hook);
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
    OV_CLEAR_HOOK clearHooks[static_cast<int>(OV_CLEAR_STAGE::COUNT)] = {};
    OV_VIEW_AREA_HOOK viewAreaHook = nullptr;

    OV_WINDOW* FindWindow(const char* name, int id);
    bool SwitchTo(OV_SCENE_MANAGER::Iterator target);
    // The area origin of the named view (the current view for a null name);
    // false while there is no such view.
    bool FindViewArea(const char* viewName, int viewId, double* x, double* y);
};

// The program's one core, constructed before main runs.
extern OV_CORE core;

} // namespace OvCore
