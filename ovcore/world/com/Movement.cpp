#include "ovcore/world/com/Movement.h"

#include "ovcore/foundation/Geometry.h"

namespace OvCore::Com {

void MoveAlong(OV_VECTOR& position, float direction, float speed, float dt) {
    position += Lengthdir(OV_ANGLES(direction, 0, 0, 0), dt * speed);
}

float CappedSpeed(float speed, float cap) {
    if (cap > 0 && speed > cap) return cap;
    if (cap < 0 && speed < cap) return cap;
    return speed;
}

}  // namespace OvCore::Com
