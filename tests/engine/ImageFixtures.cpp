#include "ImageFixtures.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace {

void Append(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

Bytes EncodePng(int width, int height, const Bytes& rgba) {
    Bytes out;
    stbi_write_png_to_func(Append, &out, width, height, 4, rgba.data(), width * 4);
    return out;
}

Bytes EncodeBmp(int width, int height, const Bytes& rgba) {
    Bytes out;
    stbi_write_bmp_to_func(Append, &out, width, height, 4, rgba.data());
    return out;
}
