// Encoded test images made with the image writer, and the GL reads the
// texture tests check parameters and viewports with.
#pragma once

#include "EngineWindow.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Distinct RGBA values per pixel, so any row or channel mix-up shows.
inline Bytes PatternPixels(int width, int height) {
    Bytes pixels(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 + 3);
    return pixels;
}

Bytes EncodePng(int width, int height, const Bytes& rgba);
Bytes EncodeBmp(int width, int height, const Bytes& rgba);

inline bool WriteFile(const std::string& path, const Bytes& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

inline int TextureInt(OvHandle texture, int query) {
    const void* value = OvTextureGet(texture, query);
    return value ? *static_cast<const int*>(value) : -1;
}

inline Bytes LockCopy(OvHandle texture) {
    const auto* pixels = static_cast<const uint8_t*>(OvTextureLock(texture, 1));
    Bytes copy;
    if (pixels) copy.assign(pixels, pixels + TextureInt(texture, OV_TEXTURE_BYTES));
    OvTextureUnlock(texture, 0);
    return copy;
}

inline int TextureParameterOf(OvHandle texture, unsigned parameter) {
    using GetTexParameteriv = void (*)(unsigned, unsigned, int*);
    static auto get = reinterpret_cast<GetTexParameteriv>(SDL_GL_GetProcAddress("glGetTexParameteriv"));
    TestGl gl;
    int previous = 0;
    gl.getIntegerv(0x8069 /* texture binding 2D */, &previous);
    gl.bindTexture(TestGl::kTexture2d, static_cast<unsigned>(TextureInt(texture, OV_TEXTURE_GL_NAME)));
    int value = 0;
    get(TestGl::kTexture2d, parameter, &value);
    gl.bindTexture(TestGl::kTexture2d, static_cast<unsigned>(previous));
    return value;
}

inline std::vector<int> Viewport() {
    std::vector<int> viewport(4);
    TestGl().getIntegerv(TestGl::kViewport, viewport.data());
    return viewport;
}
