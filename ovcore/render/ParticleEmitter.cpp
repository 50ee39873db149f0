#include "ovcore/render/ParticleEmitter.h"

#include "ovcore/app/LoopState.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/Geometry.h"
#include "ovcore/foundation/MathHelpers.h"

#include <limits>

namespace OvCore {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
const OV_VECTORF kParkedAfterResize{kInfinity, kInfinity, kInfinity, 1};
const OV_VECTORF kParkedAfterDeath{kInfinity, 0, 0, 1};
const OV_VECTORF kTransparent{0, 0, 0, 0};

float Between(float a, float b) { return float(a + Random(double(b) - a)); }
double Between(double a, double b) { return a + Random(b - a); }

OV_VECTORF RandomBetween(const OV_VECTORF& a, const OV_VECTORF& b) {
    return {Between(a.x, b.x), Between(a.y, b.y), Between(a.z, b.z), 1};
}

}  // namespace

OV_PARTICLE_EMITTER::OV_PARTICLE_EMITTER() : bufferFlag(OvVertexBufferInit() != 0) {}

void OV_PARTICLE_EMITTER::Resize(uint32_t capacity) {
    particles.assign(capacity, OV_PARTICLE{});
    positions.assign(capacity, kParkedAfterResize);
    colours.assign(capacity, kTransparent);
    liveSlots.clear();
    liveSlots.reserve(capacity);
    freeSlots.Reset(capacity);
    for (uint32_t slot = 0; slot < capacity; ++slot) {
        particles[slot].index = slot;
        freeSlots.PushBack(slot);
    }
    bufferFlag = false;
}

bool OV_PARTICLE_EMITTER::TakeFreeSlot(uint32_t* slot) {
    if (particles.empty() || freeSlots.Empty()) return false;
    *slot = freeSlots.PopFront();
    liveSlots.push_back(*slot);
    return true;
}

OV_VECTORF OV_PARTICLE_EMITTER::RandomColour() const {
    if (!independentChannels) {
        const double t = Random(1);
        return {float(Lerp(colourMin.x, colourMax.x, t)), float(Lerp(colourMin.y, colourMax.y, t)),
                float(Lerp(colourMin.z, colourMax.z, t)), float(Lerp(colourMin.w, colourMax.w, t))};
    }
    const double r = Random(1), g = Random(1), b = Random(1), a = Random(1);
    return {float(Lerp(colourMin.x, colourMax.x, r)), float(Lerp(colourMin.y, colourMax.y, g)),
            float(Lerp(colourMin.z, colourMax.z, b)), float(Lerp(colourMin.w, colourMax.w, a))};
}

void OV_PARTICLE_EMITTER::Emit(const OV_VECTORF& at) {
    uint32_t slot = 0;
    if (!TakeFreeSlot(&slot)) return;
    OV_PARTICLE& particle = particles[slot];
    particle.position = &positions[slot];
    particle.colour = &colours[slot];
    particle.index = slot;
    particle.age = 0;
    particle.fade = fade;
    positions[slot] = at + RandomBetween(offsetMin, offsetMax);
    particle.lifetime = Between(lifetimeMin, lifetimeMax);
    const float speed = Between(speedMin, speedMax);
    const OV_ANGLES angles(Between(directionMin.x, directionMax.x), Between(directionMin.y, directionMax.y),
                           Between(directionMin.z, directionMax.z), 0);
    const OV_VECTOR velocity = Lengthdir(angles, speed);
    particle.velocity = {float(velocity.x), float(velocity.y), float(velocity.z), float(velocity.w)};
    particle.acceleration = RandomBetween(accelerationMin, accelerationMax);
    colours[slot] = RandomColour();
    if (onEmit) onEmit(&particle);
}

void OV_PARTICLE_EMITTER::EmitParticle(const OV_PARTICLE& record, const OV_VECTORF& at, const OV_VECTORF& colour) {
    uint32_t slot = 0;
    if (!TakeFreeSlot(&slot)) return;
    OV_PARTICLE& particle = particles[slot];
    particle = record;
    particle.position = &positions[slot];
    particle.colour = &colours[slot];
    particle.index = slot;
    positions[slot] = at;
    colours[slot] = colour;
    if (onEmit) onEmit(&particle);
}

void OV_PARTICLE_EMITTER::Update(OV_PARTICLE_CALLBACK callback, bool callbackAfterMotion) {
    Step(LoopState().delta, callback, callbackAfterMotion);
}

void OV_PARTICLE_EMITTER::Step(float dt, OV_PARTICLE_CALLBACK callback, bool callbackAfterMotion) {
    if (!enabled) return;
    if (!paused && interval > 0) {
        timer -= dt;
        bool emitted = false;
        while (timer <= 0) {
            timer += interval;
            EmitTimed();
            emitted = true;
        }
        // The path of the next emission starts where this one ended.
        if (emitted) previousPosition = position;
    }
    const bool builtInMotion = !callback || callbackAfterMotion;
    size_t kept = 0;
    for (size_t i = 0; i < liveSlots.size(); ++i) {
        OV_PARTICLE& particle = particles[liveSlots[i]];
        const bool movable = particle.position && particle.colour && particle.lifetime > 0;
        if (movable && particle.lifetime > particle.age) {
            particle.age += dt;
            if (builtInMotion) Move(particle, dt);
            if (callback) callback(&particle);
        }
        if (particle.lifetime > 0 && particle.lifetime <= particle.age) {
            Kill(particle);
            continue;
        }
        liveSlots[kept++] = liveSlots[i];
    }
    liveSlots.resize(kept);
}

void OV_PARTICLE_EMITTER::EmitTimed() {
    for (int32_t n = 0; n < burst; ++n) {
        if (spacing > 0) {
            EmitAlongPath();
        } else {
            Emit(position);
        }
    }
}

// Stops once the pool is full: a far jump of the emitter would otherwise
// walk a long path emitting nothing.
void OV_PARTICLE_EMITTER::EmitAlongPath() {
    const OV_VECTORF path = position - previousPosition;
    const float length = path.Length();
    const OV_VECTORF step = path.Normalized() * spacing;
    OV_VECTORF at = previousPosition;
    for (float travelled = 0; inclusiveEnd ? travelled <= length : travelled < length; travelled += spacing) {
        if (freeSlots.Empty()) return;
        Emit(at);
        at += step;
    }
}

void OV_PARTICLE_EMITTER::Move(OV_PARTICLE& particle, float dt) const {
    OV_VECTORF& point = *particle.position;
    point.x += particle.velocity.x * dt;
    point.y += particle.velocity.y * dt;
    point.z += particle.velocity.z * dt;
    particle.velocity.x += particle.acceleration.x * dt;
    particle.velocity.y += particle.acceleration.y * dt;
    particle.velocity.z += particle.acceleration.z * dt;
    float life = particle.age / particle.lifetime;
    if (life > 1) life = 1;
    if (life < 0) life = 0;
    particle.colour->w = (1 - life) * particle.fade;
}

void OV_PARTICLE_EMITTER::Kill(OV_PARTICLE& particle) {
    particle.position = nullptr;
    particle.colour = nullptr;
    particle.age = 0;
    particle.lifetime = 0;
    positions[particle.index] = kParkedAfterDeath;
    colours[particle.index] = kTransparent;
    freeSlots.PushBack(particle.index);
}

void OV_PARTICLE_EMITTER::Draw() {
    if (!enabled || liveSlots.empty() || particles.empty()) return;
    const bool textured = !IsEmptyHandle(texture);
    if (textured) {
        OvTextureActivate(texture);
    } else {
        OvTextureUnactivate();
    }
    const bool largePoints = pointSize > 1;
    if (largePoints) OvSetState(OV_STATE_POINT_SIZE, pointSize);
    if (smoothPoints) OvSetState(OV_STATE_SMOOTH_POINTS, 1);
    if (textured) {
        OvSetState(OV_STATE_POINT_SPRITES, 1);
        OvSetState(OV_STATE_POINT_SPRITE_COORDS, 1);
    }
    if (!bufferFlag) {
        OvDrawData(OV_PRIMITIVE_POINTS, 0, static_cast<int>(Capacity()), positions.data(), colours.data(), nullptr,
                   nullptr, nullptr, OV_COMPONENTS_FLOAT, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    }
    if (largePoints) OvSetState(OV_STATE_POINT_SIZE, 1.0);
    if (smoothPoints) OvSetState(OV_STATE_SMOOTH_POINTS, 0);
    if (textured) {
        OvSetState(OV_STATE_POINT_SPRITES, 0);
        OvSetState(OV_STATE_POINT_SPRITE_COORDS, 0);
    }
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
}

void OV_PARTICLE_EMITTER::Release() {
    std::vector<OV_PARTICLE>().swap(particles);
    std::vector<OV_VECTORF>().swap(positions);
    std::vector<OV_VECTORF>().swap(colours);
    std::vector<uint32_t>().swap(liveSlots);
    freeSlots.Release();
}

}  // namespace OvCore
