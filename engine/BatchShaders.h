// The renderer's own GLSL program: vertices already in model-view space, the
// projection as a uniform, one sampler per texture unit.
#pragma once

#include <string>

namespace ov {

enum BatchAttribute { kAttributePosition = 0, kAttributeTexcoord = 1, kAttributeColour = 2, kAttributeUnit = 3 };

const char* BatchVertexShaderSource();
// The fragment shader for `units` samplers (uTexture0 ...), chosen by the
// vertex's unit with an if-chain.
std::string BatchFragmentShaderSource(int units);

}  // namespace ov
