// The renderer's own GLSL programs: vertices already in model-view space, the
// projection as a uniform. A batch is drawn by the variant that fits it: no
// sampler, one sampler (uTexture, set to the batch's one unit), or a power of
// two of samplers (uTexture0 ...) picked by the vertex's unit; points have
// variants of their own for sprites and round points.
#pragma once

#include <string>

namespace ov {

enum BatchAttribute { kAttributePosition = 0, kAttributeTexcoord = 1, kAttributeColour = 2, kAttributeUnit = 3 };

struct ShaderVariant {
    // 0, 1, or a power of two up to the unit limit.
    int samplers = 0;
    bool points = false;
};

const char* BatchVertexShaderSource();
std::string BatchFragmentShaderSource(const ShaderVariant& variant);

}  // namespace ov
