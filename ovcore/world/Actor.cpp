#include "ovcore/world/Actor.h"

#include <cstring>

namespace OvCore {

OV_ACTOR::OV_ACTOR(const OV_VECTOR& position, const OV_VECTOR& rotation, const OV_VECTOR& scale, float depth)
    : position(position),
      rotation(rotation),
      scale(scale),
      depth(depth) {}

void OV_ACTOR::OnUpdate(int32_t) {}
void OV_ACTOR::OnDestroy(int32_t) {}
void OV_ACTOR::OnRender(int32_t) {}

void OV_ACTOR::SetName(const char* text) {
    std::memset(name, 0, sizeof name);
    if (text) std::memcpy(name, text, ::strnlen(text, kNameCopyLimit));
}

bool OV_ACTOR::NameIs(const char* text) const { return text && std::strcmp(name, text) == 0; }

}  // namespace OvCore
