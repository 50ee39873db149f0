// Orthographic camera.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderContext.h"

#include <cstring>

extern "C" OV_API void OvCameraOrtho(double x, double y, double width, double height, double zoom) {
    ov::RenderContext& render = ov::Render();
    render.ApplyViewport();
    if (width == 0.0 || height == 0.0) return;
    if (!(zoom > 0.0)) zoom = 1.0;
    double centreX = x + width / 2.0;
    double centreY = y + height / 2.0;
    double halfWidth = width / (2.0 * zoom);
    double halfHeight = height / (2.0 * zoom);
    render.SetOrtho(centreX - halfWidth, centreX + halfWidth, centreY - halfHeight, centreY + halfHeight);
    render.ResetModelView();
}

extern "C" OV_API int OvRenderMatrixRead(int mode, double* matrix16) {
    if (!matrix16) return 0;
    const double* source = mode == OV_MATRIX_PROJECTION  ? ov::Render().Projection()
                           : mode == OV_MATRIX_MODELVIEW ? ov::Render().ModelView()
                                                         : nullptr;
    if (!source) return 0;
    std::memcpy(matrix16, source, 16 * sizeof(double));
    return 1;
}
