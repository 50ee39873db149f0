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
    OV_STRING typeName{"CHARACTER"};
    float gauge = 100;
    float gaugeRate = 0;
    float gauge2 = 100;
    float gauge2Rate = 0;
    float speed = 0;  // pixels a second
    float friction = 0;
    float acceleration = 0;
    float direction = 0;
    float fallSpeed = 0;
    float gravity = 60;
    float fallDirection = 90;
    float maxFallSpeed = 120;
    float gauge3 = 0;
    float gauge3Rate = 0;
    float gauge4 = 10;
    float gauge4Rate = 0;
    float gauge5 = 0;
    float gauge5Rate = 0;
    float animationSpeed = 0;

    // Walks and falls with the speeds it had before this update changes them.
    void Update(float dt);
};

}  // namespace OvCore::Com
