#include "ovcore/render/Font.h"

#include "ovcore/platform/Diagnostics.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace OvCore {

namespace {

constexpr int kTextureQueryWidth = OV_TEXTURE_WIDTH;
constexpr int kLoadFlag = 1;

double StateDouble(int id) {
    const auto* value = static_cast<const double*>(OvGetState(id));
    return value ? *value : 0.0;
}

// One line of an aligned text, zero-terminated for the engine. Kept between
// calls so that drawing text every frame does not allocate.
const char* TerminatedCopy(const char* begin, const char* end) {
    static std::vector<char> line;
    line.assign(begin, end);
    line.push_back('\0');
    return line.data();
}

double VerticalOffset(int32_t align, size_t index, size_t lines, double height) {
    const double top = static_cast<double>(index) * height;
    switch (align) {
    case -1: return top;
    case 0: return top - height * static_cast<double>(lines) / 2.0;
    case 1: return top - height * static_cast<double>(lines);
    default: return 0.0;
    }
}

double HorizontalOffset(int32_t align, double width) {
    switch (align) {
    case 0: return -width / 2.0;
    case 1: return -width;
    default: return 0.0;
    }
}

}  // namespace

bool OV_FONT::Load(const char* textureFile, const char* descriptionFile, char lineBreak, int minFilter, int magFilter) {
    if (!textureFile) return false;
    Release();
    if (!LoadTexture(lineBreak, minFilter, magFilter, nullptr, textureFile)) {
        if (descriptionFile) PlatformReportFailure("render: font not loaded: %s: no texture", descriptionFile);
        return false;
    }
    if (!descriptionFile) return Finish(false, false);
    glyphTable.reset(new (std::nothrow) OV_GLYPH_TABLE);
    return Finish(true, glyphTable && glyphTable->ReadFile(descriptionFile));
}

bool OV_FONT::LoadFromMemory(const void* textureData, const char* descriptionText, uint32_t descriptionSize,
                             char lineBreak, int minFilter, int magFilter) {
    if (!textureData) return false;
    Release();
    if (!LoadTexture(lineBreak, minFilter, magFilter, textureData, nullptr)) return false;
    if (!descriptionText || descriptionSize == 0) return Finish(false, false);
    glyphTable.reset(new (std::nothrow) OV_GLYPH_TABLE);
    return Finish(true, glyphTable && glyphTable->Parse(descriptionText, descriptionSize));
}

bool OV_FONT::LoadTrueType(const char* fontFile, int32_t pixelSize, char lineBreak, int minFilter, int magFilter) {
    if (!fontFile) return false;
    Release();
    if (!OvTextureCreate(&texture)) return false;
    return FinishTrueType(OvFontLoad(&font, texture, fontFile, pixelSize, static_cast<unsigned char>(lineBreak)),
                          minFilter, magFilter);
}

bool OV_FONT::LoadTrueTypeFromMemory(const void* fontData, uint32_t size, int32_t pixelSize, char lineBreak,
                                     int minFilter, int magFilter) {
    if (!fontData || size == 0) return false;
    Release();
    if (!OvTextureCreate(&texture)) return false;
    return FinishTrueType(
        OvFontLoadFromMemory(&font, texture, fontData, size, pixelSize, static_cast<unsigned char>(lineBreak)),
        minFilter, magFilter);
}

bool OV_FONT::LoadDefault(int32_t pixelSize) {
    const char* path = OvFontDefaultPath();
    if (!path) {
        Release();
        return false;
    }
    return LoadTrueType(path, pixelSize, '\n', OV_TEXTURE_LINEAR, OV_TEXTURE_LINEAR);
}

// The engine left the atlas bound: the filters apply to it.
bool OV_FONT::FinishTrueType(int engineLoaded, int minFilter, int magFilter) {
    if (engineLoaded) glyphTable.reset(new (std::nothrow) OV_GLYPH_TABLE);
    if (!engineLoaded || !glyphTable || !OvFontGetTable(font, glyphTable.get())) {
        DiscardPartialLoad();
        return false;
    }
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, static_cast<float>(minFilter));
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, static_cast<float>(magFilter));
    OvTextureUnactivate();
    loaded = true;
    return true;
}

bool OV_FONT::LoadTexture(char lineBreak, int minFilter, int magFilter, const void* memoryImage, const char* path) {
    OvSetState(OV_STATE_LINE_BREAK, static_cast<int>(static_cast<unsigned char>(lineBreak)));
    if (!OvTextureCreate(&texture) || IsEmptyHandle(texture)) {
        texture = EmptyHandle();
        return false;
    }
    const int stored = memoryImage ? OvTextureLoadFromMemory(texture, memoryImage, kLoadFlag)
                                   : OvTextureLoad(texture, path, kLoadFlag);
    if (!stored) {
        DiscardPartialLoad();
        return false;
    }
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, static_cast<float>(minFilter));
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, static_cast<float>(magFilter));
    OvTextureUnactivate();
    return true;
}

bool OV_FONT::Finish(bool described, bool parsed) {
    if ((described && !parsed) || !OvGenerateFont(&font, glyphTable.get())) {
        DiscardPartialLoad();
        return false;
    }
    loaded = true;
    return true;
}

void OV_FONT::DiscardPartialLoad() {
    if (!IsEmptyHandle(texture)) OvTextureDestroy(texture);
    if (!IsEmptyHandle(font)) OvDisplaylistDestroy(font);
    texture = EmptyHandle();
    font = EmptyHandle();
    glyphTable.reset();
    loaded = false;
}

void OV_FONT::Release() {
    if (!loaded) return;
    loaded = false;
    OvTextureDestroy(texture);
    texture = EmptyHandle();
    OvDisplaylistDestroy(font);
    font = EmptyHandle();
    glyphTable.reset();
}

unsigned char OV_FONT::LineBreak() const {
    if (glyphTable) return static_cast<unsigned char>(glyphTable->lineBreak);
    const auto* value = static_cast<const int*>(OvGetState(OV_STATE_LINE_BREAK));
    return static_cast<unsigned char>(value ? *value : '\n');
}

OV_VECTOR OV_FONT::MeasureText(const char* text) const {
    if (!text) return OV_VECTOR(0, 0, 0, 1);
    return MeasureSpan(text, text + std::strlen(text));
}

OV_VECTOR OV_FONT::MeasureSpan(const char* begin, const char* end) const {
    const unsigned char lineBreak = LineBreak();
    const double gridAdvance = StateDouble(OV_STATE_CHARACTER_WIDTH) + StateDouble(OV_STATE_CHARACTER_SPACING);
    const double gridHeight = StateDouble(OV_STATE_CHARACTER_HEIGHT) + StateDouble(OV_STATE_LINE_SPACING);
    double width = 0.0;
    double height = 0.0;
    double lineWidth = 0.0;
    double lineHeight = 0.0;
    for (const char* at = begin; at != end; ++at) {
        const auto c = static_cast<unsigned char>(*at);
        if (c == lineBreak) {
            width = std::max(width, lineWidth);
            height += lineHeight;
            lineWidth = 0.0;
            lineHeight = 0.0;
        } else if (glyphTable) {
            lineWidth += static_cast<double>(glyphTable->glyphs[c].xadvance) + glyphTable->letterSpacing;
            lineHeight = static_cast<double>(glyphTable->lineHeight) + glyphTable->lineSpacing;
        } else {
            lineWidth += gridAdvance;
            lineHeight = std::max(lineHeight, gridHeight);
        }
    }
    return OV_VECTOR(std::max(width, lineWidth), height + lineHeight, 0, 1);
}

// A texture that has been destroyed would leave whatever texture was bound
// before in place, so only a live one counts.
bool OV_FONT::Drawable() const {
    return !IsEmptyHandle(texture) && !IsEmptyHandle(font) && OvTextureGet(texture, kTextureQueryWidth);
}

void OV_FONT::DrawText(const char* text, OV_VECTOR position, OV_VECTOR scale, OV_ANGLES rotation) const {
    if (!text || !Drawable()) return;
    if (verticalAlign == -1 && horizontalAlign == -1) {
        DrawPass(text, position, scale, rotation, 0.0, 0.0, false);
        return;
    }
    DrawLines(text, position, scale, rotation);
}

void OV_FONT::DrawLines(const char* text, const OV_VECTOR& position, const OV_VECTOR& scale,
                        const OV_ANGLES& rotation) const {
    const char lineBreak = static_cast<char>(LineBreak());
    const char* const end = text + std::strlen(text);
    const size_t lines = static_cast<size_t>(std::count(text, end, lineBreak)) + 1;
    const char* begin = text;
    for (size_t index = 0; index < lines; ++index) {
        const char* lineEnd = std::find(begin, end, lineBreak);
        const OV_VECTOR size = MeasureSpan(begin, lineEnd);
        DrawPass(TerminatedCopy(begin, lineEnd), position, scale, rotation, HorizontalOffset(horizontalAlign, size.x),
                 VerticalOffset(verticalAlign, index, lines, size.y), true);
        begin = lineEnd == end ? end : lineEnd + 1;
    }
}

void OV_FONT::DrawPass(const char* text, const OV_VECTOR& position, const OV_VECTOR& scale, const OV_ANGLES& rotation,
                       double offsetX, double offsetY, bool offset) const {
    OvMatrixPush();
    OvMatrixTranslate(position.x, position.y, position.z);
    OvMatrixRotate(rotation.z, 1, 0, 0);
    OvMatrixRotate(rotation.y, 0, 1, 0);
    OvMatrixRotate(rotation.x, 0, 0, 1);
    OvMatrixScale(scale.x, scale.y, scale.z);
    if (offset) OvMatrixTranslate(offsetX, offsetY, 0);
    OvTextureActivate(texture);
    OvDrawFont(font, text);
    OvMatrixPop();
}

}  // namespace OvCore
