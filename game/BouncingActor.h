#pragma once

#include "ovcore/foundation/Vector.h"
#include "ovcore/world/Actor2D.h"

#include <cstdint>

namespace OvCore {

// What sets a ball apart from a gib: its name, its texture, how much speed a
// bounce keeps, and its trail (copies drawn between the previous and the
// current position, and their alpha).
struct BOUNCE_STYLE {
    const char* name;
    const char* texture;
    double bounceFactor;
    int trailCopies;
    double trailAlpha;
};

// A small object thrown into the tile map: it falls, rolls to a stop on the
// ground, bounces off solid cells, moving in one substep per 8 pixels per
// second of speed, rests,
// fades out and then lists itself for deletion. While moving it is drawn as a
// translucent trail.
class BouncingActor : public OV_ACTOR2D {
public:
    OV_VECTOR previousPosition{0.0, 0.0, 0.0, 1.0};
    OV_VECTOR velocity;
    float angle = 0.0f;
    // Grows while the object lies still; at kRestLimit the object dies.
    float restTimer = -100.0f;

    static constexpr float kRestLimit = 100.0f;

    void OnUpdate(int32_t unused) override;
    void OnRender(int32_t unused) override;

protected:
    // style must outlive the actor.
    BouncingActor(const OV_VECTOR& position, const OV_VECTOR& velocity, const BOUNCE_STYLE& style);
    // After each bounce, with the bounced velocity component.
    virtual void OnBounce(double bouncedVelocity);

private:
    const BOUNCE_STYLE& style_;

    void RollOrFall(float dt);
    void MoveInSubsteps(float dt, double steps, int64_t count);
    bool SolidCellsNear(double dx, double dy) const;
    bool BounceHorizontally();
    bool BounceVertically();
    void Bounce(double& component);
    void DrawTrail(const OV_TEXTURE& texture) const;
    void DrawResting(const OV_TEXTURE& texture) const;
};

}  // namespace OvCore
