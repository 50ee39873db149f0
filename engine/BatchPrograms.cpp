#include "engine/BatchPrograms.h"

#include <epoxy/gl.h>

#include <string>

namespace ov {

namespace {

GLuint CompileShader(GLenum type, const char* source) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
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
    glDeleteProgram(program);
    return 0;
}

}  // namespace

int BatchPrograms::SamplersOf(int samplerClass) {
    return samplerClass == 0 ? 0 : 1 << (samplerClass - 1);
}

int BatchPrograms::ClassOf(int samplers) {
    int samplerClass = 0;
    while (samplerClass < kSamplerClasses - 1 && SamplersOf(samplerClass) < samplers) ++samplerClass;
    return samplerClass;
}

BatchProgram* BatchPrograms::Get(const ShaderVariant& variant, int unitLimit) {
    int samplerClass = ClassOf(variant.samplers);
    BatchProgram& program = programs_[samplerClass][variant.points];
    if (program.name) return &program;
    bool& failed = failed_[samplerClass][variant.points];
    if (failed) return nullptr;
    int samplers = SamplersOf(samplerClass);
    ShaderVariant exact{samplers > unitLimit && samplers > 1 ? unitLimit : samplers, variant.points};
    failed = !Build(exact, program);
    return failed ? nullptr : &program;
}

bool BatchPrograms::Build(const ShaderVariant& variant, BatchProgram& program) {
    GLuint vertexShader = CompileShader(GL_VERTEX_SHADER, BatchVertexShaderSource());
    GLuint fragmentShader = CompileShader(GL_FRAGMENT_SHADER, BatchFragmentShaderSource(variant).c_str());
    GLuint name = vertexShader && fragmentShader ? LinkProgram(vertexShader, fragmentShader) : 0;
    if (vertexShader) glDeleteShader(vertexShader);
    if (fragmentShader) glDeleteShader(fragmentShader);
    if (!name) return false;
    program = BatchProgram{};
    program.name = name;
    program.projection = glGetUniformLocation(name, "uProjection");
    program.pointSprite = glGetUniformLocation(name, "uPointSprite");
    program.smoothPoints = glGetUniformLocation(name, "uSmoothPoints");
    program.sampler = glGetUniformLocation(name, "uTexture");
    glUseProgram(name);
    for (int unit = 0; unit < variant.samplers && variant.samplers > 1; ++unit) {
        std::string sampler = "uTexture" + std::to_string(unit);
        glUniform1i(glGetUniformLocation(name, sampler.c_str()), unit);
    }
    glUseProgram(0);
    return true;
}

void BatchPrograms::Forget() {
    for (auto& row : programs_) {
        for (BatchProgram& program : row) program = BatchProgram{};
    }
    for (auto& row : failed_) row[0] = row[1] = false;
}

}  // namespace ov
