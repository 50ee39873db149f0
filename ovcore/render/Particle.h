// OV_PARTICLE: one particle of an emitter.
#pragma once

#include "ovcore/foundation/VectorF.h"

#include <cstdint>

namespace OvCore {

// One slot of an emitter's pool. position and colour point into the
// emitter's flat arrays (null while the slot is free); a lifetime of 0 or
// less makes the particle inert (neither moved nor ever dying).
struct OV_PARTICLE {
    OV_VECTORF* position = nullptr;  // the particle's place in the emitter's position array
    OV_VECTORF* colour = nullptr;  // the particle's place in the emitter's colour array
    uint32_t index = 0;  // the slot's number in the emitter's arrays
    float age = 0;  // seconds lived
    float lifetime = 0;  // seconds to live
    OV_VECTORF velocity{0, 0, 0, 1};  // units a second
    OV_VECTORF acceleration{0, 0, 0, 1};  // units a second, a second
    float fade = 1;  // alpha at age 0
};

// Called for a particle, at its emission or each update (see the emitter).
using OV_PARTICLE_CALLBACK = void (*)(OV_PARTICLE* particle);

}  // namespace OvCore
