// Opens arbitrary bytes as a TrueType or OpenType font at the pixel size the
// first byte picks (4 to 259: the last three are refused), through FreeType:
// the face, its size and every Latin-1 glyph's metrics are read; with no
// texture to hold them no glyph is rasterised and the load fails after that.
// fuzz seeds: ovcore/resources/fonts/DejaVuSans.ttf
// fuzz max_len: 16384
#include "ovcore/engine/OrvoCore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 1 || size > UINT32_MAX) return 0;
    OvHandle font{1, 0};
    const OvHandle noTexture{1, 0};
    if (OvFontLoadFromMemory(&font, noTexture, bytes + 1, static_cast<uint32_t>(size - 1), 4 + bytes[0], '\n') != 0) {
        __builtin_trap();
    }
    return 0;
}
