#pragma once

#include <cstdint>

namespace OvCore {

// The most substeps one object takes in a frame. A counter of 32-bit floats
// stops advancing at 2^24, so a loop counted that way would never end there.
constexpr int64_t kMaxSubsteps = int64_t{1} << 24;

// How many substeps a frame of `steps` takes: floor(steps) + 1 when steps is
// above 0, at most kMaxSubsteps; none for 0, a negative count, NaN or
// infinity (an object whose speed is not a number does not move).
int64_t SubstepCount(double steps);

}  // namespace OvCore
