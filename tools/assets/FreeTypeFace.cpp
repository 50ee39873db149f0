#include "tools/assets/FreeTypeFace.h"

FreeTypeFace::~FreeTypeFace() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
}

bool FreeTypeFace::Open(const std::string& path, int pixelSize) {
    if (face_ || pixelSize <= 0) return false;
    if (FT_Init_FreeType(&library_) != 0) return false;
    if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
        face_ = nullptr;
        return false;
    }
    return FT_Select_Charmap(face_, FT_ENCODING_UNICODE) == 0 &&
           FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize)) == 0;
}

bool FreeTypeFace::Render(uint32_t codePoint, GlyphBitmap& out) const {
    if (!face_ || FT_Get_Char_Index(face_, codePoint) == 0) return false;
    if (FT_Load_Char(face_, codePoint, FT_LOAD_RENDER) != 0) return false;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows != 0) return false;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < out.width; ++x) out.coverage[static_cast<size_t>(y) * out.width + x] = row[x];
    }
    return true;
}

int FreeTypeFace::Kerning(uint32_t left, uint32_t right) const {
    if (!face_ || !FT_HAS_KERNING(face_)) return 0;
    FT_Vector delta{};
    FT_Get_Kerning(face_, FT_Get_Char_Index(face_, left), FT_Get_Char_Index(face_, right), FT_KERNING_DEFAULT, &delta);
    return static_cast<int>(delta.x >> 6);
}

int FreeTypeFace::LineHeight() const { return face_ ? static_cast<int>((face_->size->metrics.height + 63) >> 6) : 0; }

int FreeTypeFace::Ascender() const { return face_ ? static_cast<int>((face_->size->metrics.ascender + 63) >> 6) : 0; }

std::string FreeTypeFace::FamilyName() const { return face_ && face_->family_name ? face_->family_name : ""; }
