// GUI: a themed window built from a theme file and a layout file (theme.xml
// and layout.xml beside this source, copied to Data/ExampleGui/ next to the
// program). It shows
//   - buttons that change a label when clicked (Greet, Count),
//   - a text field that takes typed characters and Backspace through its
//     message procedure,
//   - a tiled panel that clips its children (the bars and the portrait),
//   - a button that hides and shows the group of controls "Options", which
//     the second Group of the layout adds to the window,
//   - check boxes in that group that flip when clicked.
//
// Controls: the mouse clicks, the keyboard types into the field, Backspace
// deletes, Escape quits. Every click, typed character and change is also
// printed on standard output, one line each.
#include "ExampleWindow.h"

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/gui/Gui.h"
#include "ovcore/platform/Windows.h"
#include "ovcore/world/FrameStep.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace OvCore;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr size_t kLongestName = 34;
constexpr const char* kTheme = "Data/ExampleGui/theme.xml";
constexpr const char* kLayout = "Data/ExampleGui/layout.xml";

struct Example {
    std::string name;  // what was typed into the field
    int clicks = 0;
    bool optionsShown = true;
    // Texts handed to controls by message 18; they are copied when the
    // message is delivered, in the same frame.
    char labelText[96] = {};
    char fieldText[kLongestName + 2] = {};
    char toggleText[24] = {};
} example;

OV_CONTROL* Control(const char* name) {
    OV_CONTROL** entry = Gui().controls.Access(FIND, name, 0).Value();
    return entry ? *entry : nullptr;
}

OV_STYLE* Style(const char* name) {
    OV_STYLE** entry = Gui().styles.Access(FIND, name, 0).Value();
    return entry ? *entry : nullptr;
}

// What the layout keeps in ExtendData: the command of a button, the
// caption of a check box.
const char* Extension(const OV_CONTROL* control) {
    return control->extendData.IsEmpty() ? "" : reinterpret_cast<const char*>(control->extendData.data);
}

void Report(const char* who, int32_t type, int32_t aux, int32_t value) {
    std::printf("%s got %d %d %d\n", who, type, aux, value);
    std::fflush(stdout);
}

void Say(const char* what, const char* text) {
    std::printf("%s: %s\n", what, text);
    std::fflush(stdout);
}

void SetLabel(OV_GUI* gui, const char* text) {
    std::snprintf(example.labelText, sizeof example.labelText, "%s", text);
    gui->Post(Control("label"), MSG_SET_TEXT, 0, 0, example.labelText);
    Say("label", example.labelText);
}

void ToggleOptions(OV_GUI* gui, OV_CONTROL* toggle) {
    example.optionsShown = !example.optionsShown;
    gui->Post(Control("options"), MSG_SET_VISIBLE, 0, example.optionsShown ? 1 : 0);
    std::snprintf(example.toggleText, sizeof example.toggleText, "%s options", example.optionsShown ? "Hide" : "Show");
    gui->Post(toggle, MSG_SET_TEXT, 0, 0, example.toggleText);
    Say("options", example.optionsShown ? "shown" : "hidden");
}

void RunCommand(OV_GUI* gui, OV_CONTROL* button) {
    const char* command = Extension(button);
    char text[96];
    if (std::strcmp(command, "greet") == 0) {
        std::snprintf(text, sizeof text, "Hello, %s!", example.name.empty() ? "stranger" : example.name.c_str());
        SetLabel(gui, text);
    } else if (std::strcmp(command, "count") == 0) {
        std::snprintf(text, sizeof text, "Count: %d", ++example.clicks);
        SetLabel(gui, text);
    } else if (std::strcmp(command, "toggle") == 0) {
        ToggleOptions(gui, button);
    }
}

// A button lights up under the mouse, looks pressed while the left button
// is down on it, and runs its command when the left button is let go over
// it after being pressed there.
bool ButtonProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    const bool left = value == 1 && aux == 0;
    switch (type) {
    case MSG_MOUSE_ENTERED: control->style = Style("ButtonHover"); break;
    case MSG_MOUSE_LEFT:
        control->style = Style("Button");
        control->lastButton = 0;
        return true;
    case MSG_BUTTON_PRESSED:
        Report(Extension(control), type, aux, value);
        if (left) control->style = Style("ButtonDown");
        break;
    case MSG_BUTTON_RELEASED:
        Report(Extension(control), type, aux, value);
        control->style = Style("ButtonHover");
        if (left && control->lastButton == 1) RunCommand(gui, control);
        break;
    default: break;
    }
    return OV_GUI::DefaultProcedure(control, gui, type, aux, value, extra);
}

void ShowName(OV_CONTROL* field, OV_GUI* gui) {
    std::snprintf(example.fieldText, sizeof example.fieldText, "%s_", example.name.c_str());
    OV_GUI::DefaultProcedure(field, gui, MSG_SET_TEXT, 0, 0, example.fieldText);
    Say("field", example.name.c_str());
}

// The text field keeps what is typed (printable characters, up to what fits)
// and deletes the last character on Backspace.
bool FieldProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    if (type == MSG_CREATED) {
        ShowName(control, gui);
        return true;
    }
    if (type == MSG_CHAR && value >= ' ' && value != 127) {
        Report("field", type, aux, value);
        if (example.name.size() < kLongestName) example.name += static_cast<char>(value);
        ShowName(control, gui);
        return true;
    }
    if (type == MSG_KEY_PRESSED && value == VK_BACK) {
        Report("field", type, aux, value);
        if (!example.name.empty()) example.name.pop_back();
        ShowName(control, gui);
    }
    return OV_GUI::DefaultProcedure(control, gui, type, aux, value, extra);
}

// A check box flips the mark in front of its caption when clicked.
bool CheckProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    if (type == MSG_BUTTON_RELEASED && value == 1 && aux == 0 && control->lastButton == 1 && !control->data.IsEmpty()) {
        char* text = reinterpret_cast<char*>(control->data.data);
        text[1] = text[1] == 'x' ? ' ' : 'x';
        Say(Extension(control), text[1] == 'x' ? "on" : "off");
    }
    return OV_GUI::DefaultProcedure(control, gui, type, aux, value, extra);
}

bool LoadGui() {
    OV_GUI& gui = Gui();
    gui.window = core.windows.Get("main", 0);
    *gui.messageProcs.Get("button", 0) = ButtonProcedure;
    *gui.messageProcs.Get("field", 0) = FieldProcedure;
    *gui.messageProcs.Get("check", 0) = CheckProcedure;
    return gui.LoadTheme(kTheme, "Slate") && gui.LoadLayout(kLayout, "Main") && gui.LoadLayout(kLayout, "Options");
}

void Update() {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
}

void Draw() {
    UseWindowView();
    World().FrameStep();  // the GUI's input, delivery and drawing
    DrawControls("Click, type into the field; Escape quits", 10, kHeight - 24);
    OvRenderScene(OV_SCENE_END_FRAME);
}

void Frame(HWND, void*) {
    Update();
    Draw();
}

}  // namespace

int main() {
    if (!OpenExampleWindow("GUI example", kWidth, kHeight)) return 1;
    const bool loaded = LoadGui();
    if (!loaded) std::fprintf(stderr, "cannot load %s or %s\n", kTheme, kLayout);
    OvSetState(OV_STATE_CLEAR_COLOR, 0.05, 0.06, 0.08, 1.0);
    OvSetState(OV_STATE_TEXTURING, 1);
    OvSetState(OV_STATE_BLENDING, 1);

    if (loaded) RunMessageLoop(Frame, nullptr);

    CloseExampleWindow();  // the core's Clear in it also clears the GUI
    return loaded ? 0 : 1;
}
