// OvTextureLoadFromMemory takes no size: the image's own bytes bound it. The
// fuzzer's bytes become such an image of exactly its declared length, in a
// buffer of that length, so reading one byte past what the image declares
// is caught. The first byte picks the container: the engine's wrapper
// ("OVIM", length, payload) or a PNG made of the whole chunks among the
// bytes, closed with an end chunk.
#include "ovcore/engine/OrvoCore.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
const uint8_t kEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};

uint32_t BigEndian(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

std::vector<uint8_t> Wrapped(const uint8_t* payload, size_t size) {
    std::vector<uint8_t> image = {'O', 'V', 'I', 'M'};
    for (int i = 0; i < 4; ++i) image.push_back(static_cast<uint8_t>(size >> (8 * i)));
    image.insert(image.end(), payload, payload + size);
    return image;
}

// The whole chunks up to the first end chunk, then an end chunk.
std::vector<uint8_t> Png(const uint8_t* chunks, size_t size) {
    std::vector<uint8_t> image(kSignature, kSignature + 8);
    size_t at = 0;
    while (size - at >= 12) {
        const uint64_t length = BigEndian(chunks + at);
        if (length > size - at - 12 || std::memcmp(chunks + at + 4, "IEND", 4) == 0) break;
        image.insert(image.end(), chunks + at, chunks + at + 12 + length);
        at += 12 + length;
    }
    image.insert(image.end(), kEnd, kEnd + 12);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 1 || size > (1u << 20)) return 0;
    const std::vector<uint8_t> image = bytes[0] & 1 ? Wrapped(bytes + 1, size - 1) : Png(bytes + 1, size - 1);
    std::unique_ptr<uint8_t[]> exact(new uint8_t[image.size()]);
    std::memcpy(exact.get(), image.data(), image.size());
    OvHandle texture{1, 0};
    if (OvTextureCreate(&texture) == 1) {
        OvTextureLoadFromMemory(texture, exact.get(), 1);
        OvTextureDestroy(texture);
    }
    return 0;
}
