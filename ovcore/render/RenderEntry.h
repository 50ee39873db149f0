// OV_RENDER_ENTRY: a particle emitter among the core's render entries.
#pragma once

#include "ovcore/render/ParticleEmitter.h"

namespace OvCore {

// An emitter of the core's render entries: the frame step updates it with
// particleCallback, and draws it before the actors when drawFirst, else
// after the actors and the soft-body models.
struct OV_RENDER_ENTRY : OV_PARTICLE_EMITTER {
    bool drawFirst = false;  // drawn before the actors, else after them and the models
    // Called for each live particle at each update; null: none.
    OV_PARTICLE_CALLBACK particleCallback = nullptr;
};

}  // namespace OvCore
