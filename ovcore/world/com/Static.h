// C_STATIC: an actor component that only animates.
#pragma once

#include "ovcore/foundation/String.h"
#include "ovcore/world/Actor2D.h"

namespace OvCore::Com {

// A decoration that only animates its sprite. The application calls Update
// itself; the frame step neither moves nor draws it.
class C_STATIC : public OV_ACTOR2D {
public:
    OV_STRING typeName{"STATIC"};  // the component's type name
    float gauge = 100;  // kept for the application
    float animationSpeed = 0;  // sprite frames a second

    void Update(float dt);  // animates the sprite by dt seconds
};

}  // namespace OvCore::Com
