// OV_CAMERA: an orthographic or perspective camera.
#pragma once

#include "ovcore/foundation/Vector.h"

#include <cstdint>

namespace OvCore {

// The values of an orthographic or a perspective camera; the owner sets the
// fields and Apply hands them to the engine.
class OV_CAMERA {
public:
    // The orthographic area's size in pixels:
    int32_t width = 0;
    int32_t height = 0;
    OV_VECTOR position{0, 0, 0, 1};  // the area's corner (orthographic) or the eye (perspective)
    OV_VECTOR parameters{0, 0, 0, 0};  // perspective: field of view, aspect, near, far; ortho: x is the zoom
    uint8_t perspectiveFlag = 0;  // perspective: 1 makes y grow downwards
    bool isPerspective = false;  // which of the two Apply sets up

    // Orthographic: the area (position.x, position.y, width, height); false,
    // with the projection unchanged, when width or height is 0. Perspective:
    // the engine's result.
    bool Apply() const;
};

}  // namespace OvCore
