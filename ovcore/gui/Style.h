// OV_STYLE: how a GUI control is drawn.
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/foundation/VectorF.h"

#include <cstdint>

namespace OvCore {

class OV_GUI;
class OV_FONT;

// How a control is drawn: a quad (filled, or its outline) with a texture,
// per-corner texture coordinates and colours, the control's text in a font,
// and an icon quad. Corners run 0 top-left, 1 top-right, 2 bottom-right,
// 3 bottom-left. A style made with no theme keys is a white, untextured,
// filled quad with black, left- and top-aligned text and no font.
struct OV_STYLE {
    OV_GUI* gui = nullptr;  // the GUI that owns the style
    OvHandle texture = EmptyHandle();  // the quad's texture; empty: untextured
    // Texture coordinates of corners 0 to 3.
    OV_VECTORF areaCoords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    // Colours of corners 0 to 3 (channels 0..1).
    OV_VECTORF areaColors[4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    OV_FONT* textFont = nullptr;  // the text's font; null: no text drawn
    OV_VECTOR textOffset{0, 0, 0, 1};  // where the text starts, from the control's corner 0, in pixels
    OV_VECTOR textScale{1, 1, 1, 1};  // the text's scale
    OV_VECTOR textColor{0, 0, 0, 1};  // the text's colour (channels 0..1)
    int32_t textHalign = -1;  // -1 left, 0 centre, 1 right
    int32_t textValign = -1;  // -1 top, 0 middle, 1 bottom
    // The icon quad's corners, from the control's corner 0, in pixels.
    OV_VECTORF iconRect[4] = {{0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}};
    bool asBorder = false;  // true draws only the quad's outline
};

}  // namespace OvCore
