#include "engine/BatchShaders.h"

namespace ov {

const char* BatchVertexShaderSource() {
    return R"(#version 130
uniform mat4 uProjection;
in vec3 aPosition;
in vec2 aTexcoord;
in vec4 aColour;
in float aUnit;
out vec2 vTexcoord;
out vec4 vColour;
flat out int vUnit;
void main() {
    gl_Position = uProjection * vec4(aPosition, 1.0);
    vTexcoord = aTexcoord;
    vColour = aColour;
    vUnit = int(aUnit + 0.5);
}
)";
}

// Sampling happens under non-uniform control flow, so the derivatives are
// taken before the branch and passed explicitly.
std::string BatchFragmentShaderSource(int units) {
    std::string source = "#version 130\n";
    for (int unit = 0; unit < units; ++unit) {
        source += "uniform sampler2D uTexture" + std::to_string(unit) + ";\n";
    }
    source += R"(uniform bool uPointSprite;
uniform bool uSmoothPoints;
in vec2 vTexcoord;
in vec4 vColour;
flat in int vUnit;
out vec4 fragColour;
vec4 Texel(vec2 tc, vec2 dx, vec2 dy) {
)";
    for (int unit = 0; unit < units; ++unit) {
        std::string n = std::to_string(unit);
        source += "    if (vUnit == " + n + ") return textureGrad(uTexture" + n + ", tc, dx, dy);\n";
    }
    source += R"(    return vec4(1.0);
}
void main() {
    vec2 tc = uPointSprite ? gl_PointCoord : vTexcoord;
    vec2 dx = dFdx(tc);
    vec2 dy = dFdy(tc);
    if (uSmoothPoints && length(gl_PointCoord - vec2(0.5)) > 0.5) discard;
    vec4 texel = vUnit == 255 ? vec4(1.0) : Texel(tc, dx, dy);
    fragColour = vColour * texel;
}
)";
    return source;
}

}  // namespace ov
