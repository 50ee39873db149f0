// TrueType text: the framework's own font (DejaVu Sans), loaded at two pixel
// sizes with no file of the program's, draws a heading, a paragraph centred
// about the middle of the window, accented Latin-1 letters and a line
// measured and underlined; glyphs reach the font's atlas as they are first
// drawn. A third font shows a size chosen at run time.
// Controls: Up / Down make the bottom line's font larger / smaller (8 to
// 64 pixels); Escape quits.
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/render/FontCollection.h"

#include <cstdio>

using namespace OvCore;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kMinSize = 8;
constexpr int kMaxSize = 64;

int bottomSize = 24;

void Colour(double r, double g, double b) { OvSetState(OV_STATE_DRAW_COLOR, r, g, b, 1.0); }

void DrawUnderlined(OV_FONT& font, const char* text, double x, double y) {
    font.DrawText(text, OV_VECTOR(x, y), OV_VECTOR(1, 1), OV_ANGLES());
    const OV_VECTOR size = font.MeasureText(text);
    OvSetState(OV_STATE_TEXTURING, 0);
    OvPrimitiveBegin(OV_PRIMITIVE_QUADS);
    OvPutVertex(x, y + size.y + 2, 0, 1);
    OvPutVertex(x + size.x, y + size.y + 2, 0, 1);
    OvPutVertex(x + size.x, y + size.y + 4, 0, 1);
    OvPutVertex(x, y + size.y + 4, 0, 1);
    OvPrimitiveEnd();
    OvSetState(OV_STATE_TEXTURING, 1);
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    OV_FONT& sized = *Fonts().Get("sized", 0);
    const int wanted = bottomSize + (KeyPressed(VK_UP) ? 4 : 0) - (KeyPressed(VK_DOWN) ? 4 : 0);
    if (wanted != bottomSize && wanted >= kMinSize && wanted <= kMaxSize && sized.LoadDefault(wanted)) {
        bottomSize = wanted;
    }
}

void Draw() {
    UseWindowView();
    OvRenderScene(OV_SCENE_CLEAR_COLOR);

    OV_FONT& heading = *Fonts().Get("heading", 0);
    OV_FONT& body = *Fonts().Get("body", 0);
    Colour(1.0, 0.85, 0.2);
    DrawUnderlined(heading, "TrueType text", 24, 20);

    Colour(1.0, 1.0, 1.0);
    body.verticalAlign = 0;
    body.horizontalAlign = 0;
    body.DrawText("Every line of this paragraph\nis centred about the middle\nof the window.",
                  OV_VECTOR(kWidth / 2.0, kHeight / 2.0), OV_VECTOR(1, 1), OV_ANGLES());
    body.verticalAlign = -1;
    body.horizontalAlign = -1;

    Colour(0.4, 0.8, 1.0);
    body.DrawText(
        "Gr\xFC\xDF"
        "e, \xE9t\xE9, \xC5ngstr\xF6m, \xA9 2026",
        OV_VECTOR(24, 330), OV_VECTOR(1, 1), OV_ANGLES());
    char line[64];
    std::snprintf(line, sizeof(line), "%d pixels (Up / Down)", bottomSize);
    Fonts().Get("sized", 0)->DrawText(line, OV_VECTOR(24, 380), OV_VECTOR(1, 1), OV_ANGLES());
    DrawControls("Up / Down: size; Escape quits", 400, 8);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_PRESENT);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main() {
    if (!OpenExampleWindow("TrueType text", kWidth, kHeight)) return 1;
    if (!Fonts().Get("heading", 0)->LoadDefault(48) || !Fonts().Get("body", 0)->LoadDefault(20) ||
        !Fonts().Get("sized", 0)->LoadDefault(bottomSize)) {
        std::fprintf(stderr, "example_truetype: %s\n", OvLastError());
        CloseExampleWindow();
        return 1;
    }

    RunMessageLoop(Frame, nullptr);

    CloseExampleWindow();
    return 0;
}
