// C_PLANT: a drifting actor component.
#pragma once

#include "ovcore/foundation/String.h"
#include "ovcore/world/Actor2D.h"

namespace OvCore::Com {

// An object that drifts along one direction, its speed growing by its
// acceleration up to maxSpeed (a negative maxSpeed bounds it from below, 0
// not at all). Rates are per second. The application calls Update itself.
class C_PLANT : public OV_ACTOR2D {
public:
    OV_STRING typeName{"PLANT"};  // the component's type name
    // A gauge for the application, changed by its rate a second:
    float gauge = 100;
    float gaugeRate = 0;
    float speed = 0;  // pixels a second
    float acceleration = 0;  // per second, added to speed
    float direction = 90;  // degrees, 90 down the screen
    float maxSpeed = 10;  // the cap of speed (see CappedSpeed)
    float animationSpeed = 0;  // sprite frames a second

    // Moves with the speed it had before this update changes it.
    void Update(float dt);
};

}  // namespace OvCore::Com
