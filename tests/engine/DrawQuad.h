// A textured quad drawn through the engine's generic draw entry, the way the
// renderer and shader tests fill an area.
#pragma once

#include "ovcore/engine/OrvoCore.h"

struct Vec4 {
    double x, y, z, w;
};

// Corners (x1, y1) to (x2, y2), texture coordinates 0..1, optional colour per corner.
inline void DrawQuad(double x1, double y1, double x2, double y2, const double* colours = nullptr) {
    const Vec4 corners[4] = {{x1, y1, 0, 1}, {x2, y1, 0, 1}, {x2, y2, 0, 1}, {x1, y2, 0, 1}};
    const Vec4 texcoords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, colours, texcoords, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0,
               0);
}
