#include "ovcore/render/TechniqueHandlers.h"

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/render/FrameBuffer.h"
#include "ovcore/render/ShaderStore.h"
#include "ovcore/render/TechniqueShaders.h"

#include <utility>

namespace OvCore {

namespace {

// The value the host bound to the variable whose cell address is argument.
uintptr_t CellValue(uintptr_t argument) { return *reinterpret_cast<const uintptr_t*>(argument); }

template <class T>
T* CellPointer(uintptr_t argument) {
    return reinterpret_cast<T*>(CellValue(argument));
}

void DrawQuad(const OV_VECTOR* corners, const OV_VECTOR* texcoords) {
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, texcoords, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0,
               0);
}

void Reverse(OV_VECTOR* texcoords) {
    std::swap(texcoords[0], texcoords[3]);
    std::swap(texcoords[1], texcoords[2]);
}

// Binds the source of RECT; false for a keyword other than TEXTURE or CANVAS
// or a null source.
bool BindRectSource(uintptr_t kind, uintptr_t source) {
    if (kind == TK_TEXTURE) {
        const auto* texture = CellPointer<const OvHandle>(source);
        if (!texture) return false;
        OvTextureActivate(*texture);
        return true;
    }
    if (kind == TK_CANVAS) {
        const auto* frameBuffer = CellPointer<const OV_FRAMEBUFFER>(source);
        if (!frameBuffer) return false;
        frameBuffer->ActivateTexture();
        return true;
    }
    return false;
}

// 1 to 4 for FLOAT..VEC4 (or INT..IVEC4 from first), 0 otherwise.
int ComponentCount(uintptr_t keyword, int first) {
    const auto offset = static_cast<intptr_t>(keyword) - first;
    return offset >= 0 && offset < 4 ? static_cast<int>(offset) + 1 : 0;
}

}  // namespace

void TechniqueExecute(const uintptr_t* stream) {
    auto function = reinterpret_cast<void (*)()>(CellValue(stream[0]));
    if (function) function();
}

void TechniqueClear(const uintptr_t* stream) {
    switch (stream[0]) {
    case TK_COLOR: OvRenderScene(OV_SCENE_CLEAR_COLOR); break;
    case TK_DEPTH: OvRenderScene(OV_SCENE_CLEAR_DEPTH); break;
    case TK_STENCIL: OvRenderScene(OV_SCENE_CLEAR_STENCIL); break;
    case TK_ACCUM: OvRenderScene(OV_SCENE_CLEAR_ACCUM); break;
    default: break;
    }
}

void TechniquePass(const uintptr_t* stream) {
    if (stream[0] == TK_DISABLE) {
        DeactivateShaders();
        return;
    }
    const auto* store = CellPointer<const OV_SHADER_STORE>(stream[1]);
    if (stream[0] == TK_ENABLE && store) store->Activate(static_cast<int>(CellValue(stream[2])));
}

void TechniqueCanvas(const uintptr_t* stream) {
    auto* frameBuffer = CellPointer<OV_FRAMEBUFFER>(stream[1]);
    if (!frameBuffer) return;
    const bool flag = stream[2] == TK_TRUE;
    if (stream[0] == TK_ENABLE) frameBuffer->Activate(flag);
    if (stream[0] == TK_DISABLE) frameBuffer->Deactivate(flag);
}

void TechniqueRect(const uintptr_t* stream) {
    const auto* corners = CellPointer<const OV_VECTOR>(stream[2]);
    auto* texcoords = CellPointer<OV_VECTOR>(stream[3]);
    if (!corners || !texcoords) return;
    if (stream[0] != TK_TEXTURE && stream[0] != TK_CANVAS) return;
    const bool upsideDown = stream[4] == TK_TRUE;
    if (upsideDown) Reverse(texcoords);
    if (BindRectSource(stream[0], stream[1])) {
        DrawQuad(corners, texcoords);
        OvTextureUnactivate();
    }
    // Reversing twice gives the host's order back.
    if (upsideDown) Reverse(texcoords);
}

void TechniqueImage(const uintptr_t* stream) {
    const auto* texture = CellPointer<const OvHandle>(stream[0]);
    const auto* corners = CellPointer<const OV_VECTOR>(stream[1]);
    if (!texture || !corners) return;
    OvTextureFromRender(*texture, static_cast<int>(corners[0].x), static_cast<int>(corners[0].y),
                        static_cast<int>(corners[2].x), static_cast<int>(corners[2].y), stream[2] == TK_TRUE ? 1 : 0);
}

void TechniqueColor(const uintptr_t* stream) {
    const auto* colour = CellPointer<const OV_VECTOR>(stream[1]);
    if (!colour) return;
    if (stream[0] == TK_MODEL) OvSetState(OV_STATE_DRAW_COLOR, colour->x, colour->y, colour->z, colour->w);
    if (stream[0] == TK_SCENE) OvSetState(OV_STATE_CLEAR_COLOR, colour->x, colour->y, colour->z, colour->w);
}

void TechniqueBlend(const uintptr_t* stream) {
    OvSetState(OV_STATE_BLEND_FACTORS, TechniqueBlendValue(stream[0]), TechniqueBlendValue(stream[1]));
}

void TechniqueParam(const uintptr_t* stream) {
    const auto* location = CellPointer<const int32_t>(stream[2]);
    const void* values = CellPointer<const void>(stream[3]);
    if (!location || !values) return;
    if (const int count = ComponentCount(stream[0], TK_FLOAT)) {
        const auto* v = static_cast<const float*>(values);
        SetShaderParam(OV_SHADER_LINKED, *location, v[0], v[1], v[2], v[3], count);
    } else if (const int integers = ComponentCount(stream[0], TK_INT)) {
        SetShaderParamInteger(OV_SHADER_LINKED, *location, static_cast<const int32_t*>(values), integers);
    }
}

void TechniqueAttrib(const uintptr_t* stream) {
    const auto* location = CellPointer<const int32_t>(stream[2]);
    const auto* v = CellPointer<const float>(stream[3]);
    if (!location || !v) return;
    if (const int count = ComponentCount(stream[0], TK_FLOAT)) {
        SetShaderAttribute(*location, v[0], v[1], v[2], v[3], count);
    }
}

}  // namespace OvCore
