#include "ovcore/world/com/Static.h"

namespace OvCore::Com {

void C_STATIC::Update(float dt) { sprite.Animate(dt * animationSpeed); }

}  // namespace OvCore::Com
