// Substances, covalence forces and surfaces: creation, properties, queries.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/physics/SoftBodyWorld.h"

#include <cmath>

namespace {

using ov::SoftBodies;

// Values the simulation's single-precision arithmetic can still carry.
bool Bounded(double value, double limit) { return std::isfinite(value) && std::fabs(value) <= limit; }

bool Finite(const OvFour& v) {
    return Bounded(v.x, OV_PHYSICS_MAX_LENGTH) && Bounded(v.y, OV_PHYSICS_MAX_LENGTH) && std::isfinite(v.z) &&
           std::isfinite(v.w);
}

}  // namespace

extern "C" OV_API int OvSubstanceCreate(OvHandle* substance) {
    if (!substance) return 0;
    *substance = SoftBodies().NewSubstance();
    return OvHandleIsEmpty(*substance) ? 0 : 1;
}

extern "C" OV_API void OvSubstanceSetPosition(OvHandle handle, OvFour position, int stop) {
    ov::Substance* substance = SoftBodies().FindSubstance(handle);
    if (!substance || !Finite(position)) return;
    substance->position = position;
    SoftBodies().PlaceSubstance(*substance, stop != 0);
}

extern "C" OV_API void OvSubstanceSetMass(OvHandle handle, double mass) {
    ov::Substance* substance = SoftBodies().FindSubstance(handle);
    if (!substance || !Bounded(mass, OV_PHYSICS_MAX_MASS)) return;
    substance->mass = mass;
    SoftBodies().ReshapeSubstance(*substance);
}

extern "C" OV_API void OvSubstanceSetRange(OvHandle handle, double range) {
    ov::Substance* substance = SoftBodies().FindSubstance(handle);
    if (!substance || !Bounded(range, OV_PHYSICS_MAX_LENGTH)) return;
    substance->range = range;
    SoftBodies().ReshapeSubstance(*substance);
}

extern "C" OV_API void OvSubstanceSetSolid(OvHandle handle, int solid) {
    ov::Substance* substance = SoftBodies().FindSubstance(handle);
    if (!substance) return;
    substance->solid = solid != 0;
    SoftBodies().ReshapeSubstance(*substance);
}

extern "C" OV_API void* OvSubstanceGet(OvHandle handle, int property) {
    ov::Substance* substance = SoftBodies().FindSubstance(handle);
    if (!substance) return nullptr;
    switch (property) {
    case OV_SUBSTANCE_POSITION: return &substance->position;
    case OV_SUBSTANCE_MASS: return &substance->mass;
    case OV_SUBSTANCE_RANGE: return &substance->range;
    case OV_SUBSTANCE_SOLID: return &substance->solid;
    default: return nullptr;
    }
}

extern "C" OV_API void OvSubstanceDestroy(OvHandle handle) {
    if (ov::Substance* substance = SoftBodies().FindSubstance(handle)) SoftBodies().DestroySubstance(*substance);
}

extern "C" OV_API int OvCovalenceForceCreate(OvHandle* force) {
    if (!force) return 0;
    *force = SoftBodies().NewForce();
    return OvHandleIsEmpty(*force) ? 0 : 1;
}

extern "C" OV_API void OvCovalenceForceSetSubstance(OvHandle handle, int end, OvHandle substance) {
    ov::CovalenceForce* force = SoftBodies().FindForce(handle);
    if (!force || (end != OV_FORCE_FIRST && end != OV_FORCE_SECOND)) return;
    force->ends[end - OV_FORCE_FIRST] = substance;
    SoftBodies().ReconnectForce(*force);
}

extern "C" OV_API void OvCovalenceForceSetResilience(OvHandle handle, double resilience) {
    ov::CovalenceForce* force = SoftBodies().FindForce(handle);
    if (!force || !Bounded(resilience, OV_PHYSICS_MAX_RESILIENCE)) return;
    force->resilience = resilience;
    SoftBodies().TuneForce(*force);
}

extern "C" OV_API void OvCovalenceForceSetForce(OvHandle handle, double restLength) {
    ov::CovalenceForce* force = SoftBodies().FindForce(handle);
    if (!force || !Bounded(restLength, OV_PHYSICS_MAX_LENGTH)) return;
    force->length = restLength;
    SoftBodies().TuneForce(*force);
}

extern "C" OV_API void* OvCovalenceForceGet(OvHandle handle, int property) {
    ov::CovalenceForce* force = SoftBodies().FindForce(handle);
    if (!force) return nullptr;
    switch (property) {
    case OV_FORCE_FIRST: return &force->ends[0];
    case OV_FORCE_SECOND: return &force->ends[1];
    case OV_FORCE_LENGTH: return &force->length;
    case OV_FORCE_RESILIENCE: return &force->resilience;
    default: return nullptr;
    }
}

extern "C" OV_API void OvCovalenceForceDestroy(OvHandle handle) {
    if (ov::CovalenceForce* force = SoftBodies().FindForce(handle)) SoftBodies().DestroyForce(*force);
}

extern "C" OV_API int OvSurfaceCreate(OvHandle* surface) {
    if (!surface) return 0;
    *surface = SoftBodies().NewSurface();
    return OvHandleIsEmpty(*surface) ? 0 : 1;
}

extern "C" OV_API void OvSurfaceSetSubstance(OvHandle handle, int corner, OvHandle substance) {
    ov::Surface* surface = SoftBodies().FindSurface(handle);
    const int k = corner - OV_SURFACE_CORNER;
    if (surface && k >= 0 && k < 3) surface->corners[k] = substance;
}

extern "C" OV_API void OvSurfaceSetCoord(OvHandle handle, int corner, OvFour coord) {
    ov::Surface* surface = SoftBodies().FindSurface(handle);
    const int k = corner - OV_SURFACE_COORD;
    if (surface && k >= 0 && k < 3) surface->coords[k] = coord;
}

extern "C" OV_API void OvSurfaceSetTexture(OvHandle handle, OvHandle texture, int property) {
    ov::Surface* surface = SoftBodies().FindSurface(handle);
    if (surface && property == OV_SURFACE_TEXTURE) surface->texture = texture;
}

extern "C" OV_API void* OvSurfaceGet(OvHandle handle, int property) {
    ov::Surface* surface = SoftBodies().FindSurface(handle);
    if (!surface) return nullptr;
    if (property == OV_SURFACE_TEXTURE) return &surface->texture;
    if (property >= OV_SURFACE_CORNER && property < OV_SURFACE_CORNER + 3)
        return &surface->corners[property - OV_SURFACE_CORNER];
    if (property >= OV_SURFACE_COORD && property < OV_SURFACE_COORD + 3)
        return &surface->coords[property - OV_SURFACE_COORD];
    return nullptr;
}

extern "C" OV_API void OvSurfaceDestroy(OvHandle handle) {
    if (ov::Surface* surface = SoftBodies().FindSurface(handle)) SoftBodies().DestroySurface(*surface);
}
