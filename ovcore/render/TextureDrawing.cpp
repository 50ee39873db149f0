#include "ovcore/render/Texture.h"

#include "ovcore/foundation/EngineHandle.h"

namespace OvCore {

namespace {

constexpr int kQuads = 11;
constexpr int kCornerCount = 4;
constexpr int kComponentsDouble = 3;
constexpr int kComponentsPerVertex = 4;

void DrawQuadArrays(const OV_VECTOR* positions, const OV_VECTOR* coords) {
    OvDrawData(kQuads, 0, kCornerCount, positions, nullptr, coords, nullptr, nullptr, kComponentsDouble, 0, 0, 0, 0, 0,
               0, kComponentsPerVertex, 0, 0, 0, 0, 0, 0, 0);
}

void DrawQuadImmediate(const OV_VECTOR* positions, const OV_VECTOR* coords) {
    OvPrimitiveBegin(kQuads);
    for (int corner = 0; corner < kCornerCount; ++corner) {
        OvPutTexvertex(coords[corner].x, coords[corner].y, 0.0, 1.0);
        OvPutVertex(positions[corner].x, positions[corner].y, 0.0, 1.0);
    }
    OvPrimitiveEnd();
}

// The immediate path of Draw and DrawTransformed shows the whole image.
const OV_VECTOR kUnitCoords[kCornerCount] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

// The quad over (x1, y1) .. (x2, y2), corners in drawing order, showing
// texture coordinates (0, 0) .. (s, t).
struct RectQuad {
    OV_VECTOR positions[kCornerCount];
    OV_VECTOR coords[kCornerCount];

    RectQuad(double x1, double y1, double x2, double y2, double s, double t)
        : positions{{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}},
          coords{{0, 0}, {s, 0}, {s, t}, {0, t}} {}
};

}  // namespace

void OV_TEXTURE::DrawQuad(const OV_VECTOR* positions, const OV_VECTOR* coords, bool useArrays) const {
    OvTextureActivate(GetCurrentFrame());
    if (useArrays)
        DrawQuadArrays(positions, coords);
    else
        DrawQuadImmediate(positions, coords);
}

void OV_TEXTURE::Draw(bool useArrays) const {
    if (IsEmptyHandle(GetCurrentFrame())) return;
    DrawQuad(corners, useArrays ? texcoords : kUnitCoords, useArrays);
}

// Push, identity, translate, turn about x, y and z, scale, draw, pop: the
// batched path asks the engine for all of it in one call.
void OV_TEXTURE::DrawTransformed(OV_VECTOR position, OV_ANGLES rotation, OV_VECTOR scale, bool useArrays) const {
    const OvHandle frame = GetCurrentFrame();
    if (IsEmptyHandle(frame)) return;
    if (useArrays) {
        // x, y and z of a vector lie side by side; the turns go z, y, x.
        const double turns[3] = {rotation.z, rotation.y, rotation.x};
        OvDrawTransformedQuad(frame, &position.x, turns, &scale.x, &corners[0].x, &texcoords[0].x);
        return;
    }
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(position.x, position.y, position.z);
    OvMatrixRotate(rotation.z, 1, 0, 0);
    OvMatrixRotate(rotation.y, 0, 1, 0);
    OvMatrixRotate(rotation.x, 0, 0, 1);
    OvMatrixScale(scale.x, scale.y, scale.z);
    DrawQuad(corners, kUnitCoords, false);
    OvMatrixPop();
}

void OV_TEXTURE::DrawRect(double x1, double y1, double x2, double y2, float s, float t, bool useArrays) const {
    if (IsEmptyHandle(GetCurrentFrame())) return;
    const RectQuad quad(x1, y1, x2, y2, s, t);
    DrawQuad(quad.positions, quad.coords, useArrays);
}

void OV_TEXTURE::DrawTiled(double x1, double y1, double x2, double y2, float scaleS, float scaleT,
                           bool useArrays) const {
    if (IsEmptyHandle(GetCurrentFrame()) || width <= 0 || height <= 0) return;
    const double s = static_cast<double>(scaleS) * (x2 - x1) / width;
    const double t = static_cast<double>(scaleT) * (y2 - y1) / height;
    const RectQuad quad(x1, y1, x2, y2, s, t);
    DrawQuad(quad.positions, quad.coords, useArrays);
}

}  // namespace OvCore
