// One vertex of the streaming batch: already transformed by the model view,
// 28 bytes. unit is the texture unit to sample, or kUntextured.
#pragma once

#include <cstdint>

namespace ov {

struct BatchVertex {
    float x, y, z;
    float s, t;
    uint8_t rgba[4];
    uint8_t unit;
    uint8_t padding[3];
};
static_assert(sizeof(BatchVertex) == 28);

constexpr uint8_t kUntextured = 255;

// What a batch draws its vertices as; pending vertices share one class.
enum class PrimitiveClass { None, Triangles, Lines, Points };

}  // namespace ov
