// One engine font: a copy of the glyph table it was generated from, or a
// grid font whose metrics come from the text states when it is drawn.
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <cstdint>

namespace ov {

struct Font {
    uint32_t id = 0;
    bool grid = true;
    OvGlyphTable table{};
};

}  // namespace ov
