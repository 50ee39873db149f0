// Decoding of encoded images (PNG above all, also BMP and TGA) into RGBA,
// 8 bits a channel, rows top to bottom, within fixed limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace ov {

constexpr int kMaxImageSide = 16384;
constexpr size_t kMaxImageBytes = size_t{256} << 20;
// The most encoded bytes handed to the decoder (it counts in int).
constexpr size_t kMaxEncodedBytes = size_t{1} << 30;

// Where an encoded image sits inside a block of memory.
struct EncodedSpan {
    size_t offset = 0;
    size_t length = 0;
};

enum class SpanResult { Found, Unrecognised, Invalid };

// Bounds an image whose size nobody passed, from what its own bytes declare,
// reading no byte beyond `limit` nor beyond what the format declares.
// Recognised: PNG (signature, then chunks up to and including IEND) and the
// engine's wrapper, "OVIM" followed by the payload's size as a little-endian
// 32-bit number and the payload (any decodable image). Anything else is
// Unrecognised; a recognised header whose declared length runs past `limit`
// or the caps is Invalid, and so is a PNG whose first image data chunk is
// empty (the decoder mishandles it).
SpanResult LocateEncodedImage(const uint8_t* data, size_t limit, EncodedSpan& span);

struct FreeDecoded {
    void operator()(uint8_t* pixels) const;
};

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint8_t, FreeDecoded> pixels;
};

// Width and height within kMaxImageSide and the pixel bytes within
// kMaxImageBytes.
bool ImageSizeAllowed(int width, int height);
// Reads only the header: false when the format is unknown or the declared
// size is not allowed.
bool ProbeImageSize(const uint8_t* data, size_t size, int& width, int& height);
// The header's size when it is allowed and the encoded bytes can hold that
// many pixels: an uncompressed image must carry all its pixel data, a
// compressed one no more than its compression can expand to. Decodes
// nothing.
bool ProbeImage(const uint8_t* data, size_t size, int& width, int& height);
// Full decode to RGBA; false (out untouched) for anything ProbeImage
// refuses, anything unreadable, or a stream that ends early.
bool DecodeImage(const uint8_t* data, size_t size, DecodedImage& out);

// The image inside `size` bytes: a recognised container is cut to the
// length it declares (and refused when that is Invalid); other formats get
// the whole block.
bool DecodeImageBlock(const uint8_t* data, size_t size, DecodedImage& out);
bool ProbeImageBlock(const uint8_t* data, size_t size, int& width, int& height);

}  // namespace ov
