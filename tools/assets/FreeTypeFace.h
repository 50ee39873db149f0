// One FreeType face at a pixel size, with its library; renders 8-bit
// coverage bitmaps of single characters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

struct GlyphBitmap {
    int width = 0;
    int height = 0;
    int left = 0;  // from the pen position to the bitmap's left edge
    int top = 0;  // from the baseline up to the bitmap's top edge
    int advance = 0;  // whole pixels
    std::vector<uint8_t> coverage;  // width * height, rows top to bottom

    uint8_t At(int x, int y) const { return coverage[static_cast<size_t>(y) * width + x]; }
};

class FreeTypeFace {
public:
    FreeTypeFace() = default;
    ~FreeTypeFace();
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    bool Open(const std::string& path, int pixelSize);
    bool Render(uint32_t codePoint, GlyphBitmap& out) const;
    // Horizontal kerning between two characters in whole pixels.
    int Kerning(uint32_t left, uint32_t right) const;
    int LineHeight() const;
    int Ascender() const;
    std::string FamilyName() const;

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};
