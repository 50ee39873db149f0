// Soft bodies: a jelly square and a rope of bones, read from the
// ".envboxmodel2d" files beside this source (written by tools/models), fall
// under the engine's gravity; the jelly lands on a row of pinned points and
// the rope hangs from its pinned first bead. The engine steps the bodies by
// the real time between presented frames; the core's frame step draws them.
// Controls: left button drops a fresh jelly at the pointer; Escape quits.
// Usage: example_softbody [data folder]
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/render/TextureCollection.h"
#include "ovcore/world/FrameStep.h"
#include "ovcore/world/Models.h"

#include <string>

using namespace OvCore;

namespace {

constexpr int kLeftButton = 1;

std::string dataFolder = OV_EXAMPLE_DATA;

// (Re)creates the named model from its file with its top-left corner at (x, y).
bool PlaceModel(const char* name, double x, double y) {
    OV_MODEL& model = *Models().Get(name, 0);
    model.Recreate();
    const std::string path = dataFolder + "/" + name + ".envboxmodel2d";
    const OV_MATRIX at = OV_MATRIX().Translate(x, y, 0);
    return model.Load(path.c_str(), dataFolder.c_str(), &Textures(), &at, 1, 1, 1, 1, 1);
}

// The pinned points, as small grey squares over the models.
void DrawPins() {
    OV_MODEL& floor = *Models().Get("floor", 0);
    const OvHandle* points = floor.Substances();
    OvTextureUnactivate();
    OvSetState(OV_STATE_DRAW_COLOR, 0.7, 0.7, 0.75, 1.0);
    OvPrimitiveBegin(OV_PRIMITIVE_QUADS);
    for (int i = 0; points && i < floor.SubstanceCount(); ++i) {
        const auto* at = static_cast<const OvFour*>(OvSubstanceGet(points[i], OV_SUBSTANCE_POSITION));
        if (!at) continue;
        OvPutVertex(at->x - 3, at->y - 3, 0, 1);
        OvPutVertex(at->x + 3, at->y - 3, 0, 1);
        OvPutVertex(at->x + 3, at->y + 3, 0, 1);
        OvPutVertex(at->x - 3, at->y + 3, 0, 1);
    }
    OvPrimitiveEnd();
    OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    if (MousePressed(kLeftButton)) {
        const OV_VECTOR mouse = core.MousePosition("main", 0);
        PlaceModel("jelly", mouse.x - 32, mouse.y - 32);
    }
}

void Draw() {
    UseWindowView();
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    OvSetState(OV_STATE_TEXTURING, 1);
    World().FrameStep();  // steps the bodies and draws them
    DrawPins();
    DrawControls("Left button drops a jelly at the pointer; Escape quits", 10, 452);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_PRESENT);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) dataFolder = argv[1];
    if (!OpenExampleWindow("Soft bodies", 640, 480)) return 1;
    JoinModels();
    const bool loaded = PlaceModel("floor", 120, 330) && PlaceModel("jelly", 200, 40) && PlaceModel("rope", 460, 80);

    if (loaded) RunMessageLoop(Frame, nullptr);

    CloseExampleWindow();
    return loaded ? 0 : 1;
}
