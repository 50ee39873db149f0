// The live shaders by handle: GLSL shaders and programs, and assembly
// vertex and fragment programs, with the info log of the last build step and
// the programs that draw the batch.
#pragma once

#include "ovcore/engine/core/HandleTable.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/render/Renderer.h"

#include <memory>
#include <string>

namespace ov {

struct Shader {
    uint32_t id = 0;
    // 0 until loaded or made into a program, then one of OV_SHADER_*.
    int kind = 0;
    unsigned glName = 0;
};

class ShaderStore {
public:
    // A new, unbuilt shader; null when the table has no slot left.
    Shader* Create();
    Shader* Find(OvHandle handle);
    // Builds source as a shader of `kind`; an earlier build of the shader is
    // released first. The log is GL's message on failure, else empty.
    bool Load(Shader& shader, int kind, const char* source);
    // Links the GLSL shaders into `program` (released first when it was
    // built before).
    bool MakeProgram(Shader& program, const Shader* const* shaders, int count);
    bool Activate(const Shader& shader);
    void Unactivate(int kind);
    void Destroy(Shader& shader);
    // Forgets every shader; GL objects are deleted when GL is current.
    void DestroyAll();

    const std::string& LastLog() const { return lastLog_; }
    void SetLog(const char* text) { lastLog_ = text; }
    const UserPrograms& Active() const { return active_; }

private:
    bool CompileGlsl(Shader& shader, int kind, const char* source);
    bool BuildAssembly(Shader& shader, int kind, const char* source);
    void Release(Shader& shader);
    void SetActive(const UserPrograms& programs);

    HandleTable<Shader> shaders_{"shader"};
    std::string lastLog_;
    UserPrograms active_;
};

ShaderStore& Shaders();

}  // namespace ov
