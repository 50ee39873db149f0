// OV_ACTOR: the base of the game world's objects.
#pragma once

#include "ovcore/foundation/Vector.h"

#include <cstdint>

namespace OvCore {

// An object of the game world: a name, a place, a rotation and a scale.
// The world calls the three operations once a frame (update, draw) and once
// before deleting the actor; each takes a value that carries nothing (the
// world always passes 0). Actors read the frame time from LoopState().delta.
// The virtual destructor lets the world delete derived actors through a
// base pointer.
class OV_ACTOR {
public:
    // SetName copies at most this many bytes, then the terminator.
    static constexpr int kNameCopyLimit = 122;

    char name[128] = {};  // zero-terminated; SetName fills it
    OV_VECTOR position{0.0, 0.0, 0.0, 1.0};  // where the actor is (pixels, w = 1)
    OV_VECTOR rotation{0.0, 0.0, 0.0, 0.0};  // x is the angle in degrees (OV_ANGLES' convention)
    OV_VECTOR scale{1.0, 1.0, 1.0, 1.0};  // factors along x and y; 1 is the sprite's size
    // Larger depths are updated and drawn first (behind) once sorted.
    float depth = 0.0f;

    OV_ACTOR() = default;
    // Sets the four members as given.
    OV_ACTOR(const OV_VECTOR& position, const OV_VECTOR& rotation, const OV_VECTOR& scale, float depth);
    virtual ~OV_ACTOR() = default;

    // Once a frame (update, draw) and once before deletion; they do nothing here:
    virtual void OnUpdate(int32_t unused);
    virtual void OnDestroy(int32_t unused);
    virtual void OnRender(int32_t unused);

    // A null text empties the name; longer texts are cut at kNameCopyLimit.
    void SetName(const char* text);
    // Byte-wise equality of the name with text; false for null.
    bool NameIs(const char* text) const;
};

}  // namespace OvCore
