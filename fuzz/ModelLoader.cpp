// Loads arbitrary bytes as a soft-body model file from memory into a fresh
// model, then checks what a successful load built: counts within the file's
// size, every bone's force inside the DNA's force array. A simulation step
// and a draw (no target here: nothing is drawn) follow.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/world/Model.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static const bool started = (OvInitiation(), OvSetState(OV_STATE_PHYSICS_CLOCK, 1), true);
    (void)started;
    OvCore::OV_MODEL model;
    model.Recreate();
    const OvCore::OV_MATRIX transform = OvCore::OV_MATRIX().Translate(10, 20, 0).Scale(1.5, 1.5, 1);
    if (model.LoadBody(bytes, size, nullptr, &transform, 1.0, 2.0, 1.0, 1.0, 1.0)) {
        const size_t lines = size + 1;  // an empty line takes one byte
        if (static_cast<size_t>(model.SubstanceCount()) * 5 > lines ||
            static_cast<size_t>(model.ForceCount()) * 3 > lines)
            __builtin_trap();
        const OvHandle* forces = model.Forces();
        for (const OvCore::OV_BONE& bone : model.bones)
            if (!forces || bone.force < forces || bone.force >= forces + model.ForceCount()) __builtin_trap();
        OvDnaAdvance(OV_PHYSICS_STEP);
        model.Draw();
    }
    model.Destroy();
    return 0;
}
