// The movement helpers of the actor components.
#pragma once

#include "ovcore/foundation/Vector.h"

namespace OvCore::Com {

// Adds to position the displacement of dt x speed along direction (degrees,
// 90 pointing down the screen).
void MoveAlong(OV_VECTOR& position, float direction, float speed, float dt);

// The speed cap of the components: a positive cap bounds from above, a
// negative one from below, and 0 caps nothing.
float CappedSpeed(float speed, float cap);

}  // namespace OvCore::Com
