#pragma once

#include "ovcore/foundation/NamedList.h"

namespace OvCore {

// A scene: a function that sets up what it needs and runs its own message loop.
typedef void (*OV_SCENE_FUNC)();

// Runs the registered scenes in order, unless a scene-change operation of
// the core has picked the one to run next.
class OV_SCENE_MANAGER {
public:
    typedef OV_NAMED_LIST<OV_SCENE_FUNC>::Iterator Iterator;

    OV_NAMED_LIST<OV_SCENE_FUNC> list;
    Iterator current = list.End();
    bool advance = true;
    bool switchRequested = false;

    // False when no scene is registered, else true once current reached the end.
    bool Run();
};

} // namespace OvCore
