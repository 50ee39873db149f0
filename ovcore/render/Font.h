// OV_FONT: a bitmap font, measured and drawn.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/Angles.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/render/GlyphTable.h"

#include <cstdint>
#include <memory>

namespace OvCore {

// A bitmap font: a font texture and the engine font drawn from it, made
// from a glyph table (a font description) or, without one, the engine's
// 16 x 16 grid over the texture. Measures text and draws it aligned about a
// point. Destruction frees the glyph table but leaves the engine objects to
// Release, like every holder of engine handles.
class OV_FONT {
public:
    bool loaded = false;  // true between a successful Load and Release
    // -1, 0, 1: top / centre / bottom and left / centre / right of the
    // drawing position. Other values align as -1 would, without offset.
    // Vertical, then horizontal:
    int32_t verticalAlign = -1;
    int32_t horizontalAlign = -1;
    OvHandle texture = EmptyHandle();  // the font texture
    OvHandle font = EmptyHandle();  // the engine font drawn from it
    // Null for a grid font.
    std::unique_ptr<OV_GLYPH_TABLE> glyphTable;

    // A loaded font is released first. descriptionFile null makes a grid
    // font. lineBreak becomes the engine's text line break (state 98). Every
    // failure leaves the font not loaded and nothing of the call behind.
    bool Load(const char* textureFile, const char* descriptionFile, char lineBreak, int minFilter, int magFilter);
    // textureData: an image bounded by its own bytes (OvTextureLoadFromMemory).
    // The description counts only when both its text and its size are given.
    bool LoadFromMemory(const void* textureData, const char* descriptionText, uint32_t descriptionSize, char lineBreak,
                        int minFilter, int magFilter);

    // A TrueType or OpenType font file at pixelSize pixels to the em (4 to
    // 256; OvFontLoad). The texture is the font's glyph atlas, filled as
    // glyphs are first drawn; glyphTable holds every character's metrics
    // from the start (texture coordinates aside), so measuring, alignment
    // and line breaks work as with a bitmap font. Text is Latin-1. A loaded
    // font is released first; false for a null file, a file FreeType cannot
    // read, a size out of range or no current render target, leaving the
    // font not loaded.
    bool LoadTrueType(const char* fontFile, int32_t pixelSize, char lineBreak, int minFilter, int magFilter);
    // The same from size bytes of font data (copied).
    bool LoadTrueTypeFromMemory(const void* fontData, uint32_t size, int32_t pixelSize, char lineBreak, int minFilter,
                                int magFilter);
    // The framework's own font (DejaVu Sans, shipped with the engine library
    // under share/OvCore/fonts/) at pixelSize, line feeds breaking lines,
    // linear filters. False when the font file is not there (see
    // OvFontDefaultPath) or as LoadTrueType.
    bool LoadDefault(int32_t pixelSize);

    // (width, height, 0, 1) of the text's lines; a trailing line break adds
    // no empty line. Null text measures (0, 0, 0, 1).
    OV_VECTOR MeasureText(const char* text) const;
    // Draws at the current matrix moved to position, turned by rotation
    // (degrees: z about X, y about Y, x about Z) and scaled.
    void DrawText(const char* text, OV_VECTOR position, OV_VECTOR scale, OV_ANGLES rotation) const;

    void Release();  // frees the texture and the engine font; the font is not loaded

private:
    bool LoadTexture(char lineBreak, int minFilter, int magFilter, const void* memoryImage, const char* path);
    bool Finish(bool described, bool parsed);
    bool FinishTrueType(int engineLoaded, int minFilter, int magFilter);
    void DiscardPartialLoad();
    unsigned char LineBreak() const;
    OV_VECTOR MeasureSpan(const char* begin, const char* end) const;
    void DrawLines(const char* text, const OV_VECTOR& position, const OV_VECTOR& scale,
                   const OV_ANGLES& rotation) const;
    void DrawPass(const char* text, const OV_VECTOR& position, const OV_VECTOR& scale, const OV_ANGLES& rotation,
                  double offsetX, double offsetY, bool offset) const;
    bool Drawable() const;
};

}  // namespace OvCore
