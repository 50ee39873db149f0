#include "ovcore/engine/render/BatchPrograms.h"

#include "ovcore/platform/Diagnostics.h"

#include <epoxy/gl.h>

#include <string>

namespace ov {

namespace {

// GL's build log, cut to what fits in a failure reason.
void ReportBuildFailure(const char* step, GLuint object, bool isProgram) {
    char log[384] = "";
    if (isProgram) {
        glGetProgramInfoLog(object, sizeof log, nullptr, log);
    } else {
        glGetShaderInfoLog(object, sizeof log, nullptr, log);
    }
    PlatformReportFailure("engine: drawing program refused: %s: %s", step, log);
}

GLuint CompileShader(GLenum type, const char* source) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
    ReportBuildFailure(type == GL_VERTEX_SHADER ? "vertex shader" : "fragment shader", shader, false);
    glDeleteShader(shader);
    return 0;
}

GLuint LinkProgram(GLuint vertexShader, GLuint fragmentShader) {
    GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glBindAttribLocation(program, kAttributePosition, "aPosition");
    glBindAttribLocation(program, kAttributeTexcoord, "aTexcoord");
    glBindAttribLocation(program, kAttributeColour, "aColour");
    glBindAttribLocation(program, kAttributeUnit, "aUnit");
    glBindFragDataLocation(program, 0, "fragColour");
    glLinkProgram(program);
    glDetachShader(program, vertexShader);
    glDetachShader(program, fragmentShader);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked) return program;
    ReportBuildFailure("link", program, true);
    glDeleteProgram(program);
    return 0;
}

}  // namespace

int BatchPrograms::SamplersOf(int samplerClass) { return samplerClass == 0 ? 0 : 1 << (samplerClass - 1); }

int BatchPrograms::ClassOf(int samplers) {
    int samplerClass = 0;
    while (samplerClass < kSamplerClasses - 1 && SamplersOf(samplerClass) < samplers) ++samplerClass;
    return samplerClass;
}

int BatchPrograms::IndexOf(int samplerClass, const ShaderVariant& variant) {
    bool someUntextured = samplerClass == 1 && variant.someUntextured;
    bool white = variant.uniformColour && variant.white;
    bool levelFree = samplerClass > 1 && variant.levelFree;
    return samplerClass * 64 + variant.planar * 32 + levelFree * 16 + white * 8 + variant.points * 4 +
           variant.uniformColour * 2 + someUntextured;
}

BatchProgram* BatchPrograms::Get(const ShaderVariant& variant, int unitLimit) {
    int samplerClass = ClassOf(variant.samplers);
    int index = IndexOf(samplerClass, variant);
    BatchProgram& program = programs_[index];
    if (program.name) return &program;
    bool& failed = failed_[index];
    if (failed) return nullptr;
    int samplers = SamplersOf(samplerClass);
    ShaderVariant exact = variant;
    exact.samplers = samplers > unitLimit && samplers > 1 ? unitLimit : samplers;
    exact.someUntextured = samplerClass == 1 && variant.someUntextured;
    exact.white = variant.uniformColour && variant.white;
    exact.levelFree = samplerClass > 1 && variant.levelFree;
    failed = !Build(exact, program);
    return failed ? nullptr : &program;
}

bool BatchPrograms::Build(const ShaderVariant& variant, BatchProgram& program) {
    GLuint vertexShader = CompileShader(GL_VERTEX_SHADER, BatchVertexShaderSource(variant).c_str());
    GLuint fragmentShader = CompileShader(GL_FRAGMENT_SHADER, BatchFragmentShaderSource(variant).c_str());
    GLuint name = vertexShader && fragmentShader ? LinkProgram(vertexShader, fragmentShader) : 0;
    if (vertexShader) glDeleteShader(vertexShader);
    if (fragmentShader) glDeleteShader(fragmentShader);
    if (!name) return false;
    program = BatchProgram{};
    program.name = name;
    program.projection = glGetUniformLocation(name, "uProjection");
    program.plane = glGetUniformLocation(name, "uPlane");
    program.depth = glGetUniformLocation(name, "uDepth");
    program.pointSprite = glGetUniformLocation(name, "uPointSprite");
    program.smoothPoints = glGetUniformLocation(name, "uSmoothPoints");
    program.sampler = glGetUniformLocation(name, "uTexture");
    program.colour = glGetUniformLocation(name, "uColour");
    for (const char* attribute : {"aPosition", "aTexcoord", "aColour", "aUnit"}) {
        const GLint location = glGetAttribLocation(name, attribute);
        if (location >= 0) program.attributes |= 1u << location;
    }
    glUseProgram(name);
    for (int unit = 0; unit < variant.samplers && variant.samplers > 1; ++unit) {
        std::string sampler = "uTexture" + std::to_string(unit);
        glUniform1i(glGetUniformLocation(name, sampler.c_str()), unit);
    }
    glUseProgram(0);
    return true;
}

void BatchPrograms::Forget() {
    for (BatchProgram& program : programs_) program = BatchProgram{};
    for (bool& failed : failed_) failed = false;
}

}  // namespace ov
