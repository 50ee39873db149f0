#include "ovcore/engine/render/BatchShaders.h"

namespace ov {

namespace {

bool ReadsUnit(const ShaderVariant& variant) {
    return variant.samplers > 1 || (variant.samplers == 1 && variant.someUntextured);
}

// Point drawing reads gl_PointCoord for sprites and cuts round points.
const char* kPointUniforms = "uniform bool uPointSprite;\nuniform bool uSmoothPoints;\n";
const char* kPointCoordinates = R"(    vec2 tc = uPointSprite ? gl_PointCoord : vTexcoord;
    if (uSmoothPoints && length(gl_PointCoord - vec2(0.5)) > 0.5) discard;
)";

std::string Header(const ShaderVariant& variant) {
    std::string source = "#version 130\nin vec2 vTexcoord;\nout vec4 fragColour;\n";
    if (!variant.white) source += variant.uniformColour ? "uniform vec4 uColour;\n" : "in vec4 vColour;\n";
    if (ReadsUnit(variant)) source += "flat in int vUnit;\n";
    if (variant.points) source += kPointUniforms;
    return source;
}

std::string MainStart(const ShaderVariant& variant) {
    std::string source = "void main() {\n";
    if (!variant.white)
        source += variant.uniformColour ? "    vec4 colour = uColour;\n" : "    vec4 colour = vColour;\n";
    return source + (variant.points ? kPointCoordinates : "    vec2 tc = vTexcoord;\n");
}

std::string Untextured(const ShaderVariant& variant) {
    const char* body = variant.white ? "    fragColour = vec4(1.0);\n}\n" : "    fragColour = colour;\n}\n";
    return Header(variant) + MainStart(variant) + body;
}

std::string OneSampler(const ShaderVariant& variant) {
    std::string source = Header(variant) + "uniform sampler2D uTexture;\n" + MainStart(variant);
    source += "    vec4 texel = texture(uTexture, tc);\n";
    if (variant.white) {
        if (variant.someUntextured) return source + "    fragColour = vUnit == 255 ? vec4(1.0) : texel;\n}\n";
        return source + "    fragColour = texel;\n}\n";
    }
    if (variant.someUntextured) return source + "    fragColour = vUnit == 255 ? colour : colour * texel;\n}\n";
    return source + "    fragColour = colour * texel;\n}\n";
}

// Sampling happens under non-uniform control flow, so the derivatives are
// taken before the branch and passed explicitly, or not needed at all when
// every texture gives the same texel at any level of detail.
std::string ManySamplers(const ShaderVariant& variant) {
    std::string source = Header(variant);
    for (int unit = 0; unit < variant.samplers; ++unit) {
        source += "uniform sampler2D uTexture" + std::to_string(unit) + ";\n";
    }
    source += variant.levelFree ? "vec4 Texel(vec2 tc) {\n" : "vec4 Texel(vec2 tc, vec2 dx, vec2 dy) {\n";
    for (int unit = 0; unit < variant.samplers; ++unit) {
        std::string sampler = "uTexture" + std::to_string(unit);
        std::string sample =
            variant.levelFree ? "textureLod(" + sampler + ", tc, 0.0)" : "textureGrad(" + sampler + ", tc, dx, dy)";
        source += "    if (vUnit == " + std::to_string(unit) + ") return " + sample + ";\n";
    }
    source += "    return vec4(1.0);\n}\n" + MainStart(variant);
    if (!variant.levelFree) source += "    vec2 dx = dFdx(tc);\n    vec2 dy = dFdy(tc);\n";
    source += "    fragColour = " + std::string(variant.white ? "" : "colour * ") +
              (variant.levelFree ? "Texel(tc);\n}\n" : "Texel(tc, dx, dy);\n}\n");
    return source;
}

}  // namespace

std::string BatchVertexShaderSource(const ShaderVariant& variant) {
    std::string source = "#version 130\n";
    source += variant.planar ? "uniform vec4 uPlane;\nuniform float uDepth;\nin vec2 aPosition;\n"
                             : "uniform mat4 uProjection;\nin vec3 aPosition;\n";
    source += "in vec2 aTexcoord;\nout vec2 vTexcoord;\n";
    if (!variant.uniformColour) source += "in vec4 aColour;\nout vec4 vColour;\n";
    if (ReadsUnit(variant)) source += "in float aUnit;\nflat out int vUnit;\n";
    source += "void main() {\n";
    source += variant.planar ? "    gl_Position = vec4(aPosition * uPlane.xy + uPlane.zw, uDepth, 1.0);\n"
                             : "    gl_Position = uProjection * vec4(aPosition, 1.0);\n";
    source += "    vTexcoord = aTexcoord;\n";
    if (!variant.uniformColour) source += "    vColour = aColour;\n";
    if (ReadsUnit(variant)) source += "    vUnit = int(aUnit + 0.5);\n";
    return source + "}\n";
}

std::string BatchFragmentShaderSource(const ShaderVariant& variant) {
    if (variant.samplers <= 0) return Untextured(variant);
    if (variant.samplers == 1) return OneSampler(variant);
    return ManySamplers(variant);
}

}  // namespace ov
