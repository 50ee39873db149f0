// Loads arbitrary bytes as a texture file from disk (no GL here: the load
// stops after decoding) and probes the same bytes: a file that loads must
// probe with a size within the limits.
// fuzz seeds: game/Data/Textures/*.ovt
#include "ovcore/engine/OrvoCore.h"

#include "FuzzInput.h"
#include "ScratchFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* path = ScratchFile::Write("ov_fuzz_texture", bytes, size);
    if (!path) return 0;
    OvHandle texture{1, 0};
    if (OvTextureCreate(&texture) != 1) return 0;
    OvTextureLoad(texture, path, 1);
    OvTextureDestroy(texture);
    int width = 0, height = 0;
    if (OvImageProbe(bytes, static_cast<uint32_t>(size), &width, &height) == 1)
        FuzzCheck(width >= 1 && height >= 1 && width <= 16384 && height <= 16384);
    return 0;
}
