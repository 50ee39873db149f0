// The texture functions of the engine's C interface.
#include "ovcore/engine/framebuffer/FrameBufferStore.h"
#include "ovcore/engine/texture/ImageDecode.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderShutdown.h"
#include "ovcore/engine/render/Renderer.h"
#include "ovcore/engine/texture/TextureGl.h"
#include "ovcore/engine/texture/TextureStore.h"
#include "ovcore/platform/Diagnostics.h"

#include <epoxy/gl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kMinFilter = OV_TEXTURE_MIN_FILTER;
constexpr int kMagFilter = OV_TEXTURE_MAG_FILTER;
constexpr int kWrapS = OV_TEXTURE_WRAP_S;
constexpr int kWrapT = OV_TEXTURE_WRAP_T;
constexpr int kNearest = OV_TEXTURE_NEAREST;
constexpr int kLinear = OV_TEXTURE_LINEAR;
constexpr int kRepeat = OV_TEXTURE_REPEAT;
constexpr int kClamp = OV_TEXTURE_CLAMP;

// Checked before any pixels are made for the size.
bool SizeAllowed(int width, int height) {
    if (ov::ImageSizeAllowed(width, height)) return true;
    PlatformReportFailure("engine: texture refused: %d x %d: size out of bounds", width, height);
    return false;
}

// New pixels leave their texture bound, so that parameters set next apply to it.
int SetPixelsAndBind(ov::Texture& texture, int width, int height, const uint8_t* rgba) {
    if (!ov::Textures().SetPixels(texture, width, height, rgba)) return 0;
    ov::Textures().Bind(&texture);
    return 1;
}

bool SetDecoded(ov::Texture& texture, const uint8_t* data, size_t size) {
    ov::DecodedImage image;
    if (!ov::DecodeImage(data, size, image)) {
        PlatformReportFailure("engine: image format refused: memory");
        return false;
    }
    return SetPixelsAndBind(texture, image.width, image.height, image.pixels.get()) == 1;
}

// `source` names the bytes in the failure report: a path, or "memory".
bool SetFromSizedMemory(ov::Texture& texture, const uint8_t* data, size_t size, const char* source) {
    ov::DecodedImage image;
    if (!ov::DecodeImageBlock(data, size, image)) {
        PlatformReportFailure("engine: image format refused: %s", source);
        return false;
    }
    return SetPixelsAndBind(texture, image.width, image.height, image.pixels.get()) == 1;
}

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        PlatformReportFailure("engine: cannot open texture file: %s: %s", path, std::strerror(errno));
        return false;
    }
    bool read = false;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && static_cast<unsigned long>(size) <= ov::kMaxEncodedBytes &&
            std::fseek(file, 0, SEEK_SET) == 0) {
            bytes.resize(static_cast<size_t>(size));
            read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
        }
    }
    std::fclose(file);
    if (!read) PlatformReportFailure("engine: cannot read texture file: %s: empty, unreadable or too large", path);
    return read;
}

GLenum FilterToGl(int value) {
    if (value == kNearest) return GL_NEAREST;
    if (value == kLinear) return GL_LINEAR;
    return 0;
}

GLenum WrapToGl(int value) {
    if (value == kRepeat) return GL_REPEAT;
    if (value == kClamp) return GL_CLAMP_TO_EDGE;
    return 0;
}

// The GL parameter and value of an engine parameter pair; false for pairs
// the engine does not know.
bool ParameterToGl(int parameter, int value, GLenum& glParameter, GLenum& glValue) {
    switch (parameter) {
    case kMinFilter:
        glParameter = GL_TEXTURE_MIN_FILTER;
        glValue = FilterToGl(value);
        break;
    case kMagFilter:
        glParameter = GL_TEXTURE_MAG_FILTER;
        glValue = FilterToGl(value);
        break;
    case kWrapS:
        glParameter = GL_TEXTURE_WRAP_S;
        glValue = WrapToGl(value);
        break;
    case kWrapT:
        glParameter = GL_TEXTURE_WRAP_T;
        glValue = WrapToGl(value);
        break;
    default: return false;
    }
    return glValue != 0;
}

}  // namespace

extern "C" OV_API int OvTextureCreate(OvHandle* handle) {
    if (!handle) return 0;
    *handle = ov::Textures().Create();
    return OvHandleIsEmpty(*handle) ? 0 : 1;
}

extern "C" OV_API int OvTextureLoad(OvHandle handle, const char* path, int) {
    ov::Texture* texture = ov::Textures().Find(handle);
    if (!texture || !path) return 0;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return 0;
    return SetFromSizedMemory(*texture, bytes.data(), bytes.size(), path) ? 1 : 0;
}

extern "C" OV_API int OvTextureLoadFromMemory(OvHandle handle, const void* data, int) {
    ov::Texture* texture = ov::Textures().Find(handle);
    if (!texture || !data) return 0;
    const auto* bytes = static_cast<const uint8_t*>(data);
    ov::EncodedSpan span;
    if (ov::LocateEncodedImage(bytes, ov::kMaxEncodedBytes, span) != ov::SpanResult::Found) {
        PlatformReportFailure("engine: image format refused: memory without a size");
        return 0;
    }
    return SetDecoded(*texture, bytes + span.offset, span.length) ? 1 : 0;
}

extern "C" OV_API int OvTextureLoadFromMemorySized(OvHandle handle, const void* data, uint32_t size, int) {
    ov::Texture* texture = ov::Textures().Find(handle);
    if (!texture || !data || size == 0) return 0;
    return SetFromSizedMemory(*texture, static_cast<const uint8_t*>(data), size, "memory") ? 1 : 0;
}

extern "C" OV_API int OvImageProbe(const void* data, uint32_t size, int* width, int* height) {
    int w = 0, h = 0;
    if (!data || !ov::ProbeImageBlock(static_cast<const uint8_t*>(data), size, w, h)) return 0;
    if (width) *width = w;
    if (height) *height = h;
    return 1;
}

extern "C" OV_API int OvTextureLoadEmpty(OvHandle handle, int width, int height, int) {
    ov::Texture* texture = ov::Textures().Find(handle);
    if (!texture || !SizeAllowed(width, height)) return 0;
    std::vector<uint8_t> zeros(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    return SetPixelsAndBind(*texture, width, height, zeros.data());
}

extern "C" OV_API int OvTextureFromRender(OvHandle handle, int x, int y, int width, int height, int) {
    ov::Texture* texture = ov::Textures().Find(handle);
    if (!texture || texture->Locked() || !SizeAllowed(width, height)) return 0;
    ov::FlushBatch();
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    if (!ov::ReadTargetBackBuffer(x, y, width, height, pixels.data())) return 0;
    return SetPixelsAndBind(*texture, width, height, pixels.data());
}

extern "C" OV_API void OvTextureParameter(int parameter, float value) {
    ov::Texture* bound = ov::Textures().Bound();
    GLenum glParameter = 0, glValue = 0;
    if (!bound || !ov::GlAvailable() || !ParameterToGl(parameter, static_cast<int>(value), glParameter, glValue)) {
        return;
    }
    ov::FlushBatch();
    ov::SetTextureParameter(bound->glName, glParameter, static_cast<int>(glValue));
}

extern "C" OV_API void* OvTextureGet(OvHandle handle, int query) {
    ov::Texture* texture = ov::Textures().Find(handle);
    if (!texture) return nullptr;
    switch (query) {
    case OV_TEXTURE_WIDTH: return &texture->width;
    case OV_TEXTURE_HEIGHT: return &texture->height;
    case OV_TEXTURE_BYTES: return &texture->byteSize;
    case OV_TEXTURE_GL_NAME: return &texture->glName;
    default: return nullptr;
    }
}

extern "C" OV_API void* OvTextureLock(OvHandle handle, int) {
    ov::Texture* texture = ov::Textures().Find(handle);
    return texture ? ov::Textures().Lock(*texture) : nullptr;
}

extern "C" OV_API void OvTextureUnlock(OvHandle handle, int flag) {
    ov::Texture* texture = ov::Textures().Find(handle);
    if (texture) ov::Textures().Unlock(*texture, flag != 0);
}

extern "C" OV_API void OvTextureActivate(OvHandle handle) { ov::Textures().Activate(handle); }

extern "C" OV_API void OvTextureUnactivate(void) { ov::Textures().Bind(nullptr); }

extern "C" OV_API void OvTextureDestroy(OvHandle handle) {
    ov::Texture* texture = ov::Textures().Find(handle);
    if (texture) ov::Textures().Destroy(*texture);
}

void OvTextureShutdown() { ov::Textures().DestroyAll(); }
