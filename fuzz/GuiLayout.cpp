#include "fuzz/FuzzInput.h"
#include "fuzz/ScratchFile.h"
#include "ovcore/gui/ControlWalk.h"
#include "ovcore/gui/Gui.h"

#include <string>

using namespace OvCore;

namespace {

bool Echo(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    return OV_GUI::DefaultProcedure(control, gui, type, aux, value, extra);
}

// A small theme so that layouts can name styles and icons.
const char kTheme[] = "<Theme Name=\"t\"><Style Name=\"s\"><AsBorder Mode=\"On\"/></Style><Style Name=\"p\"/></Theme>";

}  // namespace

// A fuzzed layout file, loaded by a fuzzed group name, then placed, stepped
// and delivered: every control is reachable from the root, and names in
// controls point at controls of the tree or at nothing.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string group = input.TakeWord(32);
    OV_GUI& gui = Gui();
    const char* themePath =
        ScratchFile::Write("ov_fuzz_layout", reinterpret_cast<const uint8_t*>(kTheme), sizeof kTheme - 1);
    if (!themePath || !gui.LoadTheme(themePath, "t")) return 0;
    *gui.messageProcs.Get("echo", 0) = Echo;
    const char* path =
        ScratchFile::Write("ov_fuzz_layout", reinterpret_cast<const uint8_t*>(input.RestData()), input.RestSize());
    if (path) gui.LoadLayout(path, group.c_str());
    for (auto it = gui.controls.Begin(); !it.IsEnd(); it.Next())
        FuzzCheck(*it.Value() == nullptr || (*it.Value())->InTree());
    gui.ProcessInput();
    WalkControls(gui.root, [&](OV_CONTROL* control) {
        FuzzCheck(control->gui == &gui);
        return true;
    });
    FuzzCheck(gui.queue.Count() == 0);
    gui.ClearGui();
    FuzzCheck(gui.root.firstChild == nullptr && gui.controls.Count() == 0);
    return 0;
}
