#include "ovcore/render/ShaderStore.h"

namespace OvCore {

namespace {

// Appends the step's line to the log: GL's message when the step failed.
void LogStep(OV_STRING& log, const char* step) {
    const char* message = OvShaderLastLog();
    log += step;
    if (message && *message) {
        log += ": Failed! ";
        log += message;
        log += "\r\n";
    } else {
        log += ": Successful!\r\n";
    }
}

}  // namespace

bool OV_SHADER_STORE::Load(int index, int kind, const char* vertexSource, const char* fragmentSource) {
    return LoadWith(OvShaderLoad, index, kind, vertexSource, fragmentSource);
}

bool OV_SHADER_STORE::LoadFromMemory(int index, int kind, const char* vertexSource, const char* fragmentSource) {
    return LoadWith(OvShaderLoadFromMemory, index, kind, vertexSource, fragmentSource);
}

bool OV_SHADER_STORE::LoadWith(Loader load, int index, int kind, const char* vertexSource, const char* fragmentSource) {
    if (index < 0) return false;
    if (static_cast<size_t>(index) >= slots.size()) {
        slots.resize(static_cast<size_t>(index) + 1);
        logs.resize(static_cast<size_t>(index) + 1);
    }
    OV_SHADER_SLOT& slot = slots[static_cast<size_t>(index)];
    if (kind == OV_SHADER_PAIR) {
        ReleaseSlot(slot);
        slot.kind = OV_SHADER_PAIR;
        OvShaderCreate(&slot.vertex);
        OvShaderCreate(&slot.fragment);
        load(slot.vertex, OV_SHADER_ASSEMBLY_VERTEX, vertexSource);
        load(slot.fragment, OV_SHADER_ASSEMBLY_FRAGMENT, fragmentSource);
        return true;
    }
    if (kind == OV_SHADER_LINKED) {
        ReleaseSlot(slot);
        LoadLinked(load, index, vertexSource, fragmentSource);
        return true;
    }
    return false;
}

void OV_SHADER_STORE::LoadLinked(Loader load, int index, const char* vertexSource, const char* fragmentSource) {
    OV_SHADER_SLOT& slot = slots[static_cast<size_t>(index)];
    OV_STRING& log = logs[static_cast<size_t>(index)];
    slot.kind = OV_SHADER_LINKED;
    OvShaderCreate(&slot.program);
    OvShaderCreate(&slot.vertex);
    OvShaderCreate(&slot.fragment);
    load(slot.vertex, OV_SHADER_VERTEX, vertexSource);
    LogStep(log, "Load Vertex Shader");
    load(slot.fragment, OV_SHADER_FRAGMENT, fragmentSource);
    LogStep(log, "Load Fragment Shader");
    OvShaderMakeProgram(slot.program, &slot.vertex, 2);
    LogStep(log, "Make Shader Program");
    OvShaderDestroy(slot.vertex);
    OvShaderDestroy(slot.fragment);
}

// What a slot holds alive by its kind; an unloaded slot holds nothing.
void OV_SHADER_STORE::ReleaseSlot(OV_SHADER_SLOT& slot) {
    if (slot.kind == OV_SHADER_PAIR) {
        OvShaderDestroy(slot.vertex);
        OvShaderDestroy(slot.fragment);
    } else if (slot.kind == OV_SHADER_LINKED) {
        OvShaderDestroy(slot.program);
    }
    slot = OV_SHADER_SLOT{};
}

void OV_SHADER_STORE::GetLog(int index, OV_STRING& outText) const {
    if (index < 0 || static_cast<size_t>(index) >= logs.size()) {
        outText.Clear();
        return;
    }
    outText = logs[static_cast<size_t>(index)];
}

bool OV_SHADER_STORE::Activate(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= slots.size()) return false;
    const OV_SHADER_SLOT& slot = slots[static_cast<size_t>(index)];
    if (slot.kind == OV_SHADER_PAIR) {
        OvShaderActivate(slot.vertex);
        OvShaderActivate(slot.fragment);
        return true;
    }
    if (slot.kind == OV_SHADER_LINKED) {
        OvShaderActivate(slot.program);
        return true;
    }
    return false;
}

const OV_SHADER_SLOT* OV_SHADER_STORE::LinkedSlot(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= slots.size()) return nullptr;
    const OV_SHADER_SLOT& slot = slots[static_cast<size_t>(index)];
    return slot.kind == OV_SHADER_LINKED ? &slot : nullptr;
}

int32_t OV_SHADER_STORE::UniformLocation(int index, const char* name) const {
    const OV_SHADER_SLOT* slot = LinkedSlot(index);
    return slot ? OvShaderUniformLocation(slot->program, name) : -1;
}

int32_t OV_SHADER_STORE::AttributeLocation(int index, const char* name) const {
    const OV_SHADER_SLOT* slot = LinkedSlot(index);
    return slot ? OvShaderAttributeLocation(slot->program, name) : -1;
}

void OV_SHADER_STORE::Release() {
    for (OV_SHADER_SLOT& slot : slots) ReleaseSlot(slot);
    slots.clear();
    logs.clear();
}

bool InitShaders() { return OvShaderInit() != 0; }

void DeactivateShaders() {
    OvShaderUnactivate(OV_SHADER_ASSEMBLY_VERTEX);
    OvShaderUnactivate(OV_SHADER_ASSEMBLY_FRAGMENT);
    OvShaderUnactivate(OV_SHADER_PROGRAM);
}

bool SetShaderParam(int kind, int location, float x, float y, float z, float w, int flags) {
    if (kind == OV_SHADER_PAIR) {
        if (!(flags & 1)) OvShaderLocalParam(OV_SHADER_ASSEMBLY_VERTEX, location, x, y, z, w);
        if (!(flags & 2)) OvShaderLocalParam(OV_SHADER_ASSEMBLY_FRAGMENT, location, x, y, z, w);
        return true;
    }
    if (kind == OV_SHADER_LINKED) {
        OvShaderUniform(location, x, y, z, w, flags);
        return true;
    }
    return false;
}

bool SetShaderParamInteger(int kind, int location, const int32_t* values, int flags) {
    if (!values) return false;
    if (kind == OV_SHADER_PAIR) {
        return SetShaderParam(kind, location, static_cast<float>(values[0]), static_cast<float>(values[1]),
                              static_cast<float>(values[2]), static_cast<float>(values[3]), flags);
    }
    if (kind == OV_SHADER_LINKED) {
        OvShaderUniformInteger(location, values, flags);
        return true;
    }
    return false;
}

bool SetShaderMatrix(int location, const double* matrix, bool transpose) {
    OvShaderUniformMatrix(location, matrix, transpose ? 1 : 0);
    return true;
}

bool SetShaderInteger(int location, int32_t value) {
    OvShaderUniformInteger(location, &value, 1);
    return true;
}

bool SetShaderAttribute(int location, float x, float y, float z, float w, int count) {
    OvShaderAttribute(location, x, y, z, w, count);
    return true;
}

}  // namespace OvCore
