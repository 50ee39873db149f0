// gui_check: loads a theme and layout groups the way a game does and prints
// what they made, so that a GUI author sees mistakes before starting the game.
//
//   gui_check <theme file> <theme name> [<layout file> <group name>]...
//
// Checks every key of the files first and prints each mistake as
// "error: <file>:<line>: <key>: <what is wrong>". Then prints the theme's
// textures (with their sizes, or "not loaded"), fonts and styles, then every
// control in tree order, indented by depth (two spaces a level, down to 64
// levels): its name, its rectangle (corner 0 to corner 2, in window pixels),
// its style and flags and its text. Warnings go to the same output, each
// line starting "warning:". Textures and fonts load for real when a display
// is at hand (a small hidden window gives the engine a context); without one
// they are reported as not checked. Status 1 when there is an error or the
// theme or a group cannot be loaded, 2 for wrong arguments.
#include "ovcore/app/Core.h"
#include "ovcore/data/Document.h"
#include "ovcore/gui/ControlWalk.h"
#include "ovcore/gui/Gui.h"
#include "ovcore/gui/controls/ReadyControls.h"
#include "tools/markup/GuiFileCheck.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>

using namespace OvCore;

namespace {

template <class T>
std::map<T, std::string> NamesOf(OV_NAMED_LIST<T>& list) {
    std::map<T, std::string> names;
    for (auto it = list.Begin(); !it.IsEnd(); it.Next())
        if (*it.Value()) names.emplace(*it.Value(), it.Key()->name);
    return names;
}

template <class T>
std::string NameIn(const std::map<T, std::string>& names, T value, const char* none) {
    auto found = names.find(value);
    return found == names.end() ? none : found->second;
}

// A hidden window gives the engine a GL context for textures and fonts.
bool OpenHiddenWindow() {
    OV_WINDOW* window = core.windows.Get("gui_check", 0);
    window->title = "gui_check";
    window->width = 64;
    window->height = 64;
    window->visible = false;
    window->taskbar = false;
    return window->Create(EmptyHandle());
}

void PrintTextures(OV_GUI& gui, bool withGl) {
    for (auto it = gui.themeTextures.Begin(); !it.IsEnd(); it.Next()) {
        const auto* width = static_cast<const int*>(OvTextureGet(*it.Value(), OV_TEXTURE_WIDTH));
        const auto* height = static_cast<const int*>(OvTextureGet(*it.Value(), OV_TEXTURE_HEIGHT));
        if (width && height && *width > 0) {
            std::printf("texture %s %d x %d\n", it.Key()->name, *width, *height);
        } else if (!withGl) {
            std::printf("texture %s not checked (no display)\n", it.Key()->name);
        } else {
            std::printf("texture %s not loaded\n", it.Key()->name);
            std::printf("warning: texture %s has no image\n", it.Key()->name);
        }
    }
}

void PrintFonts(OV_GUI& gui, bool withGl) {
    for (auto it = gui.themeFonts.Begin(); !it.IsEnd(); it.Next()) {
        const bool loaded = it.Value()->loaded;
        std::printf("font %s %s\n", it.Key()->name,
                    loaded   ? "loaded"
                    : withGl ? "not loaded"
                             : "not checked (no display)");
        if (withGl && !loaded) std::printf("warning: font %s did not load\n", it.Key()->name);
    }
}

const char* AlignName(int32_t align, const char* before, const char* middle, const char* after) {
    return align < 0 ? before : align == 0 ? middle : after;
}

void PrintStyles(OV_GUI& gui) {
    std::map<const OV_FONT*, std::string> fonts;
    for (auto it = gui.themeFonts.Begin(); !it.IsEnd(); it.Next()) fonts.emplace(it.Value(), it.Key()->name);
    for (auto it = gui.styles.Begin(); !it.IsEnd(); it.Next()) {
        const OV_STYLE& style = **it.Value();
        std::string texture = "none";
        for (auto t = gui.themeTextures.Begin(); !t.IsEnd(); t.Next())
            if (!IsEmptyHandle(style.texture) && t.Value()->word1 == style.texture.word1) texture = t.Key()->name;
        std::printf("style %s: %s, texture %s, font %s, text %s %s\n", it.Key()->name,
                    style.asBorder ? "outline" : "filled", texture.c_str(),
                    style.textFont ? NameIn<const OV_FONT*>(fonts, style.textFont, "?").c_str() : "none",
                    AlignName(style.textHalign, "LEFT", "CENTER", "RIGHT"),
                    AlignName(style.textValign, "TOP", "MIDDLE", "BOTTOM"));
    }
}

// The depth of a control for its indentation, counted no further than a
// saved document indents: a long chain of controls then prints in time and
// space linear in its length.
int IndentDepth(const OV_CONTROL* control) {
    int depth = 0;
    for (const OV_CONTROL* parent = control->Parent(); parent && depth < int(OV_DOCUMENT::kIndentDepth);
         parent = parent->Parent())
        ++depth;
    return depth;
}

void PrintControls(OV_GUI& gui) {
    gui.Place();
    const auto names = NamesOf(gui.controls);
    const auto styles = NamesOf(gui.styles);
    WalkControls(gui.root, [&](OV_CONTROL* control) {
        const OV_VECTORF& from = control->corners[0];
        const OV_VECTORF& to = control->corners[2];
        std::printf("%*scontrol %s (%g, %g)-(%g, %g) style %s%s%s%s%s%s \"%s\"\n", 2 * IndentDepth(control), "",
                    NameIn<OV_CONTROL*>(names, control, "(unnamed)").c_str(), from.x, from.y, to.x, to.y,
                    control->style ? NameIn<OV_STYLE*>(styles, control->style, "?").c_str() : "none",
                    control->active ? "" : ", inactive", control->visible ? "" : ", hidden",
                    control->editable ? "" : ", read-only", control->cutArea ? ", clips" : "",
                    IsEmptyHandle(control->icon) ? "" : ", icon", control->Text());
        if (control->size.x <= 0 || control->size.y <= 0)
            std::printf("warning: control %s has no area\n", NameIn<OV_CONTROL*>(names, control, "(unnamed)").c_str());
        return true;
    });
    for (auto it = gui.controls.Begin(); !it.IsEnd(); it.Next())
        if (!*it.Value()) std::printf("warning: %s is named as a parent but is no control\n", it.Key()->name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: %s <theme file> <theme name> [<layout file> <group name>]...\n", argv[0]);
        return 2;
    }
    OvInitiation();
    const bool withGl = OpenHiddenWindow();
    OV_GUI& gui = Gui();
    RegisterReadyControls(gui);
    int status = 0;
    int errors = CheckThemeFile(argv[1], argv[2]);
    if (!gui.LoadTheme(argv[1], argv[2])) {
        // A font that did not load leaves the rest of the theme applied, and
        // is listed below as not loaded (without GL no font can load): the
        // layouts are still checked.
        if (std::strncmp(OvLastError(), "gui: cannot load theme font: ", 29) != 0) {
            std::printf("error: no theme %s in %s\n", argv[2], argv[1]);
            status = 1;
        }
    }
    std::set<std::string> controls;
    for (int i = 3; status == 0 && i + 1 < argc; i += 2) {
        errors += CheckLayoutFile(gui, argv[i], argv[i + 1], controls);  // before loading makes empty entries
        if (!gui.LoadLayout(argv[i], argv[i + 1])) {
            std::printf("error: no group %s in %s\n", argv[i + 1], argv[i]);
            status = 1;
        }
    }
    if (status == 0) {
        PrintTextures(gui, withGl);
        PrintFonts(gui, withGl);
        PrintStyles(gui);
        PrintControls(gui);
    }
    if (errors > 0) {
        std::printf("%d error%s\n", errors, errors == 1 ? "" : "s");
        status = 1;
    }
    core.Clear();
    if (withGl) core.windows.Get("gui_check", 0)->Destroy();
    OvClosure();
    return status;
}
