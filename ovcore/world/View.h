// OV_VIEW: a world camera.
#pragma once

#include "ovcore/foundation/Vector.h"

namespace OvCore {

class OV_ACTOR;

// A world camera: the world rectangle `area` drawn into the `viewport`
// rectangle of the current render target (both x, y, width, height).
struct OV_VIEW {
    bool active = false;  // drawn only while true
    OV_VECTOR viewport{0.0, 0.0, 0.0, 1.0};  // x, y, width, height in the target's pixels
    OV_VECTOR area{0.0, 0.0, 0.0, 1.0};  // x, y, width, height in world pixels
    float zoom = 0.0f;  // the orthographic camera's zoom (OvCameraOrtho)
    // The actor the view keeps centred; cleared when that actor is deleted.
    OV_ACTOR* target = nullptr;
    bool clear = true;  // whether Apply clears the viewport

    // Centres the target, draws into the viewport (viewport and clip set to
    // it, the target's own stored viewport left unchanged) through an
    // orthographic camera over the area, and clears the viewport when `clear`.
    void Apply();
    // Moves the area so that the target, if any, is at its centre.
    void FollowTarget();
};

// Back to drawing over the current render target's whole viewport, unclipped.
void RestoreDefaultView();

}  // namespace OvCore
