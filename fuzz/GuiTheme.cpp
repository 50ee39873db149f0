#include "fuzz/FuzzInput.h"
#include "fuzz/ScratchFile.h"
#include "ovcore/gui/Gui.h"
#include "ovcore/platform/Diagnostics.h"

#include <cstring>

#include <string>

using namespace OvCore;

// A fuzzed theme file, loaded by a fuzzed theme name: every style the load
// made is owned by the GUI and named in its styles, and clearing empties
// every collection.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string name = input.TakeWord(32);
    const char* path =
        ScratchFile::Write("ov_fuzz_theme", reinterpret_cast<const uint8_t*>(input.RestData()), input.RestSize());
    if (!path) return 0;
    OV_GUI& gui = Gui();
    // A theme whose font did not load is applied all the same, and says so.
    bool fontFailed = false;
    PlatformSetLogCallback(
        [](const char* reason, void* user) {
            if (std::strncmp(reason, "gui: cannot load theme font: ", 29) == 0) *static_cast<bool*>(user) = true;
        },
        &fontFailed);
    const bool loaded = gui.LoadTheme(path, name.c_str());
    PlatformSetLogCallback(nullptr, nullptr);
    FuzzCheck(loaded || fontFailed || gui.styleList.empty());
    FuzzCheck(!loaded || !fontFailed);
    FuzzCheck(gui.styles.Count() <= gui.styleList.size());
    for (auto it = gui.styles.Begin(); !it.IsEnd(); it.Next()) FuzzCheck(*it.Value() && (*it.Value())->gui == &gui);
    gui.ClearGui();
    FuzzCheck(gui.styles.Count() == 0 && gui.themeTextures.Count() == 0 && gui.themeFonts.Count() == 0);
    return 0;
}
