#include "ovcore/world/Actor2D.h"

#include <algorithm>
#include <cmath>

namespace OvCore {

namespace {

double DistanceSquared(double x1, double y1, double x2, double y2) {
    return (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
}

}  // namespace

void OV_ACTOR2D::Draw(bool useArrays) const {
    sprite.DrawTransformed(position, OV_ANGLES(rotation.x, rotation.y, rotation.z, rotation.w), scale, useArrays);
}

bool OV_ACTOR2D::DrawIfVisible(double x, double y, double width, double height, bool useArrays) const {
    const double r = VisibilityRadius();
    const bool overlaps =
        x < position.x + r && y < position.y + r && x + width > position.x - r && y + height > position.y - r;
    if (overlaps) Draw(useArrays);
    return overlaps;
}

// The farthest of the four corners, so that an origin on a centre line (for
// example a sprite hung from the middle of its top edge) still covers the
// whole image.
float OV_ACTOR2D::VisibilityRadius() const {
    const double w = sprite.width, h = sprite.height;
    const double ox = sprite.originX, oy = sprite.originY;
    const double farthest = std::max({DistanceSquared(ox, oy, 0, 0), DistanceSquared(ox, oy, w, 0),
                                      DistanceSquared(ox, oy, 0, h), DistanceSquared(ox, oy, w, h)});
    return static_cast<float>(std::sqrt(farthest));
}

}  // namespace OvCore
