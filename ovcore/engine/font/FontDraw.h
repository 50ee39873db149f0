// Lays out a text with an engine font and adds its glyph quads to the batch.
#pragma once

#include "ovcore/engine/font/Font.h"

namespace ov {

// A TrueType font first adds the text's missing glyphs to its atlas.
void DrawFontText(Font& font, const char* text);

}  // namespace ov
