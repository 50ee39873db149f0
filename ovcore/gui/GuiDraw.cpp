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
    OvDrawData(kind, 0, 4, positions, colors, coords, nullptr, nullptr, OV_COMPONENTS_FLOAT, 0, 0, 0, 0, 0, 0, 4,
               0, 0, 0, 0, 0, 0, 0);
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
    const OV_VECTOR position(style.textOffset.x + corner.x, style.textOffset.y + corner.y,
                             style.textOffset.z + corner.z, 1);
    font->DrawText(text, position, style.textScale, OV_ANGLES(0, 0, 0, 0));
    font->horizontalAlign = horizontal;
    font->verticalAlign = vertical;
}

}  // namespace

void OV_GUI::Draw() {
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
    if (IsEmptyHandle(style->texture)) OvTextureUnactivate();
    else OvTextureActivate(style->texture);
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
        OvTextureActivate(control->icon);
        OvMatrixPush();
        OvMatrixTranslate(control->corners[0].x, control->corners[0].y, control->corners[0].z);
        DrawQuad(OV_PRIMITIVE_QUADS, style->iconRect, nullptr, kIconCoords);
        OvMatrixPop();
    }
    if (control->cutArea) OvSetState(OV_STATE_CLIPPING, 0);
}

}  // namespace OvCore
