#include "tools/assets/FontBaker.h"

#include <sstream>

namespace {

constexpr int kSpacing = 1;  // empty pixels between packed glyphs

struct PlacedGlyph {
    uint32_t code = 0;
    GlyphBitmap bitmap;
    int x = 0;
    int y = 0;
};

// Shelf packing in glyph order; false when the glyphs overflow the height.
bool Pack(std::vector<PlacedGlyph>& glyphs, int width, int height, int& usedHeight) {
    int penX = kSpacing, penY = kSpacing, shelf = 0;
    for (PlacedGlyph& glyph : glyphs) {
        const int w = glyph.bitmap.width, h = glyph.bitmap.height;
        if (w == 0 || h == 0) {
            glyph.x = glyph.y = 0;
            continue;
        }
        if (w + 2 * kSpacing > width) return false;
        if (penX + w + kSpacing > width) {
            penX = kSpacing;
            penY += shelf + kSpacing;
            shelf = 0;
        }
        glyph.x = penX;
        glyph.y = penY;
        penX += w + kSpacing;
        if (h > shelf) shelf = h;
    }
    usedHeight = penY + shelf + kSpacing;
    return usedHeight <= height;
}

int NextPowerOfTwo(int value) {
    int result = 1;
    while (result < value) result *= 2;
    return result;
}

// Tries square sizes from 64 up and then trims the height to the smallest
// power of two that still holds every shelf.
bool ChooseTextureSize(std::vector<PlacedGlyph>& glyphs, int& width, int& height) {
    for (int side = 64; side <= 2048; side *= 2) {
        int used = 0;
        if (!Pack(glyphs, side, side, used)) continue;
        width = side;
        height = NextPowerOfTwo(used);
        return true;
    }
    return false;
}

void Blit(Canvas& texture, const PlacedGlyph& glyph) {
    for (int y = 0; y < glyph.bitmap.height; ++y) {
        for (int x = 0; x < glyph.bitmap.width; ++x) {
            texture.Set(glyph.x + x, glyph.y + y, {255, 255, 255, glyph.bitmap.At(x, y)});
        }
    }
}

std::string Describe(const std::vector<PlacedGlyph>& glyphs, const std::string& family, int pixelSize, int lineHeight,
                     int base, int width, int height, const std::string& textureFile) {
    std::ostringstream out;
    out << "info face=\"" << family << "\" size=" << pixelSize
        << " bold=0 italic=0 charset=\"ISO-8859-1\" unicode=0 stretchH=100 smooth=1 aa=1"
        << " padding=0,0,0,0 spacing=" << kSpacing << ',' << kSpacing << " outline=0\n";
    out << "common lineHeight=" << lineHeight << " base=" << base << " scaleW=" << width << " scaleH=" << height
        << " pages=1\n";
    out << "page id=0 file=\"" << textureFile << "\"\n";
    out << "chars count=" << glyphs.size() << '\n';
    for (const PlacedGlyph& g : glyphs) {
        out << "char id=" << g.code << " x=" << g.x << " y=" << g.y << " width=" << g.bitmap.width
            << " height=" << g.bitmap.height << " xoffset=" << g.bitmap.left << " yoffset=" << base - g.bitmap.top
            << " xadvance=" << g.bitmap.advance << " page=0 chnl=15\n";
    }
    return out.str();
}

}  // namespace

std::vector<uint32_t> PrintableLatin1() {
    std::vector<uint32_t> codes;
    for (uint32_t c = 32; c <= 126; ++c) codes.push_back(c);
    for (uint32_t c = 160; c <= 255; ++c) codes.push_back(c);
    return codes;
}

std::optional<BakedFont> BakeFont(const FreeTypeFace& face, int pixelSize, const std::string& textureFile) {
    std::vector<PlacedGlyph> glyphs;
    for (uint32_t code : PrintableLatin1()) {
        PlacedGlyph glyph;
        glyph.code = code;
        if (!face.Render(code, glyph.bitmap)) return std::nullopt;
        glyphs.push_back(std::move(glyph));
    }
    int width = 0, height = 0;
    if (!ChooseTextureSize(glyphs, width, height)) return std::nullopt;
    BakedFont font;
    font.texture = Canvas(width, height);
    for (const PlacedGlyph& glyph : glyphs) Blit(font.texture, glyph);
    font.description =
        Describe(glyphs, face.FamilyName(), pixelSize, face.LineHeight(), face.Ascender(), width, height, textureFile);
    return font;
}
