// The matrix and perspective-camera functions of the engine's C interface.
#include "ovcore/engine/matrix/MatrixModes.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/RenderContext.h"

#include <cmath>
#include <cstring>

extern "C" OV_API void OvMatrixMode(int mode) { ov::Matrices().Select(mode); }

extern "C" OV_API void OvMatrixIdentity(void) { ov::Matrices().Replace(ov::Matrix4::Identity()); }

extern "C" OV_API void OvMatrixPush(void) { ov::Matrices().Push(); }

extern "C" OV_API void OvMatrixPop(void) { ov::Matrices().Pop(); }

extern "C" OV_API void OvMatrixTranslate(double x, double y, double z) { ov::Matrices().Translate(x, y, z); }

extern "C" OV_API void OvMatrixRotate(double degrees, double x, double y, double z) {
    // A turn by 0 is the identity; sprite drawing asks for two of them per
    // sprite, so they are skipped rather than multiplied.
    if (degrees == 0.0) return;
    ov::Matrices().Rotate(degrees, x, y, z);
}

extern "C" OV_API void OvMatrixScale(double x, double y, double z) { ov::Matrices().Scale(x, y, z); }

extern "C" OV_API void OvMatrixSave(int mode, void* out) {
    if (!out || (mode != OV_MATRIX_PROJECTION && mode != OV_MATRIX_MODELVIEW)) return;
    ov::Matrix4 matrix = ov::MatrixModes::Of(mode);
    std::memcpy(out, matrix.m, sizeof(matrix.m));
}

extern "C" OV_API void OvMatrixLoad(const void* in) {
    if (!in) return;
    ov::Matrix4 matrix;
    std::memcpy(matrix.m, in, sizeof(matrix.m));
    ov::Matrices().Replace(matrix);
}

namespace {

double OrDefault(double value, double fallback) { return value == 0.0 ? fallback : value; }

}  // namespace

extern "C" OV_API int OvCameraPerspective(double fieldOfView, double aspect, double nearPlane, double farPlane,
                                          double eyeX, double eyeY, double eyeZ, double, int yDown) {
    ov::RenderContext& render = ov::Render();
    const ov::RenderTarget* target = render.Current();
    if (target) {
        fieldOfView = OrDefault(fieldOfView, target->fieldOfView);
        nearPlane = OrDefault(nearPlane, target->nearPlane);
        farPlane = OrDefault(farPlane, target->farPlane);
        int width = target->viewport[ov::kViewportWidth];
        int height = target->viewport[ov::kViewportHeight];
        if (aspect == 0.0 && height > 0) aspect = static_cast<double>(width) / height;
    }
    bool valid = fieldOfView > 0.0 && fieldOfView < 180.0 && aspect > 0.0 && std::isfinite(aspect) && nearPlane > 0.0 &&
                 farPlane > nearPlane && std::isfinite(farPlane) && std::isfinite(eyeX) && std::isfinite(eyeY) &&
                 std::isfinite(eyeZ);
    if (!valid) return 0;
    render.ApplyViewport();
    ov::Matrix4 view = ov::Matrix4::Translation(-eyeX, -eyeY, -eyeZ);
    if (yDown) view = ov::Matrix4::Scaling(1.0, -1.0, 1.0) * view;
    ov::Matrix4 projection = ov::Matrix4::Perspective(fieldOfView, aspect, nearPlane, farPlane) * view;
    render.SetProjection(projection.m);
    render.ResetModelView();
    return 1;
}
