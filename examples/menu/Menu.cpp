// Menu: a game's start menu built from the ready controls, a theme and a
// layout (theme.xml and layout.xml beside this source, copied to
// Data/ExampleMenu/ next to the program). The title, then Play (which
// changes the title), Options (a page with a volume slider and a music
// check box, and Back) and Quit. The program only says what to do when it
// is told of a click or a change; the controls do the rest.
//
// Controls: the mouse; Escape quits as Quit does. Every notification is
// printed on standard output, one line each: "<control> clicked" or
// "<control> changed <value>".
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/gui/controls/ReadyControls.h"
#include "ovcore/world/FrameStep.h"

#include <cstdio>

using namespace OvCore;

namespace {

constexpr const char* kTheme = "Data/ExampleMenu/theme.xml";
constexpr const char* kLayout = "Data/ExampleMenu/layout.xml";
char volumeText[32];  // handed to the label by message 18, copied when delivered

void SetText(OV_GUI* gui, const char* control, const char* text) {
    gui->Post(gui->FindControl(control), MSG_SET_TEXT, 0, 0, const_cast<char*>(text));
}

void ShowPage(OV_GUI* gui, bool options) {
    gui->Post(gui->FindControl("main"), MSG_SET_VISIBLE, 0, options ? 0 : 1);
    gui->Post(gui->FindControl("settings"), MSG_SET_VISIBLE, 0, options ? 1 : 0);
}

// What the menu does when its controls report.
void Told(OV_GUI* gui, OV_CONTROL* control, int32_t kind, int32_t value) {
    const OV_STRING& name = control->name;
    if (kind == NOTIFY_CLICKED)
        std::printf("%s clicked\n", name.Get());
    else
        std::printf("%s changed %d\n", name.Get(), value);
    std::fflush(stdout);
    if (name == "play")
        SetText(gui, "title", "PLAYING");
    else if (name == "options" || name == "back")
        ShowPage(gui, name == "options");
    else if (name == "quit")
        LoopState().running = false;
    else if (name == "volume") {
        std::snprintf(volumeText, sizeof volumeText, "Volume %d", value);
        SetText(gui, "volumeLabel", volumeText);
    }
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
}

void Draw() {
    UseWindowView();
    World().FrameStep();  // the GUI's input, delivery and drawing
    DrawControls("The mouse picks; Escape quits", 10, 456);
    OvRenderScene(OV_SCENE_END_FRAME);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main() {
    if (!OpenExampleWindow("Menu", 640, 480)) return 1;
    OV_GUI& gui = Gui();
    gui.window = core.windows.Get("main", 0);
    RegisterReadyControls(gui);
    gui.notify = Told;
    const bool loaded =
        gui.LoadTheme(kTheme, "Menu") && gui.LoadLayout(kLayout, "Main") && gui.LoadLayout(kLayout, "Options");
    if (!loaded) std::fprintf(stderr, "cannot load %s or %s\n", kTheme, kLayout);
    OvSetState(OV_STATE_CLEAR_COLOR, 0.05, 0.06, 0.08, 1.0);

    if (loaded) RunMessageLoop(Frame, nullptr);

    CloseExampleWindow();  // the core's Clear in it also clears the GUI
    return loaded ? 0 : 1;
}
