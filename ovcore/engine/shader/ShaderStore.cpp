#include "ovcore/engine/shader/ShaderStore.h"

#include "ovcore/engine/texture/TextureGl.h"

#include <epoxy/gl.h>

#include <cstring>

namespace ov {

namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string InfoLog(unsigned name, bool program) {
    GLint length = 0;
    program ? glGetProgramiv(name, GL_INFO_LOG_LENGTH, &length) : glGetShaderiv(name, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) {
        program ? glGetProgramInfoLog(name, length, nullptr, log.data())
                : glGetShaderInfoLog(name, length, nullptr, log.data());
        log.resize(std::strlen(log.c_str()));
    }
    return Trimmed(log);
}

bool IsGlsl(int kind) { return kind == OV_SHADER_VERTEX || kind == OV_SHADER_FRAGMENT; }

bool IsAssembly(int kind) { return kind == OV_SHADER_ASSEMBLY_VERTEX || kind == OV_SHADER_ASSEMBLY_FRAGMENT; }

GLenum AssemblyTarget(int kind) {
    return kind == OV_SHADER_ASSEMBLY_VERTEX ? GL_VERTEX_PROGRAM_ARB : GL_FRAGMENT_PROGRAM_ARB;
}

bool HasAssembly(int kind) {
    return epoxy_has_gl_extension(kind == OV_SHADER_ASSEMBLY_VERTEX ? "GL_ARB_vertex_program"
                                                                    : "GL_ARB_fragment_program");
}

}  // namespace

Shader* ShaderStore::Create() { return shaders_.AddWithId(); }

Shader* ShaderStore::Find(OvHandle handle) { return shaders_.Find(handle); }

bool ShaderStore::Load(Shader& shader, int kind, const char* source) {
    lastLog_.clear();
    if (!IsGlsl(kind) && !IsAssembly(kind)) {
        lastLog_ = "Unknown shader kind";
        return false;
    }
    if (!source) {
        lastLog_ = "No source";
        return false;
    }
    if (!GlAvailable()) {
        lastLog_ = "No render target is current";
        return false;
    }
    Release(shader);
    return IsGlsl(kind) ? CompileGlsl(shader, kind, source) : BuildAssembly(shader, kind, source);
}

// A shader that does not compile is kept, so that linking it reports too.
bool ShaderStore::CompileGlsl(Shader& shader, int kind, const char* source) {
    const GLuint name = glCreateShader(kind == OV_SHADER_VERTEX ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    if (name == 0) {
        lastLog_ = "GL cannot make a shader";
        return false;
    }
    glShaderSource(name, 1, &source, nullptr);
    glCompileShader(name);
    shader.kind = kind;
    shader.glName = name;
    GLint compiled = GL_FALSE;
    glGetShaderiv(name, GL_COMPILE_STATUS, &compiled);
    if (compiled) return true;
    lastLog_ = InfoLog(name, false);
    if (lastLog_.empty()) lastLog_ = "Compiling failed";
    return false;
}

bool ShaderStore::BuildAssembly(Shader& shader, int kind, const char* source) {
    if (!HasAssembly(kind)) {
        lastLog_ = "GL has no assembly programs of this kind";
        return false;
    }
    const GLenum target = AssemblyTarget(kind);
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint name = 0;
    glGenProgramsARB(1, &name);
    glBindProgramARB(target, name);
    glProgramStringARB(target, GL_PROGRAM_FORMAT_ASCII_ARB, static_cast<GLsizei>(std::strlen(source)), source);
    if (glGetError() == GL_NO_ERROR) {
        shader.kind = kind;
        shader.glName = name;
        return true;
    }
    GLint position = -1;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &position);
    const auto* message = reinterpret_cast<const char*>(glGetString(GL_PROGRAM_ERROR_STRING_ARB));
    lastLog_ = Trimmed(message && *message ? message : "Program rejected");
    lastLog_ += " (at character " + std::to_string(position) + ")";
    glDeleteProgramsARB(1, &name);
    return false;
}

bool ShaderStore::MakeProgram(Shader& program, const Shader* const* shaders, int count) {
    lastLog_.clear();
    if (!GlAvailable()) {
        lastLog_ = "No render target is current";
        return false;
    }
    Release(program);
    const GLuint name = glCreateProgram();
    if (name == 0) {
        lastLog_ = "GL cannot make a program";
        return false;
    }
    program.kind = OV_SHADER_PROGRAM;
    program.glName = name;
    for (int i = 0; i < count; ++i) {
        if (shaders[i] && IsGlsl(shaders[i]->kind)) glAttachShader(name, shaders[i]->glName);
    }
    glLinkProgram(name);
    for (int i = 0; i < count; ++i) {
        if (shaders[i] && IsGlsl(shaders[i]->kind)) glDetachShader(name, shaders[i]->glName);
    }
    GLint linked = GL_FALSE;
    glGetProgramiv(name, GL_LINK_STATUS, &linked);
    if (linked) return true;
    lastLog_ = InfoLog(name, true);
    if (lastLog_.empty()) lastLog_ = "Linking failed";
    return false;
}

bool ShaderStore::Activate(const Shader& shader) {
    UserPrograms programs = active_;
    if (shader.kind == OV_SHADER_ASSEMBLY_VERTEX)
        programs.assemblyVertex = shader.glName;
    else if (shader.kind == OV_SHADER_ASSEMBLY_FRAGMENT)
        programs.assemblyFragment = shader.glName;
    else if (shader.kind == OV_SHADER_PROGRAM && GlAvailable()) {
        GLint linked = GL_FALSE;
        glGetProgramiv(shader.glName, GL_LINK_STATUS, &linked);
        if (!linked) return false;
        programs.glsl = shader.glName;
    } else {
        return false;
    }
    SetActive(programs);
    return true;
}

void ShaderStore::Unactivate(int kind) {
    UserPrograms programs = active_;
    if (kind == OV_SHADER_ASSEMBLY_VERTEX) programs.assemblyVertex = 0;
    if (kind == OV_SHADER_ASSEMBLY_FRAGMENT) programs.assemblyFragment = 0;
    if (kind == OV_SHADER_PROGRAM) programs.glsl = 0;
    SetActive(programs);
}

void ShaderStore::SetActive(const UserPrograms& programs) {
    active_ = programs;
    UseUserPrograms(programs);
}

// Pending drawing may still need the program, so it is drawn first.
void ShaderStore::Release(Shader& shader) {
    if (shader.glName == 0) return;
    UserPrograms programs = active_;
    if (shader.kind == OV_SHADER_PROGRAM && programs.glsl == shader.glName) programs.glsl = 0;
    if (shader.kind == OV_SHADER_ASSEMBLY_VERTEX && programs.assemblyVertex == shader.glName) {
        programs.assemblyVertex = 0;
    }
    if (shader.kind == OV_SHADER_ASSEMBLY_FRAGMENT && programs.assemblyFragment == shader.glName) {
        programs.assemblyFragment = 0;
    }
    SetActive(programs);
    if (GlAvailable()) {
        if (IsGlsl(shader.kind))
            glDeleteShader(shader.glName);
        else if (shader.kind == OV_SHADER_PROGRAM)
            glDeleteProgram(shader.glName);
        else if (IsAssembly(shader.kind))
            glDeleteProgramsARB(1, &shader.glName);
    }
    shader.kind = 0;
    shader.glName = 0;
}

void ShaderStore::Destroy(Shader& shader) {
    Release(shader);
    shaders_.Destroy(OvHandle{0, shader.id});
}

void ShaderStore::DestroyAll() {
    shaders_.ForEach([this](OvHandle, Shader& shader) { Release(shader); });
    shaders_.Clear();
    SetActive(UserPrograms{});
}

ShaderStore& Shaders() {
    static ShaderStore store;
    return store;
}

}  // namespace ov
