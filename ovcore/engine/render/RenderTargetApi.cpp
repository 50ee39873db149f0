// The render-target functions of the engine's C interface.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/engine/render/RenderShutdown.h"
#include "ovcore/engine/render/RenderTargetTable.h"

namespace {

constexpr int kQueryFirst = OV_TARGET_X;
constexpr int kQueryLast = OV_TARGET_WINDOW_HEIGHT;
constexpr OvHandle kEmptyHandle{1, 0};

}  // namespace

extern "C" OV_API int OvRenderTargetCreate(OvHandle* target, void* window, int flags, int bitsPerPixel) {
    if (!target) return 0;
    *target = kEmptyHandle;
    ov::RenderTarget* created = ov::RenderTargets().Create(window, flags, bitsPerPixel);
    if (!created) return 0;
    *target = OvHandle{0, created->id};
    return 1;
}

extern "C" OV_API void OvRenderTargetArea(OvHandle target, int x, int y, int width, int height, double fieldOfView,
                                          double nearPlane, double farPlane, double scale) {
    ov::RenderTarget* found = ov::RenderTargets().Find(target);
    if (!found) return;
    found->viewport[ov::kViewportX] = x;
    found->viewport[ov::kViewportY] = y;
    found->viewport[ov::kViewportWidth] = width;
    found->viewport[ov::kViewportHeight] = height;
    found->fieldOfView = fieldOfView;
    found->nearPlane = nearPlane;
    found->farPlane = farPlane;
    found->scale = scale;
    if (ov::Render().Current() == found) ov::Render().ApplyViewport();
}

extern "C" OV_API int OvRenderTargetActivate(OvHandle target) {
    return ov::Render().Activate(ov::RenderTargets().Find(target)) ? 1 : 0;
}

extern "C" OV_API void* OvRenderTargetGet(OvHandle target, int query) {
    ov::RenderTarget* found = ov::RenderTargets().Find(target);
    if (!found || query < kQueryFirst || query > kQueryLast) return nullptr;
    if (query == kQueryLast) found->RefreshWindowHeight();
    return &found->viewport[query - kQueryFirst];
}

extern "C" OV_API int OvRenderTargetShare(OvHandle target, OvHandle shareWith) {
    ov::RenderTarget* found = ov::RenderTargets().Find(target);
    ov::RenderTarget* other = ov::RenderTargets().Find(shareWith);
    if (!found || !other) return 0;
    found->shareRequest = other->id;
    return 1;
}

extern "C" OV_API void OvRenderTargetDestroy(OvHandle target) {
    ov::RenderTargets().Destroy(ov::RenderTargets().Find(target));
}

void OvRenderShutdown() {
    OvFrameBufferShutdown();
    OvTextureShutdown();
    ov::RenderTargets().DestroyAll();
}
