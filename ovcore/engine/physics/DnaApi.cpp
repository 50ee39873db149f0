// The DNA calls: arrays of linked substances, forces and surfaces.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/physics/SoftBodyWorld.h"

namespace {

using ov::Dna;
using ov::SoftBodies;

bool IsEmpty(OvHandle handle) { return OvHandleIsEmpty(handle); }

std::vector<OvHandle>* Array(Dna& dna, int kind) {
    switch (kind) {
    case OV_DNA_SUBSTANCES: return &dna.substances;
    case OV_DNA_FORCES: return &dna.forces;
    case OV_DNA_SURFACES: return &dna.surfaces;
    default: return nullptr;
    }
}

// Takes whatever the slot names out of the simulation, when it is linked to this DNA.
void Unlink(const Dna& dna, int kind, OvHandle handle) {
    ov::SoftBodyWorld& world = SoftBodies();
    if (kind == OV_DNA_SUBSTANCES) {
        if (auto* substance = world.FindSubstance(handle); substance && substance->dna == dna.id)
            world.UnlinkSubstance(*substance);
    } else if (kind == OV_DNA_FORCES) {
        if (auto* force = world.FindForce(handle); force && force->dna == dna.id) world.UnlinkForce(*force);
    } else if (auto* surface = world.FindSurface(handle); surface && surface->dna == dna.id) {
        surface->dna = 0;
    }
}

bool Link(const Dna& dna, int kind, OvHandle handle) {
    ov::SoftBodyWorld& world = SoftBodies();
    if (kind == OV_DNA_SUBSTANCES) {
        auto* substance = world.FindSubstance(handle);
        if (substance) world.LinkSubstance(*substance, dna.id);
        return substance != nullptr;
    }
    if (kind == OV_DNA_FORCES) {
        auto* force = world.FindForce(handle);
        if (force) world.LinkForce(*force, dna.id);
        return force != nullptr;
    }
    auto* surface = world.FindSurface(handle);
    if (surface) surface->dna = dna.id;
    return surface != nullptr;
}

void Destroy(int kind, OvHandle handle) {
    ov::SoftBodyWorld& world = SoftBodies();
    if (kind == OV_DNA_SUBSTANCES) {
        if (auto* substance = world.FindSubstance(handle)) world.DestroySubstance(*substance);
    } else if (kind == OV_DNA_FORCES) {
        if (auto* force = world.FindForce(handle)) world.DestroyForce(*force);
    } else if (auto* surface = world.FindSurface(handle)) {
        world.DestroySurface(*surface);
    }
}

void EmptyArray(Dna& dna, int kind, bool destroyLinked) {
    std::vector<OvHandle>& array = *Array(dna, kind);
    for (OvHandle handle : array) {
        Unlink(dna, kind, handle);
        if (destroyLinked) Destroy(kind, handle);
    }
    std::vector<OvHandle>().swap(array);
}

void Die(Dna& dna, bool destroyLinked) {
    for (int kind : {OV_DNA_FORCES, OV_DNA_SURFACES, OV_DNA_SUBSTANCES}) EmptyArray(dna, kind, destroyLinked);
    dna.texture = OvHandle{1, 0};
}

bool Resize(Dna& dna, int kind, int count) {
    if (count == 0) return true;
    std::vector<OvHandle>& array = *Array(dna, kind);
    for (OvHandle handle : array) Unlink(dna, kind, handle);
    array.assign(static_cast<size_t>(count), OvHandle{1, 0});
    return true;
}

bool CountInRange(int count) { return count >= 0 && count <= OV_DNA_MAX_LINKS; }

}  // namespace

extern "C" OV_API int OvDnaCreate(OvHandle* dna) {
    if (!dna) return 0;
    *dna = SoftBodies().NewDna();
    return IsEmpty(*dna) ? 0 : 1;
}

extern "C" OV_API int OvDnaBirth(OvHandle handle, int substances, int forces, int surfaces) {
    Dna* dna = SoftBodies().FindDna(handle);
    if (!dna || !CountInRange(substances) || !CountInRange(forces) || !CountInRange(surfaces)) return 0;
    Resize(*dna, OV_DNA_SUBSTANCES, substances);
    Resize(*dna, OV_DNA_FORCES, forces);
    Resize(*dna, OV_DNA_SURFACES, surfaces);
    return 1;
}

extern "C" OV_API int OvDnaLink(OvHandle handle, int kind, int index, const OvHandle* object) {
    Dna* dna = SoftBodies().FindDna(handle);
    if (!dna || !object) return 0;
    if (kind == OV_DNA_TEXTURE) {
        if (index != 0) return 0;
        dna->texture = *object;
        return 1;
    }
    std::vector<OvHandle>* array = Array(*dna, kind);
    if (!array || index < 0 || static_cast<size_t>(index) >= array->size()) return 0;
    if (IsEmpty(*object)) return 0;
    OvHandle& slot = (*array)[static_cast<size_t>(index)];
    if (slot.word1 != object->word1) Unlink(*dna, kind, slot);
    if (!Link(*dna, kind, *object)) return 0;
    slot = *object;
    return 1;
}

extern "C" OV_API void* OvDnaGet(OvHandle handle, int kind, int index) {
    Dna* dna = SoftBodies().FindDna(handle);
    if (!dna || index < 0) return nullptr;
    if (kind == OV_DNA_TEXTURE) return index == 0 ? &dna->texture : nullptr;
    std::vector<OvHandle>* array = Array(*dna, kind);
    if (!array || static_cast<size_t>(index) >= array->size()) return nullptr;
    return array->data() + index;
}

extern "C" OV_API int OvDnaCount(OvHandle handle, int kind) {
    Dna* dna = SoftBodies().FindDna(handle);
    if (!dna) return 0;
    if (kind == OV_DNA_TEXTURE) return IsEmpty(dna->texture) ? 0 : 1;
    std::vector<OvHandle>* array = Array(*dna, kind);
    return array ? static_cast<int>(array->size()) : 0;
}

extern "C" OV_API void OvDnaDie(OvHandle handle, int destroyLinked) {
    if (Dna* dna = SoftBodies().FindDna(handle)) Die(*dna, destroyLinked != 0);
}

extern "C" OV_API void OvDnaDestroy(OvHandle handle) {
    Dna* dna = SoftBodies().FindDna(handle);
    if (!dna) return;
    Die(*dna, false);
    SoftBodies().DestroyDna(*dna);
}

extern "C" OV_API void OvDnaAdvance(double seconds) { SoftBodies().Advance(seconds); }

extern "C" OV_API void OvDnaDraw(OvHandle handle) {
    ov::SoftBodyWorld& world = SoftBodies();
    Dna* dna = world.FindDna(handle);
    if (!dna) return;
    for (OvHandle surfaceHandle : dna->surfaces) {
        const ov::Surface* surface = world.FindSurface(surfaceHandle);
        if (!surface) continue;
        OvFour corners[3];
        bool complete = true;
        for (int k = 0; k < 3 && complete; ++k) {
            const ov::Substance* substance = world.FindSubstance(surface->corners[k]);
            complete = substance != nullptr;
            if (complete) corners[k] = substance->position;
        }
        if (!complete) continue;
        const OvHandle texture = IsEmpty(surface->texture) ? dna->texture : surface->texture;
        if (IsEmpty(texture)) {
            OvTextureUnactivate();
        } else {
            OvTextureActivate(texture);
        }
        OvDrawData(OV_PRIMITIVE_TRIANGLES, 0, 3, corners, nullptr, surface->coords, nullptr, nullptr,
                   OV_COMPONENTS_DOUBLE, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    }
}
