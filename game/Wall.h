#pragma once

#include "ovcore/foundation/Vector.h"
#include "ovcore/world/Actor2D.h"

#include <cstdint>

namespace OvCore {

// A wall image snapped to the 16-pixel grid and drawn at 0.325 scale.
class Wall : public OV_ACTOR2D {
public:
    explicit Wall(const OV_VECTOR& position);

    void OnRender(int32_t unused) override;
};

}  // namespace OvCore
