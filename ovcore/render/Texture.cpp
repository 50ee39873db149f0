#include "ovcore/render/Texture.h"

#include "ovcore/data/DiskFile.h"
#include "ovcore/data/Package.h"
#include "ovcore/foundation/EngineHandle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace OvCore {

namespace {

constexpr int kLockForReading = 1;

int QueryInt(OvHandle handle, int query) {
    const auto* value = static_cast<const int32_t*>(OvTextureGet(handle, query));
    return value ? *value : 0;
}

}  // namespace

OV_TEXTURE::OV_TEXTURE() : OV_TEXTURE(0, 0, 0, 0, 0, 0, 0, 0) {}

OV_TEXTURE::OV_TEXTURE(int32_t width, int32_t height, int32_t originX, int32_t originY, int32_t boxWidth,
                       int32_t boxHeight, int32_t boxOriginX, int32_t boxOriginY) {
    SetGeometry(width, height, originX, originY, boxWidth, boxHeight, boxOriginX, boxOriginY);
}

void OV_TEXTURE::SetGeometry(int32_t newWidth, int32_t newHeight, int32_t newOriginX, int32_t newOriginY,
                             int32_t newBoxWidth, int32_t newBoxHeight, int32_t newBoxOriginX, int32_t newBoxOriginY) {
    width = newWidth;
    height = newHeight;
    originX = newOriginX;
    originY = newOriginY;
    boxWidth = newBoxWidth < 0 ? newWidth : newBoxWidth;
    boxHeight = newBoxHeight < 0 ? newHeight : newBoxHeight;
    boxOriginX = newBoxOriginX;
    boxOriginY = newBoxOriginY;
    RebuildQuad();
}

void OV_TEXTURE::RebuildQuad() {
    const double left = -originX, top = -originY;
    const double right = static_cast<double>(width) - originX, bottom = static_cast<double>(height) - originY;
    corners[0] = OV_VECTOR(left, top);
    corners[1] = OV_VECTOR(right, top);
    corners[2] = OV_VECTOR(right, bottom);
    corners[3] = OV_VECTOR(left, bottom);
    texcoords[0] = OV_VECTOR(0, 0);
    texcoords[1] = OV_VECTOR(1, 0);
    texcoords[2] = OV_VECTOR(1, 1);
    texcoords[3] = OV_VECTOR(0, 1);
}

template <class Loader>
bool OV_TEXTURE::AddLoadedFrame(Loader loader, int minFilter, int magFilter) {
    OvHandle handle = EmptyHandle();
    OvTextureCreate(&handle);
    if (IsEmptyHandle(handle)) return false;
    if (!loader(handle)) {
        OvTextureDestroy(handle);
        return false;
    }
    OvTextureParameter(TEXTURE_MIN_FILTER, static_cast<float>(minFilter));
    OvTextureParameter(TEXTURE_MAG_FILTER, static_cast<float>(magFilter));
    OvTextureUnactivate();
    frames.push_back(handle);
    width = std::max(width, QueryInt(handle, TEXTURE_QUERY_WIDTH));
    height = std::max(height, QueryInt(handle, TEXTURE_QUERY_HEIGHT));
    return true;
}

bool OV_TEXTURE::FinishCreation(int framesBefore, int32_t newOriginX, int32_t newOriginY, int32_t newBoxWidth,
                                int32_t newBoxHeight, int32_t newBoxOriginX, int32_t newBoxOriginY) {
    if (GetFrameCount() == framesBefore) return false;
    SetFrame(0.0f);
    SetGeometry(width, height, newOriginX, newOriginY, newBoxWidth, newBoxHeight, newBoxOriginX, newBoxOriginY);
    loaded = true;
    return true;
}

bool OV_TEXTURE::Load(const char* fileList, int loadFlag, int minFilter, int magFilter, int32_t newOriginX,
                      int32_t newOriginY, int32_t newBoxWidth, int32_t newBoxHeight, int32_t newBoxOriginX,
                      int32_t newBoxOriginY) {
    if (!fileList) return false;
    const int framesBefore = GetFrameCount();
    std::string path;
    std::string_view rest(fileList);
    while (!rest.empty()) {
        const size_t end = std::min(rest.find(';'), rest.size());
        path.assign(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (path.empty()) continue;
        AddLoadedFrame([&](OvHandle h) { return OvTextureLoad(h, path.c_str(), loadFlag) != 0; }, minFilter, magFilter);
    }
    return FinishCreation(framesBefore, newOriginX, newOriginY, newBoxWidth, newBoxHeight, newBoxOriginX,
                          newBoxOriginY);
}

bool OV_TEXTURE::LoadFromMemory(const void* const* images, int count, int loadFlag, int minFilter, int magFilter,
                                int32_t newOriginX, int32_t newOriginY, int32_t newBoxWidth, int32_t newBoxHeight,
                                int32_t newBoxOriginX, int32_t newBoxOriginY) {
    if (!images || count <= 0) return false;
    const int framesBefore = GetFrameCount();
    for (int i = 0; i < count; ++i) {
        const void* image = images[i];
        if (!image) continue;
        AddLoadedFrame([&](OvHandle h) { return OvTextureLoadFromMemory(h, image, loadFlag) != 0; }, minFilter,
                       magFilter);
    }
    return FinishCreation(framesBefore, newOriginX, newOriginY, newBoxWidth, newBoxHeight, newBoxOriginX,
                          newBoxOriginY);
}

bool OV_TEXTURE::LoadFromRender(int x, int y, int renderWidth, int renderHeight, int minFilter, int magFilter,
                                int32_t newOriginX, int32_t newOriginY, int32_t newBoxWidth, int32_t newBoxHeight,
                                int32_t newBoxOriginX, int32_t newBoxOriginY) {
    const int framesBefore = GetFrameCount();
    AddLoadedFrame([&](OvHandle h) { return OvTextureFromRender(h, x, y, renderWidth, renderHeight, 1) != 0; },
                   minFilter, magFilter);
    return FinishCreation(framesBefore, newOriginX, newOriginY, newBoxWidth, newBoxHeight, newBoxOriginX,
                          newBoxOriginY);
}

bool OV_TEXTURE::LoadEmpty(int emptyWidth, int emptyHeight, int minFilter, int magFilter, int32_t newOriginX,
                           int32_t newOriginY, int32_t newBoxWidth, int32_t newBoxHeight, int32_t newBoxOriginX,
                           int32_t newBoxOriginY) {
    if (emptyWidth < 1 || emptyHeight < 1) return false;
    const int framesBefore = GetFrameCount();
    AddLoadedFrame([&](OvHandle h) { return OvTextureLoadEmpty(h, emptyWidth, emptyHeight, 1) != 0; }, minFilter,
                   magFilter);
    return FinishCreation(framesBefore, newOriginX, newOriginY, newBoxWidth, newBoxHeight, newBoxOriginX,
                          newBoxOriginY);
}

void OV_TEXTURE::CenterOrigin() {
    originX = width / 2;
    originY = height / 2;
    RebuildQuad();
}

void OV_TEXTURE::ResetBox() {
    boxWidth = width;
    boxHeight = height;
    boxOriginX = originX;
    boxOriginY = originY;
}

bool OV_TEXTURE::SetFrame(float index) {
    // trunc(index) lies in [0, count) exactly when index lies in (-1, count);
    // the comparison also refuses NaN before any conversion.
    if (index > -1.0f && index < static_cast<float>(frames.size())) {
        current = static_cast<int>(index);
        framePosition = index;
        return true;
    }
    current = -1;
    framePosition = -1.0f;
    return false;
}

void OV_TEXTURE::Animate(float delta) {
    if (frames.empty()) {
        current = -1;
        framePosition = 0.0f;
        return;
    }
    const float startPosition = framePosition;
    const float target = framePosition + delta;
    if (!std::isfinite(target)) return;
    const int frameCount = static_cast<int>(frames.size());
    const double count = frameCount;
    const double position = std::fmod(static_cast<double>(target), count);
    framePosition = static_cast<float>(position);
    if (current < 0) {
        // No frame was selected: the new position names the frame.
        current = (static_cast<int>(position) + frameCount) % frameCount;
        return;
    }
    // Stepping |steps| times with wrap-around lands where the step count
    // modulo the frame count does; no loop over the steps.
    const double steps = std::trunc(static_cast<double>(target)) - std::trunc(static_cast<double>(startPosition));
    const int wrappedSteps = static_cast<int>(std::fmod(steps, count));
    current = ((current + wrappedSteps) % frameCount + frameCount) % frameCount;
}

bool OV_TEXTURE::AddFrame(OvHandle handle) {
    if (IsEmptyHandle(handle)) return false;
    frames.push_back(handle);
    return true;
}

bool OV_TEXTURE::RemoveFrame(OvHandle handle) {
    if (IsEmptyHandle(handle)) return false;
    const auto found =
        std::find_if(frames.begin(), frames.end(), [&](OvHandle frame) { return SameHandle(frame, handle); });
    if (found == frames.end()) return false;
    const int removed = static_cast<int>(found - frames.begin());
    frames.erase(found);
    if (current < 0) return true;
    if (frames.empty()) {
        SetFrame(-1.0f);
        return true;
    }
    if (current > removed) {
        --current;
        framePosition -= 1.0f;
    } else if (current == removed && current >= GetFrameCount()) {
        current = GetFrameCount() - 1;
        framePosition = static_cast<float>(current);
    }
    return true;
}

OvHandle OV_TEXTURE::GetCurrentFrame() const {
    return current >= 0 && current < GetFrameCount() ? frames[current] : EmptyHandle();
}

void* OV_TEXTURE::Lock(int* outWidth, int* outHeight) {
    const OvHandle frame = GetCurrentFrame();
    if (IsEmptyHandle(frame)) return nullptr;
    void* pixels = OvTextureLock(frame, 0);
    if (!pixels) return nullptr;
    if (outWidth) *outWidth = QueryInt(frame, TEXTURE_QUERY_WIDTH);
    if (outHeight) *outHeight = QueryInt(frame, TEXTURE_QUERY_HEIGHT);
    return pixels;
}

void OV_TEXTURE::Unlock(int flag) {
    const OvHandle frame = GetCurrentFrame();
    if (!IsEmptyHandle(frame)) OvTextureUnlock(frame, flag);
}

bool OV_TEXTURE::SaveFrame(const char* path) const {
    const OvHandle frame = GetCurrentFrame();
    if (!path || IsEmptyHandle(frame)) return false;
    const void* pixels = OvTextureLock(frame, kLockForReading);
    if (!pixels) return false;
    const int bytes = QueryInt(frame, TEXTURE_QUERY_BYTES);
    const bool written = bytes > 0 && DiskFile::Replace(path, 0, pixels, static_cast<uint32_t>(bytes));
    OvTextureUnlock(frame, 0);
    return written;
}

bool OV_TEXTURE::SavePack(const char* path) const {
    if (!path || frames.empty()) return false;
    std::vector<OV_PACKAGE_FILE> entries;
    entries.reserve(frames.size());
    for (const OvHandle frame : frames) {
        const void* pixels = OvTextureLock(frame, kLockForReading);
        const int bytes = QueryInt(frame, TEXTURE_QUERY_BYTES);
        if (!pixels || bytes <= 0) continue;
        OV_PACKAGE_FILE entry;
        entry.name.Format("%u", static_cast<unsigned>(entries.size()));
        if (entry.file.Write(pixels, static_cast<uint32_t>(bytes))) entries.push_back(std::move(entry));
    }
    const bool saved =
        !entries.empty() && OV_PACKAGE::SavePackage(path, entries.data(), static_cast<uint32_t>(entries.size()));
    for (const OvHandle frame : frames) OvTextureUnlock(frame, 0);
    return saved;
}

void OV_TEXTURE::Release(bool keepEngineTextures) {
    if (loaded) {
        loaded = false;
        if (!keepEngineTextures)
            for (const OvHandle frame : frames) OvTextureDestroy(frame);
    }
    frames.clear();
    SetFrame(-1.0f);
}

}  // namespace OvCore
