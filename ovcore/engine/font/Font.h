// One engine font: a copy of the glyph table it was generated from, or a
// grid font whose metrics come from the text states when it is drawn, or a
// TrueType font whose table fills as its glyphs reach its atlas.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/font/TrueTypeFace.h"

#include <cstdint>
#include <memory>

namespace ov {

struct Font {
    bool grid = true;
    OvGlyphTable table{};
    // TrueType fonts only.
    std::unique_ptr<TrueTypeFace> face;
};

}  // namespace ov
