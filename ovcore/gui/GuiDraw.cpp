#include "ovcore/gui/ControlWalk.h"
#include "ovcore/gui/Gui.h"

namespace OvCore {

namespace {

// Texture coordinates of the icon quad, corner by corner.
const OV_VECTORF kIconCoords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};

int RenderTargetHeight() {
    const auto* target = static_cast<const OvHandle*>(OvGetState(OV_STATE_CURRENT_TARGET));
    if (!target) return 0;
    const auto* height = static_cast<const int*>(OvRenderTargetGet(*target, OV_TARGET_HEIGHT));
    return height ? *height : 0;
}

void DrawQuad(int kind, const OV_VECTORF* positions, const OV_VECTORF* colors, const OV_VECTORF* coords) {
    OvDrawData(kind, 0, 4, positions, colors, coords, nullptr, nullptr, OV_COMPONENTS_FLOAT, 0, 0, 0, 0, 0, 0, 4, 0, 0,
               0, 0, 0, 0, 0);
}

// The scissor rectangle of a control, in target pixels counted from the
// bottom, as the engine's clip state takes it.
void ClipTo(OV_GUI_RECT area, const OV_GUI_RECT* clip, int targetHeight) {
    if (clip) area = area.Intersect(*clip);
    const int width = static_cast<int>(area.right - area.left);
    const int height = static_cast<int>(area.bottom - area.top);
    OvSetState(OV_STATE_CLIPPING, 1);
    OvSetState(OV_STATE_CLIP_RECT, static_cast<int>(area.left), targetHeight - static_cast<int>(area.bottom),
               width > 0 ? width : 0, height > 0 ? height : 0);
}

// How far into the rectangle aligned text is anchored: 0 at the left or top,
// a half in the middle, 1 at the right or bottom.
double AlignedShare(int32_t align) { return align == 0 ? 0.5 : align == 1 ? 1.0 : 0.0; }

void DrawText(const OV_CONTROL& control, const OV_STYLE& style) {
    OV_FONT* font = style.textFont;
    const char* text = control.Text();
    if (!font || control.data.IsEmpty() || text[0] == 0) return;
    OvSetState(OV_STATE_DRAW_COLOR, style.textColor.x, style.textColor.y, style.textColor.z, style.textColor.w);
    const int32_t horizontal = font->horizontalAlign;
    const int32_t vertical = font->verticalAlign;
    font->horizontalAlign = style.textHalign;
    font->verticalAlign = style.textValign;
    const OV_VECTORF& corner = control.corners[0];
    OV_VECTOR position(style.textOffset.x + corner.x, style.textOffset.y + corner.y, style.textOffset.z + corner.z, 1);
    if (control.alignText) {
        position.x += AlignedShare(style.textHalign) * (control.corners[2].x - corner.x);
        position.y += AlignedShare(style.textValign) * (control.corners[2].y - corner.y);
    }
    font->DrawText(text, position, style.textScale, OV_ANGLES(0, 0, 0, 0));
    font->horizontalAlign = horizontal;
    font->verticalAlign = vertical;
}

template <class T>
void CopyState(int id, T* out, int count) {
    if (const auto* value = static_cast<const T*>(OvGetState(id)))
        for (int i = 0; i < count; ++i) out[i] = value[i];
}

// The engine states the GUI's drawing depends on or changes: taken before
// the GUI pass and put back after it, so the game's drawing on either side
// neither changes how the GUI looks nor is changed by it.
struct DrawStateGuard {
    int blending = 0;
    int factors[2] = {OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA};
    int texturing = 0;
    int clipping = 0;
    int clip[4] = {};
    double colour[4] = {1, 1, 1, 1};
    OvHandle texture = EmptyHandle();

    DrawStateGuard() {
        CopyState(OV_STATE_BLENDING, &blending, 1);
        CopyState(OV_STATE_BLEND_FACTORS, factors, 2);
        CopyState(OV_STATE_TEXTURING, &texturing, 1);
        CopyState(OV_STATE_CLIPPING, &clipping, 1);
        CopyState(OV_STATE_CLIP_RECT, clip, 4);
        CopyState(OV_STATE_DRAW_COLOR, colour, 4);
        CopyState(OV_STATE_BOUND_TEXTURE, &texture, 1);
        // The GUI's own: alpha blending, texturing on, white, no clip.
        OvSetState(OV_STATE_BLENDING, 1);
        OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
        OvSetState(OV_STATE_TEXTURING, 1);
        OvSetState(OV_STATE_CLIPPING, 0);
        OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    }
    ~DrawStateGuard() {
        OvSetState(OV_STATE_BLENDING, blending);
        OvSetState(OV_STATE_BLEND_FACTORS, factors[0], factors[1]);
        OvSetState(OV_STATE_TEXTURING, texturing);
        OvSetState(OV_STATE_CLIP_RECT, clip[0], clip[1], clip[2], clip[3]);
        OvSetState(OV_STATE_CLIPPING, clipping);
        OvSetState(OV_STATE_DRAW_COLOR, colour[0], colour[1], colour[2], colour[3]);
        if (IsEmptyHandle(texture))
            OvTextureUnactivate();
        else
            OvTextureActivate(texture);
    }
    DrawStateGuard(const DrawStateGuard&) = delete;
    DrawStateGuard& operator=(const DrawStateGuard&) = delete;
};

}  // namespace

void OV_GUI::Draw() {
    if (!root.firstChild) return;
    const DrawStateGuard guard;
    const int targetHeight = RenderTargetHeight();
    WalkControls(root, [&](OV_CONTROL* control) {
        if (!control->visible) return false;
        DrawControl(control, targetHeight);
        return true;
    });
}

void OV_GUI::DrawControl(OV_CONTROL* control, int targetHeight) {
    const OV_STYLE* style = control->style;
    if (!style) return;
    if (IsEmptyHandle(style->texture))
        OvTextureUnactivate();
    else
        OvTextureActivate(style->texture);
    if (control->cutArea) {
        OV_GUI_RECT clip;
        const bool clipped = ClipFromParent(*control, &clip);
        ClipTo(OV_GUI_RECT::Of(*control), clipped ? &clip : nullptr, targetHeight);
    }
    OV_VECTORF corners[4] = {control->corners[0], control->corners[1], control->corners[2], control->corners[3]};
    if (style->asBorder) {
        corners[0].x += 1;
        corners[3].x += 1;
        corners[2].y -= 1;
    }
    DrawQuad(style->asBorder ? OV_PRIMITIVE_OUTLINE : OV_PRIMITIVE_QUADS, corners, style->areaColors,
             style->areaCoords);
    DrawText(*control, *style);
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
    if (!IsEmptyHandle(control->icon)) {
        // The icon rectangle moved to corner 0 here rather than through the
        // model view, which would depend on the matrix mode the game left.
        const OV_VECTORF& origin = control->corners[0];
        OV_VECTORF icon[4];
        for (int i = 0; i < 4; ++i)
            icon[i] = OV_VECTORF(style->iconRect[i].x + origin.x, style->iconRect[i].y + origin.y,
                                 style->iconRect[i].z + origin.z, style->iconRect[i].w);
        OvTextureActivate(control->icon);
        DrawQuad(OV_PRIMITIVE_QUADS, icon, nullptr, kIconCoords);
    }
    if (control->cutArea) OvSetState(OV_STATE_CLIPPING, 0);
}

}  // namespace OvCore
