#include "ovcore/engine/texture/ImageDecode.h"

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
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | uint32_t{bytes[3]};
}

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) | (uint32_t{bytes[3]} << 24);
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

uint16_t ReadLittleEndian16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

// Deflate's largest expansion: a 258-byte match costs at least two bits.
constexpr uint64_t kDeflateMaxRatio = 1032;
// A run-length packet of a TGA repeats one value at most this many times.
constexpr uint64_t kTgaMaxRun = 128;
constexpr size_t kTgaHeader = 18;
constexpr size_t kBmpFileHeader = 14;

// The filtered scanlines a PNG's image data must inflate to, from its
// header, against the image data it carries: more than deflate can expand
// them to means the file lies about its size. So does a chunk before the
// end chunk that claims more bytes than are left (the decoder would make
// room for all it claims before finding out), or a missing end chunk.
bool PngCanHold(const uint8_t* data, size_t size) {
    uint64_t rawBytes = 0, imageData = 0;
    for (size_t position = sizeof(kPngSignature);;) {
        if (size < position || size - position < kPngChunkOverhead) return false;
        const uint32_t length = ReadBigEndian32(data + position);
        if (length > size - position - kPngChunkOverhead) return false;
        const uint8_t* type = data + position + 4;
        const uint8_t* body = data + position + 8;
        if (std::memcmp(type, "IEND", 4) == 0) break;
        if (std::memcmp(type, "IHDR", 4) == 0 && length == 13 && rawBytes == 0) {
            const uint64_t width = ReadBigEndian32(body), height = ReadBigEndian32(body + 4);
            const uint8_t depth = body[8], colour = body[9];
            const uint64_t samples = colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
            rawBytes = height * (1 + (width * samples * depth + 7) / 8);
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            imageData += length;
        }
        position += kPngChunkOverhead + length;
    }
    return rawBytes > 0 && rawBytes <= imageData * kDeflateMaxRatio;
}

// A TGA stores every pixel, or with run-length packets at least one packet
// header and one value per 128 pixels.
bool TgaCanHold(const uint8_t* data, size_t size, uint64_t pixels) {
    if (size < kTgaHeader) return false;
    const uint64_t paletteBytes = data[1] == 1 ? uint64_t{ReadLittleEndian16(data + 5)} * ((data[7] + 7) / 8) : 0;
    const uint64_t pixelBytes = (data[16] + 7) / 8;
    const uint64_t header = kTgaHeader + data[0] + paletteBytes;
    const bool runLength = data[2] >= 8;
    const uint64_t body = runLength ? (pixels + kTgaMaxRun - 1) / kTgaMaxRun * (1 + pixelBytes) : pixels * pixelBytes;
    return header + body <= size;
}

// A BMP the decoder reads is never compressed: every row, padded to four
// bytes, follows the headers.
bool BmpCanHold(const uint8_t* data, size_t size, uint64_t width, uint64_t height) {
    if (size < kBmpFileHeader + 4) return false;
    const uint32_t infoSize = ReadLittleEndian32(data + kBmpFileHeader);
    const size_t bitsAt = infoSize == 12 ? kBmpFileHeader + 10 : kBmpFileHeader + 14;
    if (size < bitsAt + 2) return false;
    const uint64_t bits = ReadLittleEndian16(data + bitsAt);
    const uint64_t rowBytes = (width * bits + 31) / 32 * 4;
    return kBmpFileHeader + uint64_t{infoSize} + rowBytes * height <= size;
}

// Whether the encoded bytes can hold the pixels their header declares, for
// the format the decoder would pick (it tries them in this order).
bool EncodedBytesCanHold(const uint8_t* data, size_t size, int width, int height) {
    stbi__context context;
    stbi__start_mem(&context, data, static_cast<int>(size));
    if (stbi__png_test(&context)) return PngCanHold(data, size);
    if (stbi__bmp_test(&context)) return BmpCanHold(data, size, width, height);
    if (stbi__tga_test(&context)) return TgaCanHold(data, size, uint64_t(width) * uint64_t(height));
    return false;
}

}  // namespace

void FreeDecoded::operator()(uint8_t* pixels) const { stbi_image_free(pixels); }

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
    if (!ProbeImage(data, size, width, height)) return false;
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

bool ProbeImage(const uint8_t* data, size_t size, int& width, int& height) {
    int w = 0, h = 0;
    if (!ProbeImageSize(data, size, w, h) || !EncodedBytesCanHold(data, size, w, h)) return false;
    width = w;
    height = h;
    return true;
}

namespace {

// The image inside a block: a recognised container cut to the length it
// declares, other formats the whole block; false when the container is Invalid.
bool ImageInBlock(const uint8_t* data, size_t size, EncodedSpan& span) {
    switch (LocateEncodedImage(data, size, span)) {
    case SpanResult::Found: return true;
    case SpanResult::Unrecognised: span = EncodedSpan{0, size}; return true;
    case SpanResult::Invalid: break;
    }
    return false;
}

}  // namespace

bool DecodeImageBlock(const uint8_t* data, size_t size, DecodedImage& out) {
    EncodedSpan span;
    return ImageInBlock(data, size, span) && DecodeImage(data + span.offset, span.length, out);
}

bool ProbeImageBlock(const uint8_t* data, size_t size, int& width, int& height) {
    EncodedSpan span;
    return ImageInBlock(data, size, span) && ProbeImage(data + span.offset, span.length, width, height);
}

}  // namespace ov
