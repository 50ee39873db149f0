// The font functions of the engine's C interface.
#include "ovcore/engine/core/WholeFile.h"
#include "ovcore/engine/font/FontDraw.h"
#include "ovcore/engine/font/FontStore.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Diagnostics.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace {

int LoadTrueType(OvHandle* font, OvHandle texture, std::string bytes, int pixelSize, int lineBreak, const char* name) {
    OvGlyphTable table{};
    std::unique_ptr<ov::TrueTypeFace> face =
        ov::TrueTypeFace::Open(std::move(bytes), pixelSize, static_cast<unsigned char>(lineBreak), name, table);
    if (!face) return 0;
    if (!face->StartAtlas(texture)) {
        PlatformReportFailure("engine: font refused: %s: no texture to hold its glyphs", name);
        return 0;
    }
    const OvHandle created = ov::Fonts().CreateTrueType(std::move(face), table);
    if (created.word1 == 0) return 0;
    *font = created;
    return 1;
}

}  // namespace

extern "C" OV_API int OvGenerateFont(OvHandle* font, const void* glyphTable) {
    if (!font) return 0;
    const OvHandle created = ov::Fonts().Create(static_cast<const OvGlyphTable*>(glyphTable));
    if (created.word1 == 0) return 0;
    *font = created;
    return 1;
}

extern "C" OV_API void OvDrawFont(OvHandle font, const char* text) {
    ov::Font* found = ov::Fonts().Find(font);
    if (found && text) ov::DrawFontText(*found, text);
}

extern "C" OV_API void OvDisplaylistDestroy(OvHandle font) { ov::Fonts().Destroy(font); }

extern "C" OV_API int OvFontLoad(OvHandle* font, OvHandle texture, const char* path, int pixelSize, int lineBreak) {
    if (!font || !path) return 0;
    std::string bytes;
    errno = 0;
    if (!ov::ReadWholeFile(path, bytes, ov::TrueTypeFace::kMaxBytes)) {
        const int cause = errno;
        PlatformReportFailure("engine: cannot open font file: %s: %s", path,
                              cause != 0 ? std::strerror(cause) : "larger than 64 MiB");
        return 0;
    }
    return LoadTrueType(font, texture, std::move(bytes), pixelSize, lineBreak, path);
}

extern "C" OV_API int OvFontLoadFromMemory(OvHandle* font, OvHandle texture, const void* data, uint32_t size,
                                           int pixelSize, int lineBreak) {
    if (!font || !data || size == 0) return 0;
    if (size > ov::TrueTypeFace::kMaxBytes) {
        PlatformReportFailure("engine: font refused: memory: %u bytes, more than 64 MiB", size);
        return 0;
    }
    return LoadTrueType(font, texture, std::string(static_cast<const char*>(data), size), pixelSize, lineBreak,
                        "memory");
}

extern "C" OV_API int OvFontGetTable(OvHandle font, void* glyphTable) {
    const ov::Font* found = ov::Fonts().Find(font);
    if (!found || !glyphTable || found->grid) return 0;
    std::memcpy(glyphTable, &found->table, sizeof(OvGlyphTable));
    return 1;
}
