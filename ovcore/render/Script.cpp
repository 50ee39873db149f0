#include "ovcore/render/Script.h"

#include "ovcore/data/MemoryFile.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/render/TechniqueShaders.h"

#include <cstring>

namespace OvCore {

namespace {

// OV_BUFFER's first fields are the engine's buffer.
OvLumetBuffer* EngineBuffer(OV_BUFFER& buffer) { return reinterpret_cast<OvLumetBuffer*>(&buffer); }

}  // namespace

bool OV_SCRIPT::CompileFile(const char* path) {
    Free();
    if (OvLumetCompileFile(EngineBuffer(*this), path, TechniqueDefinitions()) == 0) return false;
    compiledByEngine = true;
    return true;
}

bool OV_SCRIPT::Compile(const char* text, uint32_t size) {
    Free();
    if (OvLumetCompile(EngineBuffer(*this), text, size, TechniqueDefinitions()) == 0) return false;
    compiledByEngine = true;
    return true;
}

bool OV_SCRIPT::CompileFileToFile(const char* sourcePath, const char* targetPath) {
    return OvLumetCompileFileToFile(sourcePath, targetPath, TechniqueDefinitions()) != 0;
}

bool OV_SCRIPT::CompileToFile(const char* text, uint32_t size, const char* targetPath) {
    return OvLumetCompileToFile(text, size, targetPath, TechniqueDefinitions()) != 0;
}

bool OV_SCRIPT::LoadCompiledFile(const char* path) {
    Free();
    OV_MEMORY_FILE file;
    if (!file.LoadFromFile(path) || file.size == 0) return false;
    return LoadCompiled(file.Data(), file.size);
}

bool OV_SCRIPT::LoadCompiled(const void* bytes, uint32_t size) {
    if (!bytes || size == 0) return false;
    Free();
    if (!Allocate(size)) return false;
    std::memcpy(data, bytes, size);
    return true;
}

int OV_SCRIPT::Execute(OV_SCRIPT_ARGUMENTS* arguments) {
    if (IsEmpty()) return 0;
    uintptr_t* cells = arguments && !arguments->cells.empty() ? arguments->cells.data() : nullptr;
    const auto count = static_cast<uint32_t>(cells ? arguments->cells.size() : 0);
    return OvLumetExecute(EngineBuffer(*this), cells, count, TechniqueDefinitions());
}

void OV_SCRIPT::Free() {
    if (IsEmpty()) return;
    if (compiledByEngine) {
        OvLumetFree(EngineBuffer(*this));
    } else {
        OV_BUFFER::Free();
    }
    compiledByEngine = false;
}

}  // namespace OvCore
