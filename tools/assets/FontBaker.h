// Packs the printable Latin-1 characters of a face into one power-of-two
// texture (white glyphs, coverage in alpha) and writes the text glyph table
// that goes with it.
#pragma once

#include "tools/assets/Canvas.h"
#include "tools/assets/FreeTypeFace.h"

#include <optional>
#include <string>
#include <vector>

struct BakedFont {
    Canvas texture{0, 0};
    std::string description;
};

// Character codes 32..126 and 160..255, in increasing order.
std::vector<uint32_t> PrintableLatin1();

// `textureFile` is the name the description's page line refers to.
std::optional<BakedFont> BakeFont(const FreeTypeFace& face, int pixelSize, const std::string& textureFile);
