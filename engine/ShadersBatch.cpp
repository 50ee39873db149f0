#include "engine/BatchShaders.h"

namespace ov {

namespace {

// Point drawing reads gl_PointCoord for sprites and cuts round points.
const char* kPointUniforms = "uniform bool uPointSprite;\nuniform bool uSmoothPoints;\n";
const char* kPointCoordinates = R"(    vec2 tc = uPointSprite ? gl_PointCoord : vTexcoord;
    if (uSmoothPoints && length(gl_PointCoord - vec2(0.5)) > 0.5) discard;
)";

std::string Header(const ShaderVariant& variant) {
    std::string source = R"(#version 130
in vec2 vTexcoord;
in vec4 vColour;
flat in int vUnit;
out vec4 fragColour;
)";
    if (variant.points) source += kPointUniforms;
    return source;
}

std::string MainStart(const ShaderVariant& variant) {
    return std::string("void main() {\n") + (variant.points ? kPointCoordinates : "    vec2 tc = vTexcoord;\n");
}

std::string Untextured(const ShaderVariant& variant) {
    return Header(variant) + MainStart(variant) + "    fragColour = vColour;\n}\n";
}

std::string OneSampler(const ShaderVariant& variant) {
    return Header(variant) + "uniform sampler2D uTexture;\n" + MainStart(variant) + R"(    vec4 texel = texture(uTexture, tc);
    fragColour = vUnit == 255 ? vColour : vColour * texel;
}
)";
}

// Sampling happens under non-uniform control flow, so the derivatives are
// taken before the branch and passed explicitly.
std::string ManySamplers(const ShaderVariant& variant) {
    std::string source = Header(variant);
    for (int unit = 0; unit < variant.samplers; ++unit) {
        source += "uniform sampler2D uTexture" + std::to_string(unit) + ";\n";
    }
    source += "vec4 Texel(vec2 tc, vec2 dx, vec2 dy) {\n";
    for (int unit = 0; unit < variant.samplers; ++unit) {
        std::string n = std::to_string(unit);
        source += "    if (vUnit == " + n + ") return textureGrad(uTexture" + n + ", tc, dx, dy);\n";
    }
    source += "    return vec4(1.0);\n}\n" + MainStart(variant) + R"(    vec2 dx = dFdx(tc);
    vec2 dy = dFdy(tc);
    fragColour = vColour * Texel(tc, dx, dy);
}
)";
    return source;
}

}  // namespace

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

std::string BatchFragmentShaderSource(const ShaderVariant& variant) {
    if (variant.samplers <= 0) return Untextured(variant);
    if (variant.samplers == 1) return OneSampler(variant);
    return ManySamplers(variant);
}

}  // namespace ov
