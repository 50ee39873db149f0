// OV_SCENE_MANAGER: the scenes and their order.
#pragma once

#include "ovcore/foundation/NamedList.h"

namespace OvCore {

// A scene: a function that sets up what it needs and runs its own message loop.
typedef void (*OV_SCENE_FUNC)();

// Runs the registered scenes in order, unless a scene-change operation of
// the core has picked the one to run next.
class OV_SCENE_MANAGER {
public:
    typedef OV_NAMED_LIST<OV_SCENE_FUNC>::Iterator Iterator;  // a position in the scene list

    OV_NAMED_LIST<OV_SCENE_FUNC> list;  // scenes by name, in the order they run
    Iterator current;  // the scene running; the end outside Run
    bool advance = true;  // whether Run moves to the next scene after the current one
    bool switchRequested = false;  // set when a scene change has picked the next scene

    // False when no scene is registered, else true once current reached the end.
    bool Run();
};

}  // namespace OvCore
