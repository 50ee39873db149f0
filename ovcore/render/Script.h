// OV_SCRIPT: technique scripts, compiled and run by the engine.
#pragma once

#include "ovcore/data/Buffer.h"

#include <cstdint>
#include <vector>

namespace OvCore {

// The cells a script's variables are bound to, received by the script as
// the values of `...` in this order. A cell holds a pointer to host data
// (a shader store, a frame buffer, a texture handle, four corners, four
// texture coordinates, a colour, a location, four parameter values), the
// address of a host function for EXECUTE, or a number (the slot of PASS).
class OV_SCRIPT_ARGUMENTS {
public:
    // Append a pointer, a function's address or a number as the next cell:
    void AddPointer(const void* data) { cells.push_back(reinterpret_cast<uintptr_t>(data)); }
    void AddFunction(void (*function)()) { cells.push_back(reinterpret_cast<uintptr_t>(function)); }
    void AddValue(uintptr_t value) { cells.push_back(value); }
    void Clear() { cells.clear(); }  // removes every cell

    std::vector<uintptr_t> cells;  // the cells, in the order the script receives them
};

// One technique script: its bytes either compiled by the engine into the
// buffer or loaded by the framework, compiledByEngine telling which of the
// two frees them. Compiling or loading again frees the earlier content.
class OV_SCRIPT : public OV_BUFFER {
public:
    bool compiledByEngine = false;  // true when the engine compiled the bytes (and frees them)

    OV_SCRIPT() = default;
    // Copies copy the bytes (see OV_BUFFER) and the flag:
    OV_SCRIPT(const OV_SCRIPT& other) = default;
    OV_SCRIPT& operator=(const OV_SCRIPT& other) = default;
    ~OV_SCRIPT() { Free(); }

    // False (the script left empty) when the source does not compile.
    bool CompileFile(const char* path);
    bool Compile(const char* text, uint32_t size);  // the same from size bytes of source text
    // The compiled form written to targetPath; the engine's result.
    static bool CompileFileToFile(const char* sourcePath, const char* targetPath);
    static bool CompileToFile(const char* text, uint32_t size, const char* targetPath);  // the same from text
    // The file's bytes as they are; false (the script left empty) when the
    // file cannot be read or is empty.
    bool LoadCompiledFile(const char* path);
    // Copies size bytes; false when data is null or size is 0.
    bool LoadCompiled(const void* data, uint32_t size);
    // 0 at once when the script is empty; otherwise the engine's result of
    // running it with the arguments' cells (none when arguments is null).
    int Execute(OV_SCRIPT_ARGUMENTS* arguments = nullptr);
    void Free();  // frees the bytes; the script is empty
};

}  // namespace OvCore
