// OV_GLYPH and OV_GLYPH_TABLE: the glyphs of a bitmap font.
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <cstddef>
#include <cstdint>

namespace OvCore {

// One character of a bitmap font: its rectangle's size, where it sits
// relative to the pen, how far the pen moves, and the rectangle's texture
// coordinates in the font texture.
struct OV_GLYPH {
    // The rectangle's size in pixels, its offset from the pen, and the pen's advance:
    float width;
    float height;
    float xoffset;
    float yoffset;
    float xadvance;
    // The rectangle's texture coordinates, top-left (s0, t0) to bottom-right (s1, t1):
    float s0;
    float t0;
    float s1;
    float t1;
};

// The glyphs of a bitmap font by character code, handed to the engine as
// it stands (OvGenerateFont), so its layout is fixed.
struct OV_GLYPH_TABLE {
    // Extra pixels between letters and between lines:
    float letterSpacing = 0.0f;
    float lineSpacing = 0.0f;
    char lineBreak = '\n';  // the character that starts a new line
    float lineHeight = 0.0f;  // pixels from one line to the next ("common" lineHeight)
    OV_GLYPH glyphs[256] = {};  // by character code; a glyph never described stays zero

    // Reads a font description file whole and parses it.
    bool ReadFile(const char* path);
    // Parses size bytes of a text font description (no terminator needed):
    // lines cut at runs of CR and LF, tokens at blanks (double quotes keep
    // blanks in a token and are not part of it), key=value pairs with
    // signed 32-bit values in decimal, 0x hexadecimal or 0 octal notation.
    // Values beyond 32 bits are clamped to the nearest 32-bit value; digits
    // stop at the first character that is not one. Only "common"
    // (lineHeight, scaleW, scaleH) and "char" lines (id, x, y, width,
    // height, xoffset, yoffset, xadvance; ids outside 0..255 are skipped)
    // count. A zero scale gives texture coordinates 0. False for no text,
    // size 0 or a text without any line.
    bool Parse(const char* text, uint32_t size);
};

static_assert(sizeof(OV_GLYPH) == 36, "a glyph is nine 32-bit floats");
static_assert(offsetof(OV_GLYPH_TABLE, letterSpacing) == 0 && offsetof(OV_GLYPH_TABLE, lineSpacing) == 4 &&
                  offsetof(OV_GLYPH_TABLE, lineBreak) == 8 && offsetof(OV_GLYPH_TABLE, lineHeight) == 12 &&
                  offsetof(OV_GLYPH_TABLE, glyphs) == 16,
              "the glyph table keeps its field order and widths");
static_assert(sizeof(OV_GLYPH_TABLE) == sizeof(OvGlyphTable) &&
                  offsetof(OV_GLYPH_TABLE, lineHeight) == offsetof(OvGlyphTable, lineHeight) &&
                  offsetof(OV_GLYPH_TABLE, glyphs) == offsetof(OvGlyphTable, glyphs),
              "the engine reads the glyph table in its own layout");

}  // namespace OvCore
