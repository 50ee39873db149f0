// OV_SHADER_STORE: the program's shaders in numbered slots, and the engine's shader calls.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/String.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace OvCore {

// Slot kinds: a pair of assembly programs activated one by one, or one
// linked GLSL program:
constexpr int32_t OV_SHADER_PAIR = 12;
constexpr int32_t OV_SHADER_LINKED = 13;

// One slot. The vertex and fragment handles lie next to each other: the
// program is made from the pair starting at vertex. For a pair slot they are
// the live programs; for a linked slot only program stays alive.
struct OV_SHADER_SLOT {
    int32_t kind = 0;  // OV_SHADER_PAIR or OV_SHADER_LINKED; 0 for an unloaded slot
    // The vertex and fragment programs, and the linked program:
    OvHandle vertex = EmptyHandle();
    OvHandle fragment = EmptyHandle();
    OvHandle program = EmptyHandle();
};
static_assert(sizeof(OvHandle) * 2 == offsetof(OV_SHADER_SLOT, program) - offsetof(OV_SHADER_SLOT, vertex));

// The program's shaders in numbered slots, each with the text of its build
// log. Slots are addressed by a caller-chosen index; loading a larger index
// grows the store to index + 1, the new slots unloaded with empty logs.
class OV_SHADER_STORE {
public:
    // Sources are file names. A linked slot's build appends one line per step
    // to the slot's log ("... Successful!" or "... Failed! " and GL's message,
    // each ended by "\r\n"); the result is true whatever the log says, false
    // only for a negative index or an unknown kind. Loading a slot again
    // releases what it held before.
    bool Load(int index, int kind, const char* vertexSource, const char* fragmentSource);
    // The same with the sources' texts.
    bool LoadFromMemory(int index, int kind, const char* vertexSource, const char* fragmentSource);
    int GetCount() const { return static_cast<int>(slots.size()); }  // slots in the store
    // The slot's log; empty for an index out of range.
    void GetLog(int index, OV_STRING& outText) const;
    // Activates the slot's programs; false for an index out of range or an unloaded slot.
    bool Activate(int index) const;
    // -1 unless the index is a linked slot.
    int32_t UniformLocation(int index, const char* name) const;
    int32_t AttributeLocation(int index, const char* name) const;  // -1 unless the index is a linked slot
    // Destroys every slot's programs and empties the store.
    void Release();

    std::vector<OV_SHADER_SLOT> slots;  // the slots, by index
    std::vector<OV_STRING> logs;  // each slot's build log

private:
    using Loader = int (*)(OvHandle, int, const char*);
    bool LoadWith(Loader load, int index, int kind, const char* vertexSource, const char* fragmentSource);
    void LoadLinked(Loader load, int index, const char* vertexSource, const char* fragmentSource);
    void ReleaseSlot(OV_SHADER_SLOT& slot);
    const OV_SHADER_SLOT* LinkedSlot(int index) const;
};

// Engine shader setup on the current target; the engine's result.
bool InitShaders();
// Ends every active program: assembly vertex, assembly fragment, GLSL.
void DeactivateShaders();
// kind OV_SHADER_PAIR: the local parameter `location` of the vertex program
// unless flags has bit 0, of the fragment program unless it has bit 1;
// kind OV_SHADER_LINKED: the uniform, flags giving its component count.
// False for other kinds.
bool SetShaderParam(int kind, int location, float x, float y, float z, float w, int flags);
// The same with four integers (converted to float for a pair); false for null values.
bool SetShaderParamInteger(int kind, int location, const int32_t* values, int flags);
// The current GLSL program's uniforms and attributes: a 4 x 4 matrix (16
// doubles, column-major unless transpose), one integer, and an attribute of
// count components. Always true:
bool SetShaderMatrix(int location, const double* matrix, bool transpose);
bool SetShaderInteger(int location, int32_t value);
bool SetShaderAttribute(int location, float x, float y, float z, float w, int count);

}  // namespace OvCore
