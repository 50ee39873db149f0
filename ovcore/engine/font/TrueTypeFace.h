// A TrueType or OpenType font opened by FreeType at one pixel size, whose
// glyphs go into a glyph atlas as they are first drawn. Character codes are
// Latin-1: byte c is the Unicode character U+00c; control characters and
// characters the font lacks have all-zero glyph records.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/font/GlyphAtlas.h"

#include <cstdint>
#include <memory>
#include <string>

struct FT_FaceRec_;

namespace ov {

class FreeTypeLibrary;

class TrueTypeFace {
public:
    // Pixel sizes (the em square's height in pixels) a face opens at.
    static constexpr int kMinPixels = OV_FONT_MIN_PIXELS;
    static constexpr int kMaxPixels = OV_FONT_MAX_PIXELS;
    // The most bytes a font file may have.
    static constexpr size_t kMaxBytes = OV_FONT_MAX_BYTES;

    ~TrueTypeFace();
    TrueTypeFace(const TrueTypeFace&) = delete;
    TrueTypeFace& operator=(const TrueTypeFace&) = delete;

    // Opens the font in bytes (kept for the face's life) and fills every
    // record's size, offsets and advance and the line height of table (its
    // spacings 0, its line break lineBreak); texture coordinates come when a
    // glyph is added. Null, with the reason reported under name, when
    // FreeType cannot read the bytes or pixelSize is out of range. Needs no GL.
    static std::unique_ptr<TrueTypeFace> Open(std::string bytes, int pixelSize, unsigned char lineBreak,
                                              const char* name, OvGlyphTable& table);
    // Gives texture its first pixels as this face's atlas and binds it.
    bool StartAtlas(OvHandle texture);
    // Adds every glyph of the zero-terminated text that is not in the atlas
    // yet, filling its record's texture coordinates (a glyph that cannot be
    // added is tried no more and draws as nothing).
    void Prepare(const unsigned char* text, OvGlyphTable& table);
    // The glyph of c is in the atlas (or has no pixels), so it may be drawn.
    bool Ready(unsigned char c) const { return state_[c] == kReady; }

private:
    enum : uint8_t { kMissing, kPending, kReady, kFailed };

    TrueTypeFace() = default;
    void AddGlyph(unsigned char c, OvGlyphTable& table);
    void RescaleRows(int oldHeight, OvGlyphTable& table) const;

    std::shared_ptr<FreeTypeLibrary> library_;
    FT_FaceRec_* face_ = nullptr;
    std::string bytes_;
    int ascender_ = 0;
    uint32_t glyphIndex_[256] = {};
    uint8_t state_[256] = {};
    GlyphAtlas atlas_;
};

}  // namespace ov
