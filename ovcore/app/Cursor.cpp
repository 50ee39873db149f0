#include "ovcore/app/Cursor.h"

#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/Platform.h"

namespace OvCore {

namespace {

const WORD kSystemIds[] = {32512, 32513, 32514, 32650, 32515, 32649, 32648, 32646, 32645, 32644, 32642, 32643};

}  // namespace

bool OV_CURSOR::LoadSystem(OV_SYSTEM_CURSOR shape) {
    const auto index = static_cast<int32_t>(shape);
    if (index < 0 || index >= static_cast<int32_t>(sizeof(kSystemIds) / sizeof(kSystemIds[0]))) return false;
    Release();
    handle = LoadCursorA(nullptr, MAKEINTRESOURCEA(kSystemIds[index]));
    owned = false;
    return handle != nullptr;
}

bool OV_CURSOR::LoadFromPixels(const void* rgba, int width, int height, int hotX, int hotY) {
    HCURSOR made = PlatformCreateCursor(static_cast<const unsigned char*>(rgba), width, height, hotX, hotY);
    if (!made) return false;
    Release();
    handle = made;
    owned = true;
    return true;
}

bool OV_CURSOR::LoadFromTexture(OvHandle texture, int hotX, int hotY) {
    const auto* width = static_cast<const int*>(OvTextureGet(texture, OV_TEXTURE_WIDTH));
    const auto* height = static_cast<const int*>(OvTextureGet(texture, OV_TEXTURE_HEIGHT));
    if (!width || !height) return false;
    const int w = *width, h = *height;
    const void* pixels = OvTextureLock(texture, 0);
    if (!pixels) {
        PlatformReportFailure("app: cursor not made: texture %u: no pixels to read", texture.word1);
        return false;
    }
    const bool made = LoadFromPixels(pixels, w, h, hotX, hotY);
    OvTextureUnlock(texture, 0);
    return made;
}

bool OV_CURSOR::Apply() const {
    if (!handle) return false;
    SetCursor(handle);
    return PlatformCurrentCursor() == handle;
}

void OV_CURSOR::Release() {
    if (owned && handle) DestroyCursor(handle);
    handle = nullptr;
    owned = false;
}

}  // namespace OvCore
