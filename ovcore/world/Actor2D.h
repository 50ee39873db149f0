// OV_ACTOR2D: an actor drawn as a sprite.
#pragma once

#include "ovcore/render/Texture.h"
#include "ovcore/world/Actor.h"

namespace OvCore {

// An actor drawn as a sprite. The sprite is a copy of a texture of the
// texture collection and shares its engine textures, so deleting the actor
// never releases them.
class OV_ACTOR2D : public OV_ACTOR {
public:
    OV_TEXTURE sprite;  // a copy of a collection texture; its engine textures are shared

    // The sprite at the actor's position, rotation (x is the angle) and scale.
    void Draw(bool useArrays) const;
    // Draws only when the square of side 2r around position overlaps the
    // rectangle (x, y, width, height), r being VisibilityRadius(). True when drawn.
    bool DrawIfVisible(double x, double y, double width, double height, bool useArrays) const;
    // The distance from the sprite's origin to its farthest corner.
    float VisibilityRadius() const;
};

}  // namespace OvCore
