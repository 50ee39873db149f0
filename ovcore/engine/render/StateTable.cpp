#include "ovcore/engine/render/StateTable.h"

#include "ovcore/engine/render/RenderContext.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/engine/texture/TextureStore.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace ov {

namespace {

constexpr StateSlot kDefaults[] = {
    {StateTable::kClearColour, StateKind::Doubles, 4, {0, 0, 0, 0}, {}},
    {StateTable::kDrawColour, StateKind::Doubles, 4, {1, 1, 1, 1}, {}},
    {StateTable::kPointSize, StateKind::Doubles, 1, {1, 0, 0, 0}, {}},
    {StateTable::kTexturing, StateKind::Integers, 1, {}, {0}},
    {StateTable::kBlending, StateKind::Integers, 1, {}, {0}},
    {98, StateKind::Integers, 1, {}, {'\n'}},
    {StateTable::kPointSprite, StateKind::Integers, 1, {}, {0}},
    {StateTable::kPointSpriteCoords, StateKind::Integers, 1, {}, {0}},
    {StateTable::kSmoothPoints, StateKind::Integers, 1, {}, {0}},
    {StateTable::kBlendFactors, StateKind::Integers, 2, {}, {OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA}},
    {StateTable::kClipRectangle, StateKind::Integers, 4, {}, {0, 0, 0, 0}},
    {StateTable::kClipping, StateKind::Integers, 1, {}, {0}},
    {StateTable::kCharacterWidth, StateKind::Doubles, 1, {16, 0, 0, 0}, {}},
    {StateTable::kCharacterHeight, StateKind::Doubles, 1, {16, 0, 0, 0}, {}},
    {StateTable::kCharacterSpacing, StateKind::Doubles, 1, {0, 0, 0, 0}, {}},
    {StateTable::kLineSpacing, StateKind::Doubles, 1, {0, 0, 0, 0}, {}},
    {StateTable::kGravity, StateKind::Doubles, 2, {0, OV_DEFAULT_GRAVITY, 0, 0}, {}},
    {StateTable::kPhysicsClock, StateKind::Integers, 1, {}, {0}},
};

OvHandle g_currentHandle{1, 0};
OvHandle g_boundTexture{1, 0};

}  // namespace

bool IsBlendFactor(int value) { return value >= OV_BLEND_ZERO && value <= OV_BLEND_ONE_MINUS_CONSTANT_ALPHA; }

unsigned BlendFactorToGl(int value) {
    switch (value) {
    case OV_BLEND_ZERO: return GL_ZERO;
    case OV_BLEND_ONE: return GL_ONE;
    case OV_BLEND_SRC_COLOR: return GL_SRC_COLOR;
    case OV_BLEND_ONE_MINUS_SRC_COLOR: return GL_ONE_MINUS_SRC_COLOR;
    case OV_BLEND_DST_COLOR: return GL_DST_COLOR;
    case OV_BLEND_ONE_MINUS_DST_COLOR: return GL_ONE_MINUS_DST_COLOR;
    case OV_BLEND_SRC_ALPHA: return GL_SRC_ALPHA;
    case OV_BLEND_ONE_MINUS_SRC_ALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case OV_BLEND_DST_ALPHA: return GL_DST_ALPHA;
    case OV_BLEND_ONE_MINUS_DST_ALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case OV_BLEND_SRC_ALPHA_SATURATE: return GL_SRC_ALPHA_SATURATE;
    case OV_BLEND_CONSTANT_COLOR: return GL_CONSTANT_COLOR;
    case OV_BLEND_ONE_MINUS_CONSTANT_COLOR: return GL_ONE_MINUS_CONSTANT_COLOR;
    case OV_BLEND_CONSTANT_ALPHA: return GL_CONSTANT_ALPHA;
    case OV_BLEND_ONE_MINUS_CONSTANT_ALPHA: return GL_ONE_MINUS_CONSTANT_ALPHA;
    default: return 0;
    }
}

StateTable::StateTable() {
    static_assert(sizeof(kDefaults) / sizeof(kDefaults[0]) == kSlotCount);
    static_assert(kDefaults[kDrawColourSlot].id == kDrawColour && kDefaults[kTexturingSlot].id == kTexturing);
    std::copy(std::begin(kDefaults), std::end(kDefaults), slots_);
    std::fill(std::begin(slotOfId_), std::end(slotOfId_), -1);
    static_assert(kSlotCount < 128);
    for (int index = 0; index < kSlotCount; ++index) {
        const int id = slots_[index].id;
        if (id >= 0 && id < kIdRange) slotOfId_[id] = static_cast<signed char>(index);
    }
}

StateSlot* StateTable::Find(int id) {
    const int index = id >= 0 && id < kIdRange ? slotOfId_[id] : -1;
    return index >= 0 ? &slots_[index] : nullptr;
}

bool StateTable::Accepts(const StateSlot& slot, const StateSlot& candidate) const {
    if (slot.id == kBlendFactors) {
        return IsBlendFactor(candidate.integers[0]) && IsBlendFactor(candidate.integers[1]);
    }
    if (slot.id == kPointSize) return candidate.reals[0] > 0.0;
    if (slot.id == kGravity) return std::isfinite(candidate.reals[0]) && std::isfinite(candidate.reals[1]);
    if (slot.id == kPhysicsClock) return candidate.integers[0] == 0 || candidate.integers[0] == 1;
    return true;
}

// Colour and texturing are taken per vertex when drawing is batched; the
// other GL-side states apply to a whole draw call, so pending drawing has to
// go out under the old value.
bool StateTable::ChangesPendingPixels(const StateSlot& slot, const StateSlot& candidate) const {
    switch (slot.id) {
    case kDrawColour:
    case kClearColour:
    case kTexturing:
    case 98:
    case kCharacterWidth:
    case kCharacterHeight:
    case kCharacterSpacing:
    case kLineSpacing:
    case kGravity:
    case kPhysicsClock: return false;
    default:
        return !std::equal(slot.reals, slot.reals + 4, candidate.reals) ||
               !std::equal(slot.integers, slot.integers + 4, candidate.integers);
    }
}

bool StateTable::Set(int id, va_list values) {
    StateSlot* slot = Find(id);
    if (!slot) return false;
    StateSlot candidate = *slot;
    for (int i = 0; i < slot->count; ++i) {
        if (slot->kind == StateKind::Doubles) {
            candidate.reals[i] = va_arg(values, double);
        } else {
            candidate.integers[i] = va_arg(values, int);
        }
    }
    if (!Accepts(*slot, candidate)) return false;
    if (ChangesPendingPixels(*slot, candidate)) Render().Flush();
    *slot = candidate;
    return true;
}

void* StateTable::Get(int id) {
    if (id == kCurrentTarget) {
        const RenderTarget* current = Render().Current();
        g_currentHandle = current ? OvHandle{0, current->id} : OvHandle{1, 0};
        return &g_currentHandle;
    }
    if (id == kBoundTexture) {
        const Texture* bound = Textures().Bound();
        g_boundTexture = bound ? OvHandle{0, bound->id} : OvHandle{1, 0};
        return &g_boundTexture;
    }
    StateSlot* slot = Find(id);
    if (!slot) return nullptr;
    if (slot->kind == StateKind::Doubles) return slot->reals;
    return slot->integers;
}

void StateTable::Apply(int id) const {
    if (!Render().Ready()) return;
    const StateSlot& slot = Slot(id);
    if (slot.id != id) return;
    const int* values = slot.integers;
    switch (id) {
    case kBlending: values[0] ? glEnable(GL_BLEND) : glDisable(GL_BLEND); break;
    case kBlendFactors: glBlendFunc(BlendFactorToGl(values[0]), BlendFactorToGl(values[1])); break;
    case kClipping: values[0] ? glEnable(GL_SCISSOR_TEST) : glDisable(GL_SCISSOR_TEST); break;
    case kClipRectangle: glScissor(values[0], values[1], std::max(values[2], 0), std::max(values[3], 0)); break;
    case kClearColour:
        glClearColor(static_cast<GLfloat>(slot.reals[0]), static_cast<GLfloat>(slot.reals[1]),
                     static_cast<GLfloat>(slot.reals[2]), static_cast<GLfloat>(slot.reals[3]));
        break;
    case kPointSize: glPointSize(static_cast<GLfloat>(slot.reals[0])); break;
    default: break;
    }
}

void StateTable::ApplyAll() const {
    for (int id : {kBlending, kBlendFactors, kClipping, kClipRectangle, kClearColour, kPointSize}) {
        Apply(id);
    }
}

}  // namespace ov

extern "C" OV_API void OvSetState(int id, ...) {
    va_list values;
    va_start(values, id);
    bool stored = ov::States().Set(id, values);
    va_end(values);
    if (stored) ov::States().Apply(id);
}

extern "C" OV_API void* OvGetState(int id) { return ov::States().Get(id); }
