// The engine's render states by id: how many values each takes and of which
// kind, their stored values, and how they reach GL.
#pragma once

#include "ovcore/engine/OrvoCore.h"

#include <cstdarg>

namespace ov {

enum class StateKind { Doubles, Integers };

struct StateSlot {
    int id;
    StateKind kind;
    int count;
    double reals[4];
    int integers[4];
};

class StateTable {
public:
    StateTable();
    // Reads the id's values from `values`; false (nothing stored) for an
    // unknown or read-only id or values out of range.
    bool Set(int id, va_list values);
    // Pointer to the stored values; null for unknown ids.
    void* Get(int id);
    // Puts every GL-side state on the current context.
    void ApplyAll() const;
    void Apply(int id) const;

    const double* ClearColour() const { return Slot(kClearColour).reals; }
    // Every vertex asks for these two: read from their fixed slots.
    const double* DrawColour() const { return slots_[kDrawColourSlot].reals; }
    bool Texturing() const { return slots_[kTexturingSlot].integers[0] != 0; }
    // A point is a textured sprite while both of its switches are on.
    bool PointSprites() const {
        return Slot(kPointSprite).integers[0] != 0 && Slot(kPointSpriteCoords).integers[0] != 0;
    }
    bool SmoothPoints() const { return Slot(kSmoothPoints).integers[0] != 0; }

    static constexpr int kCurrentTarget = OV_STATE_CURRENT_TARGET;
    static constexpr int kBoundTexture = OV_STATE_BOUND_TEXTURE;
    static constexpr int kClearColour = OV_STATE_CLEAR_COLOR;
    static constexpr int kDrawColour = OV_STATE_DRAW_COLOR;
    static constexpr int kTexturing = OV_STATE_TEXTURING;
    static constexpr int kBlending = OV_STATE_BLENDING;
    static constexpr int kBlendFactors = OV_STATE_BLEND_FACTORS;
    static constexpr int kClipRectangle = OV_STATE_CLIP_RECT;
    static constexpr int kClipping = OV_STATE_CLIPPING;
    static constexpr int kPointSize = OV_STATE_POINT_SIZE;
    static constexpr int kPointSprite = OV_STATE_POINT_SPRITES;
    static constexpr int kPointSpriteCoords = OV_STATE_POINT_SPRITE_COORDS;
    static constexpr int kSmoothPoints = OV_STATE_SMOOTH_POINTS;
    // Soft bodies: gravity (x, y in pixels a second, a second) and the clock
    // that steps them (0 real time, 1 only OvDnaAdvance).
    static constexpr int kGravity = OV_STATE_GRAVITY;
    static constexpr int kPhysicsClock = OV_STATE_PHYSICS_CLOCK;
    // Grid-font metrics, read when text is drawn.
    static constexpr int kCharacterWidth = OV_STATE_CHARACTER_WIDTH;
    static constexpr int kCharacterHeight = OV_STATE_CHARACTER_HEIGHT;
    static constexpr int kCharacterSpacing = OV_STATE_CHARACTER_SPACING;
    static constexpr int kLineSpacing = OV_STATE_LINE_SPACING;
    static constexpr int kLineBreak = OV_STATE_LINE_BREAK;

private:
    StateSlot* Find(int id);
    // A direct index, not a search. Unknown ids read the first slot.
    const StateSlot& Slot(int id) const {
        const int index = id >= 0 && id < kIdRange ? slotOfId_[id] : -1;
        return slots_[index >= 0 ? index : 0];
    }
    bool Accepts(const StateSlot& slot, const StateSlot& candidate) const;
    bool ChangesPendingPixels(const StateSlot& slot, const StateSlot& candidate) const;

    static constexpr int kSlotCount = 18;
    static constexpr int kDrawColourSlot = 1;
    static constexpr int kTexturingSlot = 3;
    static constexpr int kIdRange = kPhysicsClock + 1;  // every id above, up to the soft-body states
    StateSlot slots_[kSlotCount];
    signed char slotOfId_[kIdRange];
};

// Inline, as every drawing call asks for it.
inline StateTable& States() {
    static StateTable table;
    return table;
}

bool IsBlendFactor(int value);
// The GL factor of a blend value (156 to 170; GL_ZERO for unknown values).
unsigned BlendFactorToGl(int value);

}  // namespace ov
