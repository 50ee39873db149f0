#include "ovcore/app/RenderStateFunctions.h"

#include "ovcore/engine/OrvoCore.h"

#include <cctype>

namespace OvCore {

namespace {

int ShiftOf(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'R': return 0;
    case 'G': return 8;
    case 'B': return 16;
    case 'A': return 24;
    default: return -1;
    }
}

}  // namespace

double ChannelOf(uint32_t color, char letter) {
    const int shift = ShiftOf(letter);
    if (shift < 0) return 0.0;
    return static_cast<double>((color >> shift) & 0xFFu) / 255.0;
}

void SetColor(uint32_t packed) {
    SetColor(ChannelOf(packed, 'R'), ChannelOf(packed, 'G'), ChannelOf(packed, 'B'), ChannelOf(packed, 'A'));
}

void SetColor(double r, double g, double b, double a) { OvSetState(OV_STATE_DRAW_COLOR, r, g, b, a); }

void ClearScreen(uint32_t packed) {
    ClearScreen(ChannelOf(packed, 'R'), ChannelOf(packed, 'G'), ChannelOf(packed, 'B'), ChannelOf(packed, 'A'));
}

void ClearScreen(double r, double g, double b, double a) {
    OvSetState(OV_STATE_CLEAR_COLOR, r, g, b, a);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
}

void SetBlend(int source, int destination) { OvSetState(OV_STATE_BLEND_FACTORS, source, destination); }

void DefaultBlend() { SetBlend(OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA); }

}  // namespace OvCore
