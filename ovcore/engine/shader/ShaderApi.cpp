// The shader functions of the engine's C interface. Uniforms, local
// parameters and attributes act on the active programs; pending drawing is
// drawn first, so that it keeps the values it was drawn with.
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/core/WholeFile.h"
#include "ovcore/engine/render/Renderer.h"
#include "ovcore/engine/shader/ShaderStore.h"
#include "ovcore/engine/texture/TextureGl.h"
#include "ovcore/platform/Diagnostics.h"

#include <epoxy/gl.h>

#include <cstring>
#include <string>

namespace {

constexpr size_t kMaximumSourceBytes = 16u << 20;

bool Valid(int count) { return count >= 1 && count <= 4; }

// Runs set with the active GLSL program in use; false when there is none.
template <class Set>
bool WithActiveProgram(int location, Set set) {
    const unsigned program = ov::Shaders().Active().glsl;
    if (program == 0 || location < 0 || !ov::GlAvailable()) return false;
    ov::FlushBatch();
    glUseProgram(program);
    set();
    glUseProgram(0);
    return true;
}

// The log keeps every line for OvShaderLastLog; the failure report gets
// its first one.
int Reported(bool done, const char* what, const char* name) {
    if (done) return 1;
    const char* log = ov::Shaders().LastLog().c_str();
    PlatformReportFailure("render: %s: %s: %.*s", what, name, static_cast<int>(std::strcspn(log, "\r\n")), log);
    return 0;
}

std::string NameOf(const char* kind, OvHandle handle) { return std::string(kind) + " " + std::to_string(handle.word1); }

bool LoadFromMemory(OvHandle handle, int kind, const char* source) {
    ov::Shader* shader = ov::Shaders().Find(handle);
    if (!shader) {
        ov::Shaders().SetLog("Unknown shader");
        return false;
    }
    return ov::Shaders().Load(*shader, kind, source);
}

}  // namespace

void OvShaderShutdown() { ov::Shaders().DestroyAll(); }

extern "C" OV_API int OvShaderInit(void) {
    if (!ov::GlAvailable()) return 0;
    return epoxy_gl_version() >= 20 ? 1 : 0;
}

extern "C" OV_API int OvShaderCreate(OvHandle* shader) {
    if (!shader) return 0;
    const ov::Shader* created = ov::Shaders().Create();
    *shader = created ? OvHandle{0, created->id} : OV_NULL_HANDLE;
    return created ? 1 : 0;
}

extern "C" OV_API int OvShaderLoadFromMemory(OvHandle handle, int kind, const char* source) {
    return Reported(LoadFromMemory(handle, kind, source), "cannot compile shader", NameOf("shader", handle).c_str());
}

extern "C" OV_API int OvShaderLoad(OvHandle handle, int kind, const char* path) {
    std::string source;
    const char* name = path ? path : "(null)";
    if (!ov::ReadWholeFile(path, source, kMaximumSourceBytes)) {
        ov::Shaders().SetLog((std::string("Cannot read ") + name).c_str());
        return Reported(false, "cannot compile shader", name);
    }
    return Reported(LoadFromMemory(handle, kind, source.c_str()), "cannot compile shader", name);
}

extern "C" OV_API int OvShaderMakeProgram(OvHandle program, const OvHandle* shaders, int count) {
    ov::Shader* made = ov::Shaders().Find(program);
    if (!made || !shaders || count < 1 || count > 16) {
        ov::Shaders().SetLog("Bad program or shader list");
        return Reported(false, "cannot link shader program", NameOf("program", program).c_str());
    }
    const ov::Shader* parts[16] = {};
    for (int i = 0; i < count; ++i) parts[i] = ov::Shaders().Find(shaders[i]);
    return Reported(ov::Shaders().MakeProgram(*made, parts, count), "cannot link shader program",
                    NameOf("program", program).c_str());
}

extern "C" OV_API const char* OvShaderLastLog(void) { return ov::Shaders().LastLog().c_str(); }

extern "C" OV_API int OvShaderActivate(OvHandle handle) {
    ov::Shader* shader = ov::Shaders().Find(handle);
    return shader && ov::Shaders().Activate(*shader) ? 1 : 0;
}

extern "C" OV_API void OvShaderUnactivate(int kind) { ov::Shaders().Unactivate(kind); }

extern "C" OV_API int OvShaderUniformLocation(OvHandle program, const char* name) {
    ov::Shader* shader = ov::Shaders().Find(program);
    if (!shader || shader->kind != OV_SHADER_PROGRAM || !name || !ov::GlAvailable()) return -1;
    return glGetUniformLocation(shader->glName, name);
}

extern "C" OV_API int OvShaderAttributeLocation(OvHandle program, const char* name) {
    ov::Shader* shader = ov::Shaders().Find(program);
    if (!shader || shader->kind != OV_SHADER_PROGRAM || !name || !ov::GlAvailable()) return -1;
    return glGetAttribLocation(shader->glName, name);
}

extern "C" OV_API void OvShaderLocalParam(int kind, int index, float x, float y, float z, float w) {
    const ov::UserPrograms& active = ov::Shaders().Active();
    unsigned program = kind == OV_SHADER_ASSEMBLY_VERTEX     ? active.assemblyVertex
                       : kind == OV_SHADER_ASSEMBLY_FRAGMENT ? active.assemblyFragment
                                                             : 0;
    if (program == 0 || index < 0 || !ov::GlAvailable()) return;
    const GLenum target = kind == OV_SHADER_ASSEMBLY_VERTEX ? GL_VERTEX_PROGRAM_ARB : GL_FRAGMENT_PROGRAM_ARB;
    ov::FlushBatch();
    glBindProgramARB(target, program);
    glProgramLocalParameter4fARB(target, static_cast<GLuint>(index), x, y, z, w);
}

extern "C" OV_API void OvShaderUniform(int location, float x, float y, float z, float w, int count) {
    if (!Valid(count)) return;
    WithActiveProgram(location, [&] {
        if (count == 1)
            glUniform1f(location, x);
        else if (count == 2)
            glUniform2f(location, x, y);
        else if (count == 3)
            glUniform3f(location, x, y, z);
        else
            glUniform4f(location, x, y, z, w);
    });
}

extern "C" OV_API void OvShaderUniformInteger(int location, const int* values, int count) {
    if (!Valid(count) || !values) return;
    WithActiveProgram(location, [&] {
        if (count == 1)
            glUniform1iv(location, 1, values);
        else if (count == 2)
            glUniform2iv(location, 1, values);
        else if (count == 3)
            glUniform3iv(location, 1, values);
        else
            glUniform4iv(location, 1, values);
    });
}

extern "C" OV_API void OvShaderUniformMatrix(int location, const void* matrix, int transpose) {
    if (!matrix) return;
    GLfloat values[16];
    const auto* source = static_cast<const double*>(matrix);
    for (int i = 0; i < 16; ++i) values[i] = static_cast<GLfloat>(source[i]);
    WithActiveProgram(location, [&] { glUniformMatrix4fv(location, 1, transpose ? GL_TRUE : GL_FALSE, values); });
}

extern "C" OV_API void OvShaderAttribute(int location, float x, float y, float z, float w, int count) {
    if (!Valid(count) || location < 0 || !ov::GlAvailable()) return;
    ov::FlushBatch();
    const GLuint index = static_cast<GLuint>(location);
    if (count == 1)
        glVertexAttrib1f(index, x);
    else if (count == 2)
        glVertexAttrib2f(index, x, y);
    else if (count == 3)
        glVertexAttrib3f(index, x, y, z);
    else
        glVertexAttrib4f(index, x, y, z, w);
}

extern "C" OV_API void OvShaderDestroy(OvHandle handle) {
    ov::Shader* shader = ov::Shaders().Find(handle);
    if (shader) ov::Shaders().Destroy(*shader);
}
