#include "ovcore/engine/font/TrueTypeFace.h"

#include "ovcore/platform/Diagnostics.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <new>

namespace ov {

// One FreeType instance for every face; the last face to go closes it, so
// the order in which statics are destroyed at exit does not matter.
class FreeTypeLibrary {
public:
    static std::shared_ptr<FreeTypeLibrary> Shared() {
        static std::weak_ptr<FreeTypeLibrary> shared;
        std::shared_ptr<FreeTypeLibrary> library = shared.lock();
        if (library) return library;
        library.reset(new (std::nothrow) FreeTypeLibrary);
        if (!library || !library->handle) return nullptr;
        shared = library;
        return library;
    }
    ~FreeTypeLibrary() {
        if (handle) FT_Done_FreeType(handle);
    }
    FT_Library handle = nullptr;

private:
    FreeTypeLibrary() {
        if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
    }
};

namespace {

// Hinted outlines, rendered to 8-bit coverage: crisp text at small sizes.
constexpr FT_Int32 kLoadFlags = FT_LOAD_DEFAULT;

bool ControlCharacter(unsigned c) { return c < 32 || (c >= 127 && c < 160); }

int NextPowerOfTwo(int value) {
    int power = 1;
    while (power < value) power *= 2;
    return power;
}

int Pixels(FT_Pos value26_6) { return static_cast<int>((value26_6 + 63) >> 6); }

}  // namespace

TrueTypeFace::~TrueTypeFace() {
    if (face_) FT_Done_Face(face_);
}

std::unique_ptr<TrueTypeFace> TrueTypeFace::Open(std::string bytes, int pixelSize, unsigned char lineBreak,
                                                 const char* name, OvGlyphTable& table) {
    if (pixelSize < kMinPixels || pixelSize > kMaxPixels) {
        PlatformReportFailure("engine: font refused: %s: pixel size %d outside %d to %d", name, pixelSize, kMinPixels,
                              kMaxPixels);
        return nullptr;
    }
    std::unique_ptr<TrueTypeFace> made(new (std::nothrow) TrueTypeFace);
    if (!made || !(made->library_ = FreeTypeLibrary::Shared())) {
        PlatformReportFailure("engine: font refused: %s: FreeType did not start", name);
        return nullptr;
    }
    made->bytes_ = std::move(bytes);
    const auto* data = reinterpret_cast<const FT_Byte*>(made->bytes_.data());
    if (FT_New_Memory_Face(made->library_->handle, data, static_cast<FT_Long>(made->bytes_.size()), 0, &made->face_) !=
        0) {
        made->face_ = nullptr;
        PlatformReportFailure("engine: font refused: %s: not a font FreeType reads", name);
        return nullptr;
    }
    FT_Face face = made->face_;
    if (!FT_IS_SCALABLE(face) || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        PlatformReportFailure("engine: font refused: %s: no outlines at %d pixels", name, pixelSize);
        return nullptr;
    }
    if (face->charmap == nullptr) FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    made->ascender_ = Pixels(face->size->metrics.ascender);
    table = OvGlyphTable{};
    table.lineBreak = static_cast<char>(lineBreak);
    table.lineHeight = static_cast<float>(Pixels(face->size->metrics.height));
    for (unsigned c = 0; c < 256; ++c) {
        const FT_UInt index = ControlCharacter(c) ? 0 : FT_Get_Char_Index(face, c);
        if (index == 0 || FT_Load_Glyph(face, index, kLoadFlags) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        OvGlyph& glyph = table.glyphs[c];
        glyph.width = static_cast<float>(slot->bitmap.width);
        glyph.height = static_cast<float>(slot->bitmap.rows);
        glyph.xoffset = static_cast<float>(slot->bitmap_left);
        glyph.yoffset = static_cast<float>(made->ascender_ - slot->bitmap_top);
        glyph.xadvance = static_cast<float>(slot->advance.x) / 64.0f;
        made->glyphIndex_[c] = index;
        made->state_[c] = kPending;
    }
    return made;
}

bool TrueTypeFace::StartAtlas(OvHandle texture) {
    const int pixelSize = static_cast<int>(face_->size->metrics.y_ppem);
    const int lineHeight = Pixels(face_->size->metrics.height);
    const int width = std::clamp(NextPowerOfTwo(pixelSize * 12), 128, GlyphAtlas::kMaxSide);
    const int height = std::clamp(NextPowerOfTwo(2 * (lineHeight + 2)), 32, GlyphAtlas::kMaxSide);
    return atlas_.Start(texture, width, height);
}

void TrueTypeFace::Prepare(const unsigned char* text, OvGlyphTable& table) {
    for (const unsigned char* c = text; *c != 0; ++c) {
        if (state_[*c] == kPending) AddGlyph(*c, table);
    }
}

void TrueTypeFace::AddGlyph(unsigned char c, OvGlyphTable& table) {
    state_[c] = kFailed;
    if (FT_Load_Glyph(face_, glyphIndex_[c], kLoadFlags) != 0 ||
        FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        PlatformReportFailure("engine: glyph not added: %u: FreeType cannot render it", c);
        return;
    }
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows != 0) {
        PlatformReportFailure("engine: glyph not added: %u: not a grey bitmap", c);
        return;
    }
    const int width = static_cast<int>(bitmap.width);
    const int height = static_cast<int>(bitmap.rows);
    const int oldHeight = atlas_.Height();
    int x = 0, y = 0;
    if (width > 0 && height > 0 && !atlas_.Add(bitmap.buffer, width, height, bitmap.pitch, x, y)) return;
    if (atlas_.Height() != oldHeight) RescaleRows(oldHeight, table);
    OvGlyph& glyph = table.glyphs[c];
    glyph.width = static_cast<float>(width);
    glyph.height = static_cast<float>(height);
    glyph.xoffset = static_cast<float>(slot->bitmap_left);
    glyph.yoffset = static_cast<float>(ascender_ - slot->bitmap_top);
    const float atlasWidth = static_cast<float>(atlas_.Width());
    const float atlasHeight = static_cast<float>(atlas_.Height());
    glyph.s0 = static_cast<float>(x) / atlasWidth;
    glyph.t0 = static_cast<float>(y) / atlasHeight;
    glyph.s1 = static_cast<float>(x + width) / atlasWidth;
    glyph.t1 = static_cast<float>(y + height) / atlasHeight;
    state_[c] = kReady;
}

// The atlas grew downwards: the glyphs already in it keep their texels, so
// their rows' texture coordinates shrink by the ratio of the heights.
void TrueTypeFace::RescaleRows(int oldHeight, OvGlyphTable& table) const {
    const float ratio = static_cast<float>(oldHeight) / static_cast<float>(atlas_.Height());
    for (int c = 0; c < 256; ++c) {
        if (state_[c] != kReady) continue;
        table.glyphs[c].t0 *= ratio;
        table.glyphs[c].t1 *= ratio;
    }
}

}  // namespace ov
