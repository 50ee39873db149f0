// The texture a TrueType font's glyphs are drawn from: coverage bitmaps
// packed in shelves, left to right and top to bottom, each with a clear
// texel all round so that linear filtering never reaches a neighbour. The
// atlas keeps a copy of its pixels; when a glyph no longer fits it doubles
// its height (up to kMaxSide) and uploads the whole texture again.
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <cstdint>
#include <vector>

namespace ov {

class GlyphAtlas {
public:
    // The largest side the atlas grows to, in texels.
    static constexpr int kMaxSide = 4096;

    // Gives texture its first, transparent pixels (width x height, clamped
    // to kMaxSide) and binds it; false when the texture is unknown or
    // locked, or GL refuses.
    bool Start(OvHandle texture, int width, int height);
    // Copies a coverage bitmap (width x height bytes, rows pitch bytes
    // apart, top row first) into the atlas as white texels whose alpha is
    // the coverage, and uploads it. x and y receive its top-left texel.
    // False when it cannot fit even at the largest height or the texture is
    // gone; nothing then changes. Growing draws pending vertices first.
    bool Add(const uint8_t* coverage, int width, int height, int pitch, int& x, int& y);

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    bool Grow(int neededBottom);

    OvHandle texture_{1, 0};
    int width_ = 0;
    int height_ = 0;
    int shelfX_ = 1;
    int shelfY_ = 1;
    int shelfHeight_ = 0;
    std::vector<uint8_t> pixels_;
    std::vector<uint8_t> scratch_;
};

}  // namespace ov
