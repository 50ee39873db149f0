// The one simulated world of every DNA (Box2D): the objects by handle, the
// bodies and joints of the linked ones, and the fixed-step clock.
#pragma once

#include "ovcore/engine/core/HandleTable.h"
#include "ovcore/engine/physics/SoftBodyObjects.h"

#include <memory>
#include <variant>
#include <vector>

class b2World;

namespace ov {

class SoftBodyWorld {
public:
    SoftBodyWorld();
    ~SoftBodyWorld();

    Dna* FindDna(OvHandle handle);
    Substance* FindSubstance(OvHandle handle);
    CovalenceForce* FindForce(OvHandle handle);
    Surface* FindSurface(OvHandle handle);

    // OV_NULL_HANDLE when the table is full.
    OvHandle NewDna();
    OvHandle NewSubstance();
    OvHandle NewForce();
    OvHandle NewSurface();
    void DestroyDna(Dna& dna);
    void DestroySubstance(Substance& substance);
    void DestroyForce(CovalenceForce& force);
    void DestroySurface(Surface& surface);

    // Linking puts the object into the simulation (a body, a joint), and
    // unlinking takes it out; the object itself lives on.
    void LinkSubstance(Substance& substance, uint32_t dna);
    void UnlinkSubstance(Substance& substance);
    void LinkForce(CovalenceForce& force, uint32_t dna);
    void UnlinkForce(CovalenceForce& force);

    // Property changes reach the body or joint of a linked object.
    void PlaceSubstance(Substance& substance, bool stop);
    void ReshapeSubstance(Substance& substance);
    void ReconnectForce(CovalenceForce& force);
    void TuneForce(CovalenceForce& force);

    // Moves time on by whole fixed steps; the remainder waits for the next call.
    void Advance(double seconds);
    // At each presented frame: the real time since the previous one, when
    // the clock state says so.
    void AdvanceAtPresent();
    // Destroys every object (at the engine's closure).
    void Reset();

    uint64_t StepsTaken() const { return steps_; }

private:
    class ContactFilter;
    class JointListener;
    // The four kinds share one table, so a handle of one kind never finds
    // an object of another.
    using Object = std::variant<Dna, Substance, CovalenceForce, Surface>;

    template <class T>
    T* Find(OvHandle handle) {
        Object* object = objects_.Find(handle);
        return object ? std::get_if<T>(object) : nullptr;
    }
    template <class T>
    OvHandle New();
    void Remove(uint32_t id) { objects_.Destroy(OvHandle{0, id}); }

    void Step();
    void RebuildJoints();
    void Join(CovalenceForce& force);
    void ReadPositions();
    b2World& Physics();

    HandleTable<Object> objects_{"soft-body object"};
    std::unique_ptr<b2World> world_;
    std::unique_ptr<ContactFilter> filter_;
    std::unique_ptr<JointListener> listener_;
    std::vector<CovalenceForce*> unjoinedScratch_;
    uint64_t forcesMade_ = 0;
    bool jointsDirty_ = false;
    double accumulator_ = 0;
    double lastPresent_ = -1;
    uint64_t steps_ = 0;
};

SoftBodyWorld& SoftBodies();

}  // namespace ov
