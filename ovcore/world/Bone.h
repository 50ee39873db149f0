// OV_BONE: a textured quad drawn along a soft-body force.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/EngineHandle.h"

#include <cstdint>

namespace OvCore {

// A textured quad that follows a covalence force of its model's DNA: its
// anchor is the force's first substance (second when flipped), and it points
// along the force. A bone with an empty texture or no force is not drawn.
struct OV_BONE {
    OvHandle texture = EmptyHandle();  // the quad's engine texture; the empty handle draws nothing
    // An entry of the DNA's force array; valid until that array is reborn.
    OvHandle* force = nullptr;
    int32_t originX = 0;  // the anchor inside the quad along the force, from its near edge
    int32_t originY = 0;  // the anchor inside the quad across the force
    int32_t width = 0;  // length along the force
    int32_t height = 0;  // size across the force
    bool flip = false;  // anchored at the second substance, pointing back to the first
    bool stretch = false;  // the far edge follows the force's current length
    double angle = 0;  // the force's direction in degrees, as of the last draw
};

// SetBone's flags.
enum OV_BONE_FLAG : int { BONE_FLIP = 1, BONE_STRETCH = 2 };

}  // namespace OvCore
