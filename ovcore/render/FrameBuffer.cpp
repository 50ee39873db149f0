#include "ovcore/render/FrameBuffer.h"

#include "ovcore/foundation/EngineHandle.h"

namespace OvCore {

namespace {

int QueryInt(OvHandle frameBuffer, int query) {
    const auto* value = static_cast<const int32_t*>(OvFrameBufferGet(frameBuffer, query));
    return value ? *value : 0;
}

}  // namespace

bool OV_FRAMEBUFFER::Create(int width, int height, unsigned char flag) {
    return OvFrameBufferCreate(&handle, width, height, flag) != 0;
}

bool OV_FRAMEBUFFER::CreateFromTexture(OvHandle texture, unsigned char flag) {
    return OvFrameBufferCreateFromTexture(&handle, texture, flag) != 0;
}

void OV_FRAMEBUFFER::Destroy() {
    OvFrameBufferDestroy(handle);
    handle = EmptyHandle();
    projectionSaved = false;
}

bool OV_FRAMEBUFFER::Activate(bool flipVertically) {
    if (!OvFrameBufferActivate(handle)) return false;
    OvMatrixSave(OV_MATRIX_PROJECTION, savedProjection);
    projectionSaved = true;
    const double width = GetWidth(), height = GetHeight();
    if (flipVertically)
        OvCameraOrtho(0.0, height, width, -height, 0.0);
    else
        OvCameraOrtho(0.0, 0.0, width, height, 0.0);
    return true;
}

void OV_FRAMEBUFFER::Deactivate(bool makeMipmaps) {
    OvFrameBufferUnactivate(handle);
    if (makeMipmaps) OvFrameBufferMipmap(handle);
    OvMatrixMode(OV_MATRIX_PROJECTION);
    if (projectionSaved) OvMatrixLoad(savedProjection);
    projectionSaved = false;
    OvMatrixMode(OV_MATRIX_MODELVIEW);
}

void OV_FRAMEBUFFER::ActivateTexture() const { OvFrameBufferActivateTexture(handle); }

int OV_FRAMEBUFFER::GetWidth() const { return QueryInt(handle, OV_FRAMEBUFFER_WIDTH); }

int OV_FRAMEBUFFER::GetHeight() const { return QueryInt(handle, OV_FRAMEBUFFER_HEIGHT); }

OvHandle OV_FRAMEBUFFER::GetTexture() const {
    const auto* texture = static_cast<const OvHandle*>(OvFrameBufferGet(handle, OV_FRAMEBUFFER_TEXTURE));
    return texture ? *texture : EmptyHandle();
}

bool OV_FRAMEBUFFER::SwapTexture(OvHandle texture) { return OvFrameBufferSwapTexture(handle, texture) != 0; }

bool OV_FRAMEBUFFER::UseFbo() { return OvFrameBufferUseFBO(handle) != 0; }

}  // namespace OvCore
