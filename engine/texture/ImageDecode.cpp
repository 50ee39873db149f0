#include "engine/texture/ImageDecode.h"

#include <cstdlib>
#include <cstring>

// Only the decoders that survive fuzzing in the packaged decoder version:
// its JPEG and PNM readers write out of bounds on crafted input, and its GIF,
// PSD and PIC readers have known faults of the same kind.
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace ov {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kWrapperMagic[4] = {'O', 'V', 'I', 'M'};
constexpr size_t kWrapperHeader = 8;
constexpr size_t kPngChunkOverhead = 12;  // length, type, CRC
constexpr uint32_t kPngMaxChunkLength = 0x7FFFFFFFu;

uint32_t ReadBigEndian32(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           uint32_t{bytes[3]};
}

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) |
           (uint32_t{bytes[3]} << 24);
}

// The byte count of a PNG from its signature to the end of its IEND chunk.
SpanResult LocatePng(const uint8_t* data, size_t limit, EncodedSpan& span) {
    size_t position = sizeof(kPngSignature);
    bool imageData = false;
    while (limit - position >= kPngChunkOverhead) {
        const uint32_t length = ReadBigEndian32(data + position);
        if (length > kPngMaxChunkLength || length > limit - position - kPngChunkOverhead) break;
        // The decoder copies into a null buffer when the first image data chunk is empty.
        if (std::memcmp(data + position + 4, "IDAT", 4) == 0) {
            if (length == 0 && !imageData) break;
            imageData = true;
        }
        const bool last = std::memcmp(data + position + 4, "IEND", 4) == 0;
        position += kPngChunkOverhead + length;
        if (last) {
            span = EncodedSpan{0, position};
            return SpanResult::Found;
        }
    }
    return SpanResult::Invalid;
}

SpanResult LocateWrapped(const uint8_t* data, size_t limit, EncodedSpan& span) {
    if (limit < kWrapperHeader) return SpanResult::Invalid;
    const uint32_t length = ReadLittleEndian32(data + sizeof(kWrapperMagic));
    if (length == 0 || length > limit - kWrapperHeader) return SpanResult::Invalid;
    span = EncodedSpan{kWrapperHeader, length};
    return SpanResult::Found;
}

bool StartsWith(const uint8_t* data, size_t limit, const uint8_t* prefix, size_t prefixSize) {
    return limit >= prefixSize && std::memcmp(data, prefix, prefixSize) == 0;
}

}  // namespace

void FreeDecoded::operator()(uint8_t* pixels) const {
    stbi_image_free(pixels);
}

SpanResult LocateEncodedImage(const uint8_t* data, size_t limit, EncodedSpan& span) {
    if (!data) return SpanResult::Invalid;
    if (limit > kMaxEncodedBytes) limit = kMaxEncodedBytes;
    if (StartsWith(data, limit, kPngSignature, sizeof(kPngSignature))) return LocatePng(data, limit, span);
    if (StartsWith(data, limit, kWrapperMagic, sizeof(kWrapperMagic))) return LocateWrapped(data, limit, span);
    return SpanResult::Unrecognised;
}

bool ImageSizeAllowed(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return false;
    return static_cast<size_t>(width) * static_cast<size_t>(height) * 4 <= kMaxImageBytes;
}

bool ProbeImageSize(const uint8_t* data, size_t size, int& width, int& height) {
    if (!data || size == 0 || size > kMaxEncodedBytes) return false;
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(data, static_cast<int>(size), &w, &h, &channels)) return false;
    if (!ImageSizeAllowed(w, h)) return false;
    width = w;
    height = h;
    return true;
}

bool DecodeImage(const uint8_t* data, size_t size, DecodedImage& out) {
    int width = 0, height = 0;
    if (!ProbeImageSize(data, size, width, height)) return false;
    int channels = 0;
    uint8_t* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4);
    if (!pixels) return false;
    if (!ImageSizeAllowed(width, height)) {
        stbi_image_free(pixels);
        return false;
    }
    out.width = width;
    out.height = height;
    out.pixels.reset(pixels);
    return true;
}

bool DecodeImageBlock(const uint8_t* data, size_t size, DecodedImage& out) {
    EncodedSpan span;
    switch (LocateEncodedImage(data, size, span)) {
        case SpanResult::Found:
            return DecodeImage(data + span.offset, span.length, out);
        case SpanResult::Unrecognised:
            return DecodeImage(data, size, out);
        case SpanResult::Invalid:
            break;
    }
    return false;
}

}  // namespace ov
