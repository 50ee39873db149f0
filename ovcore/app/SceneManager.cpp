#include "ovcore/app/SceneManager.h"

namespace OvCore {

bool OV_SCENE_MANAGER::Run() {
    if (list.Count(nullptr) == 0) return false;
    while (!current.IsEnd()) {
        OV_SCENE_FUNC* scene = current.Value();
        if (*scene) (*scene)();
        if (advance) current.Next();
        if (switchRequested) {
            switchRequested = false;
            advance = true;
        }
    }
    return true;
}

}  // namespace OvCore
