// Lays out a text with an engine font and adds its glyph quads to the batch.
#pragma once

#include "ovcore/engine/font/Font.h"

namespace ov {

void DrawFontText(const Font& font, const char* text);

}  // namespace ov
