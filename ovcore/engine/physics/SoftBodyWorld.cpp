#include "ovcore/engine/physics/SoftBodyWorld.h"

#include "ovcore/engine/render/StateTable.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>

namespace ov {

namespace {

constexpr float kPixelsPerMetre = static_cast<float>(OV_PIXELS_PER_METRE);
constexpr double kStep = OV_PHYSICS_STEP;
constexpr double kLongestAdvance = 10.0;
constexpr double kLongestFrame = 0.25;
constexpr int32 kVelocityIterations = 8;
constexpr int32 kPositionIterations = 3;
constexpr float kDampingRatio = 0.5f;

b2Vec2 ToMetres(const OvFour& pixels) {
    return {static_cast<float>(pixels.x / kPixelsPerMetre), static_cast<float>(pixels.y / kPixelsPerMetre)};
}

Substance* SubstanceOf(uintptr_t pointer) { return reinterpret_cast<Substance*>(pointer); }

double NowSeconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

}  // namespace

// Solid substances of different DNAs meet; nothing else does.
class SoftBodyWorld::ContactFilter : public b2ContactFilter {
public:
    bool ShouldCollide(b2Fixture* a, b2Fixture* b) override {
        const Substance* first = SubstanceOf(a->GetUserData().pointer);
        const Substance* second = SubstanceOf(b->GetUserData().pointer);
        return first && second && first->solid && second->solid && first->dna != second->dna;
    }
};

// A body's joints go with it: their forces learn it here.
class SoftBodyWorld::JointListener : public b2DestructionListener {
public:
    explicit JointListener(bool* jointsDirty) : jointsDirty_(jointsDirty) {}
    void SayGoodbye(b2Joint* joint) override {
        if (auto* force = reinterpret_cast<CovalenceForce*>(joint->GetUserData().pointer)) force->joint = nullptr;
        *jointsDirty_ = true;
    }
    void SayGoodbye(b2Fixture*) override {}

private:
    bool* jointsDirty_;
};

SoftBodyWorld::SoftBodyWorld() = default;
SoftBodyWorld::~SoftBodyWorld() { Reset(); }

SoftBodyWorld& SoftBodies() {
    static SoftBodyWorld world;
    return world;
}

b2World& SoftBodyWorld::Physics() {
    if (!world_) {
        world_ = std::make_unique<b2World>(b2Vec2(0.0f, 0.0f));
        filter_ = std::make_unique<ContactFilter>();
        listener_ = std::make_unique<JointListener>(&jointsDirty_);
        world_->SetContactFilter(filter_.get());
        world_->SetDestructionListener(listener_.get());
    }
    return *world_;
}

Dna* SoftBodyWorld::FindDna(OvHandle handle) { return Find<Dna>(handle); }
Substance* SoftBodyWorld::FindSubstance(OvHandle handle) { return Find<Substance>(handle); }
CovalenceForce* SoftBodyWorld::FindForce(OvHandle handle) { return Find<CovalenceForce>(handle); }
Surface* SoftBodyWorld::FindSurface(OvHandle handle) { return Find<Surface>(handle); }

template <class T>
OvHandle SoftBodyWorld::New() {
    auto object = std::make_unique<Object>(std::in_place_type<T>);
    T& made = std::get<T>(*object);
    const OvHandle handle = objects_.Add(std::move(object));
    if (!OvHandleIsEmpty(handle)) made.id = handle.word1;
    return handle;
}

OvHandle SoftBodyWorld::NewDna() { return New<Dna>(); }
OvHandle SoftBodyWorld::NewSubstance() { return New<Substance>(); }
OvHandle SoftBodyWorld::NewSurface() { return New<Surface>(); }

OvHandle SoftBodyWorld::NewForce() {
    const OvHandle handle = New<CovalenceForce>();
    if (CovalenceForce* force = FindForce(handle)) force->made = forcesMade_++;
    return handle;
}

void SoftBodyWorld::DestroyDna(Dna& dna) { Remove(dna.id); }

void SoftBodyWorld::DestroySubstance(Substance& substance) {
    UnlinkSubstance(substance);
    Remove(substance.id);
}

void SoftBodyWorld::DestroyForce(CovalenceForce& force) {
    UnlinkForce(force);
    Remove(force.id);
}

void SoftBodyWorld::DestroySurface(Surface& surface) { Remove(surface.id); }

void SoftBodyWorld::LinkSubstance(Substance& substance, uint32_t dna) {
    substance.dna = dna;
    if (!substance.body) {
        b2BodyDef definition;
        definition.position = ToMetres(substance.position);
        definition.fixedRotation = true;
        definition.linearDamping = static_cast<float>(OV_PHYSICS_DRAG);
        definition.userData.pointer = reinterpret_cast<uintptr_t>(&substance);
        substance.body = Physics().CreateBody(&definition);
    }
    ReshapeSubstance(substance);
}

void SoftBodyWorld::UnlinkSubstance(Substance& substance) {
    substance.dna = 0;
    if (!substance.body) return;
    Physics().DestroyBody(substance.body);
    substance.body = nullptr;
    jointsDirty_ = true;
    // Box2D keeps the memory of destroyed objects and hands it out again in
    // the order it was given back; a world built anew on that memory steps
    // up to half again as slowly as a new one. An empty world holds nothing
    // else, so it goes, and the next substance starts a new one.
    if (world_->GetBodyCount() == 0) world_.reset();
}

// The mass is set directly (the circle has no density), so a substance
// weighs what it says whatever its range.
void SoftBodyWorld::ReshapeSubstance(Substance& substance) {
    b2Body* body = substance.body;
    if (!body) return;
    while (b2Fixture* fixture = body->GetFixtureList()) body->DestroyFixture(fixture);
    const bool pinned = !(substance.mass > 0);
    body->SetType(pinned ? b2_staticBody : b2_dynamicBody);
    if (substance.range > 0) {
        b2CircleShape circle;
        circle.m_radius = static_cast<float>(substance.range / kPixelsPerMetre);
        b2FixtureDef fixture;
        fixture.shape = &circle;
        fixture.density = 0.0f;
        fixture.friction = 0.4f;
        fixture.restitution = 0.1f;
        fixture.userData.pointer = reinterpret_cast<uintptr_t>(&substance);
        body->CreateFixture(&fixture);
    }
    if (!pinned) {
        b2MassData mass{static_cast<float>(substance.mass), b2Vec2(0.0f, 0.0f), 0.0f};
        body->SetMassData(&mass);
    }
    body->SetAwake(true);
    jointsDirty_ = true;
}

void SoftBodyWorld::PlaceSubstance(Substance& substance, bool stop) {
    b2Body* body = substance.body;
    if (!body) return;
    body->SetTransform(ToMetres(substance.position), 0.0f);
    if (stop) body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    body->SetAwake(true);
}

void SoftBodyWorld::LinkForce(CovalenceForce& force, uint32_t dna) {
    force.dna = dna;
    jointsDirty_ = true;
}

void SoftBodyWorld::UnlinkForce(CovalenceForce& force) {
    force.dna = 0;
    if (force.joint) Physics().DestroyJoint(force.joint);
    force.joint = nullptr;
}

void SoftBodyWorld::ReconnectForce(CovalenceForce& force) {
    if (force.joint) Physics().DestroyJoint(force.joint);
    force.joint = nullptr;
    jointsDirty_ = true;
}

void SoftBodyWorld::TuneForce(CovalenceForce& force) {
    b2DistanceJoint* joint = force.joint;
    if (!joint) return;
    const float length = static_cast<float>(std::max(force.length, 0.0) / kPixelsPerMetre);
    joint->SetLength(length);
    joint->SetMaxLength(FLT_MAX);
    if (force.resilience > 0) {
        joint->SetMinLength(0.0f);
        float stiffness = 0, damping = 0;
        b2LinearStiffness(stiffness, damping, static_cast<float>(force.resilience), kDampingRatio, joint->GetBodyA(),
                          joint->GetBodyB());
        joint->SetStiffness(stiffness);
        joint->SetDamping(damping);
    } else {
        joint->SetMinLength(joint->GetLength());
        joint->SetMaxLength(joint->GetLength());
        joint->SetStiffness(0.0f);
        joint->SetDamping(0.0f);
    }
    joint->GetBodyA()->SetAwake(true);
    joint->GetBodyB()->SetAwake(true);
}

// Joints follow their substances' bodies and masses; rebuilt only after
// something changed, never in a quiet step. Missing joints are made in the
// order their forces were created (Box2D solves joints in the order they
// were made, and the table's slot order depends on its history), so the
// same scene always simulates the same.
void SoftBodyWorld::RebuildJoints() {
    jointsDirty_ = false;
    std::vector<CovalenceForce*>& unjoined = unjoinedScratch_;
    unjoined.clear();
    objects_.ForEach([this, &unjoined](OvHandle, Object& object) {
        CovalenceForce* force = std::get_if<CovalenceForce>(&object);
        if (!force || force->dna == 0) return;
        if (force->joint) {
            TuneForce(*force);
        } else {
            unjoined.push_back(force);
        }
    });
    std::sort(unjoined.begin(), unjoined.end(),
              [](const CovalenceForce* a, const CovalenceForce* b) { return a->made < b->made; });
    for (CovalenceForce* force : unjoined) Join(*force);
}

void SoftBodyWorld::Join(CovalenceForce& force) {
    const Substance* first = FindSubstance(force.ends[0]);
    const Substance* second = FindSubstance(force.ends[1]);
    if (!first || !second || !first->body || !second->body || first->body == second->body) return;
    b2DistanceJointDef definition;
    definition.bodyA = first->body;
    definition.bodyB = second->body;
    definition.length = static_cast<float>(std::max(force.length, 0.0) / kPixelsPerMetre);
    definition.userData.pointer = reinterpret_cast<uintptr_t>(&force);
    force.joint = static_cast<b2DistanceJoint*>(Physics().CreateJoint(&definition));
    TuneForce(force);
}

void SoftBodyWorld::Step() {
    ++steps_;
    if (!world_ || world_->GetBodyCount() == 0) return;
    if (jointsDirty_) RebuildJoints();
    const double* gravity = static_cast<const double*>(States().Get(StateTable::kGravity));
    world_->SetGravity(
        b2Vec2(static_cast<float>(gravity[0] / kPixelsPerMetre), static_cast<float>(gravity[1] / kPixelsPerMetre)));
    world_->Step(static_cast<float>(kStep), kVelocityIterations, kPositionIterations);
    ReadPositions();
}

void SoftBodyWorld::ReadPositions() {
    for (b2Body* body = world_->GetBodyList(); body; body = body->GetNext()) {
        if (body->GetType() == b2_staticBody || !body->IsAwake()) continue;
        Substance* substance = SubstanceOf(body->GetUserData().pointer);
        const b2Vec2 at = body->GetPosition();
        substance->position.x = static_cast<double>(at.x) * kPixelsPerMetre;
        substance->position.y = static_cast<double>(at.y) * kPixelsPerMetre;
    }
}

// A small tolerance keeps n calls of 1/n second from losing a step to
// rounding.
void SoftBodyWorld::Advance(double seconds) {
    if (!(seconds > 0) || !std::isfinite(seconds)) return;
    accumulator_ += std::min(seconds, kLongestAdvance);
    while (accumulator_ >= kStep - 1e-9) {
        Step();
        accumulator_ -= kStep;
    }
    if (accumulator_ < 0) accumulator_ = 0;
}

void SoftBodyWorld::AdvanceAtPresent() {
    const int clock = *static_cast<const int*>(States().Get(StateTable::kPhysicsClock));
    if (clock != 0) {
        lastPresent_ = -1;
        return;
    }
    const double now = NowSeconds();
    if (lastPresent_ >= 0) Advance(std::min(now - lastPresent_, kLongestFrame));
    lastPresent_ = now;
}

void SoftBodyWorld::Reset() {
    objects_.ForEach([](OvHandle, Object& object) {
        if (auto* substance = std::get_if<Substance>(&object)) substance->body = nullptr;
        if (auto* force = std::get_if<CovalenceForce>(&object)) force->joint = nullptr;
    });
    world_.reset();
    objects_.Clear();
    accumulator_ = 0;
    lastPresent_ = -1;
    jointsDirty_ = false;
}

}  // namespace ov
