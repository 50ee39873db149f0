// Reads arbitrary bytes as a font description file from disk: the table
// read from the file must equal the one parsed from the same bytes in memory.
// fuzz seeds: game/Data/Fonts/courier_new.fnt
#include "ovcore/render/GlyphTable.h"

#include "FuzzInput.h"
#include "ScratchFile.h"

#include <cstdint>
#include <cstring>
#include <memory>

using OvCore::OV_GLYPH_TABLE;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* path = ScratchFile::Write("ov_fuzz_font", bytes, size);
    if (!path) return 0;
    auto fromFile = std::make_unique<OV_GLYPH_TABLE>();
    auto fromMemory = std::make_unique<OV_GLYPH_TABLE>();
    const bool read = fromFile->ReadFile(path);
    const bool parsed = fromMemory->Parse(reinterpret_cast<const char*>(bytes), static_cast<uint32_t>(size));
    FuzzCheck(read == parsed);
    FuzzCheck(std::memcmp(&fromFile->letterSpacing, &fromMemory->letterSpacing, sizeof(float)) == 0);
    FuzzCheck(std::memcmp(&fromFile->lineSpacing, &fromMemory->lineSpacing, sizeof(float)) == 0);
    FuzzCheck(std::memcmp(&fromFile->lineHeight, &fromMemory->lineHeight, sizeof(float)) == 0);
    FuzzCheck(fromFile->lineBreak == fromMemory->lineBreak);
    FuzzCheck(std::memcmp(fromFile->glyphs, fromMemory->glyphs, sizeof(fromFile->glyphs)) == 0);
    return 0;
}
