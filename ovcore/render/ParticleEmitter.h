// OV_PARTICLE_EMITTER: a pool of point particles, emitted, moved, faded and drawn.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/Angles.h"
#include "ovcore/foundation/VectorF.h"
#include "ovcore/render/Particle.h"
#include "ovcore/render/SlotQueue.h"

#include <cstdint>
#include <vector>

namespace OvCore {

// A fixed pool of point particles: emitted at a point (once, or on a timer,
// optionally spread along the path the emitter moved since its last timed
// emission) with random motion, lifetime and colour drawn from the ranges
// below, moved and faded every frame, recycled when they die, and drawn as
// one engine call over the whole pool (free slots are parked out of sight
// with a transparent colour). Only Resize allocates.
class OV_PARTICLE_EMITTER {
public:
    OV_SLOT_QUEUE freeSlots;  // taken from the front, given back at the end
    std::vector<uint32_t> liveSlots;  // in emission order
    std::vector<OV_PARTICLE> particles;  // the pool
    std::vector<OV_VECTORF> positions;  // one point per slot, drawn as is
    std::vector<OV_VECTORF> colours;  // one colour per slot
    bool bufferFlag;  // drawing happens only while false
    bool enabled = true;  // false stops updates and drawing
    bool smoothPoints = false;  // draws round points (OV_STATE_SMOOTH_POINTS)
    bool inclusiveEnd = true;  // path emission also emits at the path's end
    double pointSize = 1.0;  // point size in pixels; above 1 sets OV_STATE_POINT_SIZE while drawing
    OV_VECTORF position{0, 0, 0, 1};  // where particles are emitted
    // The position at the last timed emission, where path emission starts.
    OV_VECTORF previousPosition{0, 0, 0, 1};
    float spacing = 0;  // between particles along the path; 0 turns path emission off
    // Each emission draws a value between min and max: direction in degrees, speed in
    // units a second, offset from the emission point, lifetime in seconds,
    // acceleration in units a second a second, colour (channels 0..1):
    OV_ANGLES directionMin, directionMax;  // degrees
    float speedMin = 0, speedMax = 0;
    OV_VECTORF offsetMin{0, 0, 0, 1}, offsetMax{0, 0, 0, 1};
    float lifetimeMin = 0, lifetimeMax = 0;
    OV_VECTORF accelerationMin{0, 0, 0, 1}, accelerationMax{0, 0, 0, 1};
    OV_VECTORF colourMin{1, 1, 1, 1}, colourMax{1, 1, 1, 1};
    bool independentChannels = false;  // one random fraction per colour channel
    float fade = 1.0f;  // alpha at age 0; it falls to 0 over the lifetime
    OvHandle texture{1, 0};  // point-sprite texture; empty for plain points
    bool paused = false;  // stops timed emission only
    float timer = 0;  // seconds to the next timed emission
    float interval = 0;  // 0 or less turns timed emission off
    int32_t burst = 0;  // particles per timed emission
    OV_PARTICLE_CALLBACK onEmit = nullptr;  // called for each particle as it is emitted; null: none

    OV_PARTICLE_EMITTER();

    // Sizes the pool to capacity slots, all free.
    void Resize(uint32_t capacity);
    // One random particle at `at`; nothing when no slot is free.
    void Emit(const OV_VECTORF& at);
    // Stores the given record in a free slot (with the slot's pointers and
    // index), its point and colour; nothing when no slot is free.
    void EmitParticle(const OV_PARTICLE& particle, const OV_VECTORF& at, const OV_VECTORF& colour);
    // One frame of LoopState().delta: timed emission, then motion. A callback
    // runs after the built-in motion when callbackAfterMotion, else instead of it.
    void Update(OV_PARTICLE_CALLBACK callback, bool callbackAfterMotion);
    // The same with an explicit frame time.
    void Step(float dt, OV_PARTICLE_CALLBACK callback, bool callbackAfterMotion);
    void Draw();  // draws every live particle in one engine call; nothing when disabled or empty
    void Release();  // frees the pool; capacity 0

    uint32_t Capacity() const { return static_cast<uint32_t>(particles.size()); }  // slots in the pool

private:
    bool TakeFreeSlot(uint32_t* slot);
    void EmitTimed();
    void EmitAlongPath();
    void Move(OV_PARTICLE& particle, float dt) const;
    void Kill(OV_PARTICLE& particle);
    OV_VECTORF RandomColour() const;
};

}  // namespace OvCore
