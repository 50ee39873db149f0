#include "game/BouncingActor.h"

#include "ovcore/app/LoopState.h"
#include "ovcore/engine/OrvoCore.h"
#include "game/Substeps.h"
#include "game/TileMap.h"
#include "ovcore/render/TextureCollection.h"
#include "ovcore/world/FrameStep.h"

#include <algorithm>
#include <cmath>

namespace OvCore {

namespace {

constexpr double kFriction = 250.0;
constexpr double kGravity = 700.0;
constexpr double kStopSpeed = 45.0;
constexpr double kSpinPerSpeed = 6.0;
constexpr double kRestSpeed = 0.3;
constexpr double kSubstepLength = 8.0;
constexpr float kRestPerSecond = 33.0f;
constexpr int kColourState = 255;
// The bounce tests look at most 3 pixels away; one more covers the rounding
// of the summed substeps.
constexpr double kTestReach = 4.0;
constexpr double kSearchedMove = 512.0;

void SetDrawingColour(double alpha) { OvSetState(kColourState, 1.0, 1.0, 1.0, alpha); }

}  // namespace

BouncingActor::BouncingActor(const OV_VECTOR& position, const OV_VECTOR& velocity, const BOUNCE_STYLE& style)
    : velocity(velocity),
      style_(style) {
    this->position = position;
    SetName(style.name);
    sprite = *Textures().Get(style.texture, 0);
}

void BouncingActor::OnBounce(double) {}

void BouncingActor::OnUpdate(int32_t) {
    const float dt = LoopState().delta;
    previousPosition = position;
    RollOrFall(dt);
    angle = static_cast<float>(angle + velocity.x * kSpinPerSpeed * dt);
    const double speed = velocity.Length();
    const double steps = speed < kRestSpeed ? 0.0 : speed / kSubstepLength;
    const int64_t count = SubstepCount(steps);
    if (count > 0)
        MoveInSubsteps(dt, steps, count);
    else
        restTimer += kRestPerSecond * dt;
    if (restTimer >= kRestLimit) World().KillActor(this);
}

// On the ground the object loses horizontal speed and stops bouncing once
// slow; in the air it falls.
void BouncingActor::RollOrFall(float dt) {
    const bool grounded = IsSolid(position.x - 4, position.y + 5) || IsSolid(position.x + 4, position.y + 5);
    if (!grounded) {
        velocity.y += kGravity * dt;
        return;
    }
    if (velocity.x < 0) {
        velocity.x += kFriction * dt;
        if (velocity.x > 0) velocity.x = 0;
    }
    if (velocity.x > 0) {
        velocity.x -= kFriction * dt;
        if (velocity.x < 0) velocity.x = 0;
    }
    if (velocity.Length() < kStopSpeed) velocity.y = 0;
}

// Once an axis has bounced, it is not tested again in this frame. Far from
// every solid cell no test can fire, so the substeps only add up.
void BouncingActor::MoveInSubsteps(float dt, double steps, int64_t count) {
    const double stepX = dt * velocity.x / steps, stepY = dt * velocity.y / steps;
    if (!SolidCellsNear(stepX * count, stepY * count)) {
        for (int64_t i = 0; i < count; ++i) {
            position.x += stepX;
            position.y += stepY;
        }
        return;
    }
    bool hitX = false, hitY = false;
    for (int64_t i = 0; i < count; ++i) {
        position.x += dt * velocity.x / steps;
        position.y += dt * velocity.y / steps;
        if (!hitX) hitX = BounceHorizontally();
        if (!hitY) hitY = BounceVertically();
    }
}

// Whether a solid cell lies within reach of the bounce tests anywhere along
// a move by (dx, dy). Long moves are not searched and count as near.
bool BouncingActor::SolidCellsNear(double dx, double dy) const {
    if (!(std::fabs(dx) < kSearchedMove && std::fabs(dy) < kSearchedMove)) return true;
    const double x = position.x, y = position.y;
    return GameMap().AnySolidIn(std::min(x, x + dx) - kTestReach, std::min(y, y + dy) - kTestReach,
                                std::max(x, x + dx) + kTestReach, std::max(y, y + dy) + kTestReach);
}

// Both directions are tested, so the two bounces of an axis can happen in
// the same substep.
bool BouncingActor::BounceHorizontally() {
    bool hit = false;
    if (velocity.x < 0 && (IsSolid(position.x - 3, position.y - 2) || IsSolid(position.x - 3, position.y + 2))) {
        Bounce(velocity.x);
        position.x += 1;
        hit = true;
    }
    if (velocity.x > 0 && (IsSolid(position.x + 3, position.y - 2) || IsSolid(position.x + 3, position.y + 2))) {
        Bounce(velocity.x);
        position.x -= 1;
        hit = true;
    }
    return hit;
}

bool BouncingActor::BounceVertically() {
    bool hit = false;
    if (velocity.y > 0 && (IsSolid(position.x, position.y + 3) || IsSolid(position.x + 2, position.y + 3))) {
        Bounce(velocity.y);
        position.y -= 1;
        hit = true;
    }
    if (velocity.y < 0 && (IsSolid(position.x, position.y - 3) || IsSolid(position.x + 2, position.y - 3))) {
        Bounce(velocity.y);
        position.y += 1;
        hit = true;
    }
    return hit;
}

void BouncingActor::Bounce(double& component) {
    component *= style_.bounceFactor;
    OnBounce(component);
}

void BouncingActor::OnRender(int32_t) {
    const OV_TEXTURE* texture = Textures().Access(FIND, style_.texture, 0).Value();
    if (!texture) return;
    if (velocity.Length() > 0)
        DrawTrail(*texture);
    else
        DrawResting(*texture);
    SetDrawingColour(1.0);
}

// trailCopies images from the current position back towards the previous
// one (one more when rounding leaves the last step short of the distance).
void BouncingActor::DrawTrail(const OV_TEXTURE& texture) const {
    SetDrawingColour(style_.trailAlpha);
    const OV_VECTOR back = previousPosition - position;
    const double length = back.Length();
    const double stride = length / style_.trailCopies;
    const OV_VECTOR step = back.Normalized() * stride;
    OV_VECTOR at = position;
    double travelled = 0.0;
    // The copy limit also ends the loop when the stride rounds to nothing.
    for (int copy = 0; copy <= style_.trailCopies && length > travelled; ++copy) {
        texture.DrawTransformed(at, OV_ANGLES(angle, 0, 0, 0), OV_VECTOR(1, 1, 0, 1), true);
        travelled += stride;
        at += step;
    }
}

// Opaque (and beyond) until the rest time passes 0, then fading to nothing
// as it reaches kRestLimit.
void BouncingActor::DrawResting(const OV_TEXTURE& texture) const {
    SetDrawingColour((kRestLimit - restTimer) / kRestLimit);
    texture.DrawTransformed(position, OV_ANGLES(angle, 0, 0, 0), OV_VECTOR(1, 1, 0, 1), true);
}

}  // namespace OvCore
