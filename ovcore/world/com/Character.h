// C_CHARACTER: a walking and falling actor component.
#pragma once

#include "ovcore/foundation/String.h"
#include "ovcore/world/Actor2D.h"

namespace OvCore::Com {

// An object that walks along `direction` under friction and acceleration
// (its speed may turn negative: it then walks backwards) and falls along
// `fallDirection` under gravity up to maxFallSpeed. Five gauges change by
// their rates a second. The application calls Update itself.
class C_CHARACTER : public OV_ACTOR2D {
public:
    OV_STRING typeName{"CHARACTER"};  // the component's type name
    // Gauges for the application, each changed by its rate (units a second):
    float gauge = 100;
    float gaugeRate = 0;
    float gauge2 = 100;
    float gauge2Rate = 0;
    float speed = 0;  // pixels a second
    // Per second, subtracted from speed:
    float friction = 0;
    float acceleration = 0;  // per second, added to speed
    float direction = 0;  // degrees, 90 down the screen
    float fallSpeed = 0;  // pixels a second along fallDirection
    float gravity = 60;  // per second, added to fallSpeed
    float fallDirection = 90;  // degrees, 90 down the screen
    float maxFallSpeed = 120;  // the cap of fallSpeed (see CappedSpeed)
    // More gauges, each changed by its rate a second:
    float gauge3 = 0;
    float gauge3Rate = 0;
    float gauge4 = 10;
    float gauge4Rate = 0;
    float gauge5 = 0;
    float gauge5Rate = 0;
    float animationSpeed = 0;  // sprite frames a second

    // Walks and falls with the speeds it had before this update changes them.
    void Update(float dt);
};

}  // namespace OvCore::Com
