#include "ovcore/world/com/Plant.h"

#include "ovcore/world/com/Movement.h"

namespace OvCore::Com {

void C_PLANT::Update(float dt) {
    gauge += gaugeRate * dt;
    MoveAlong(position, direction, speed, dt);
    speed += acceleration * dt;
    speed = CappedSpeed(speed, maxSpeed);
    sprite.Animate(dt * animationSpeed);
}

}  // namespace OvCore::Com
