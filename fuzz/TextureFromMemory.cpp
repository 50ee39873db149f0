// Decodes arbitrary bytes as an encoded image, either as a probe or as a
// texture load of known size (no GL here: the load stops after decoding).
// The first byte picks the path; the rest is the image.
// fuzz seeds: game/Data/Textures/gib.ovt game/Data/Textures/player.ovt
#include "ovcore/engine/OrvoCore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 1 || size > UINT32_MAX) return 0;
    const uint8_t* image = bytes + 1;
    const auto imageSize = static_cast<uint32_t>(size - 1);
    if (bytes[0] & 1) {
        int width = 0, height = 0;
        if (OvImageProbe(image, imageSize, &width, &height) == 1 && (width < 1 || height < 1)) {
            __builtin_trap();
        }
        return 0;
    }
    OvHandle texture{1, 0};
    if (OvTextureCreate(&texture) == 1) {
        OvTextureLoadFromMemorySized(texture, image, imageSize, 1);
        OvTextureDestroy(texture);
    }
    return 0;
}
