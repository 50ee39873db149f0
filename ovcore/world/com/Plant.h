#pragma once

#include "ovcore/foundation/String.h"
#include "ovcore/world/Actor2D.h"

namespace OvCore::Com {

// An object that drifts along one direction, its speed growing by its
// acceleration up to maxSpeed (a negative maxSpeed bounds it from below, 0
// not at all). Rates are per second. The application calls Update itself.
class C_PLANT : public OV_ACTOR2D {
public:
    OV_STRING typeName{"PLANT"};
    float gauge = 100;
    float gaugeRate = 0;
    float speed = 0;  // pixels a second
    float acceleration = 0;
    float direction = 90;  // degrees, 90 down the screen
    float maxSpeed = 10;
    float animationSpeed = 0;

    // Moves with the speed it had before this update changes it.
    void Update(float dt);
};

}  // namespace OvCore::Com
