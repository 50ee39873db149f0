#include "ovcore/render/Camera.h"

#include "ovcore/engine/OrvoCore.h"

namespace OvCore {

bool OV_CAMERA::Apply() const {
    if (isPerspective)
        return OvCameraPerspective(parameters.x, parameters.y, parameters.z, parameters.w, position.x, position.y,
                                   position.z, position.w, perspectiveFlag) != 0;
    OvCameraOrtho(position.x, position.y, width, height, parameters.x);
    return width != 0 && height != 0;
}

}  // namespace OvCore
