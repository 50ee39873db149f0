#include "ovcore/world/com/Character.h"

#include "ovcore/world/com/Movement.h"

namespace OvCore::Com {

void C_CHARACTER::Update(float dt) {
    gauge += gaugeRate * dt;
    gauge2 += gauge2Rate * dt;
    MoveAlong(position, direction, speed, dt);
    speed -= friction * dt;
    speed += acceleration * dt;
    MoveAlong(position, fallDirection, fallSpeed, dt);
    fallSpeed += gravity * dt;
    fallSpeed = CappedSpeed(fallSpeed, maxFallSpeed);
    gauge3 += gauge3Rate * dt;
    gauge4 += gauge4Rate * dt;
    gauge5 += gauge5Rate * dt;
    sprite.Animate(dt * animationSpeed);
}

}  // namespace OvCore::Com
