// fuzz seeds: game/Data/Fonts/courier_new.fnt
#include "fuzz/FuzzInput.h"
#include "ovcore/render/GlyphTable.h"

#include <cmath>
#include <memory>

using OvCore::OV_GLYPH_TABLE;

// Any bytes, exactly as many as given and without a terminator, parse
// without reading past them, and every number in the table stays finite.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto table = std::make_unique<OV_GLYPH_TABLE>();
    const bool parsed = table->Parse(reinterpret_cast<const char*>(data), static_cast<uint32_t>(size));
    FuzzCheck(parsed || size == 0 || table->lineHeight == 0.0f);
    FuzzCheck(std::isfinite(table->lineHeight));
    FuzzCheck(table->lineBreak == '\n' && table->letterSpacing == 0.0f && table->lineSpacing == 0.0f);
    for (const auto& glyph : table->glyphs) {
        const float values[] = {glyph.width, glyph.height, glyph.xoffset, glyph.yoffset, glyph.xadvance,
                                glyph.s0,    glyph.t0,     glyph.s1,      glyph.t1};
        for (float value : values) FuzzCheck(std::isfinite(value));
    }
    return 0;
}
