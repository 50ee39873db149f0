#pragma once

#include "ovcore/app/Input.h"
#include "ovcore/gui/Gui.h"
#include "tests/support/GlWindow.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OvTest {

// What the journal procedure received: "name type aux value" per message.
inline std::vector<std::string>& Received() {
    static std::vector<std::string> received;
    return received;
}

inline std::map<const OvCore::OV_CONTROL*, std::string>& Names() {
    static std::map<const OvCore::OV_CONTROL*, std::string> names;
    return names;
}

// Journals the message, then lets the default procedure act on it.
inline bool Journal(OvCore::OV_CONTROL* control, OvCore::OV_GUI* gui, int32_t type, int32_t aux, int32_t value,
                    void* extra) {
    Received().push_back(Names()[control] + " " + std::to_string(type) + " " + std::to_string(aux) + " " +
                         std::to_string(value));
    return OvCore::OV_GUI::DefaultProcedure(control, gui, type, aux, value, extra);
}

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "|") + line;
    return out;
}

inline std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The game's font folder beside the test program.
inline std::string FontFolder() {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string folder(self, n > 0 ? static_cast<size_t>(n) : 0);
    return folder.substr(0, folder.rfind('/')) + "/Data/Fonts";
}

// The text with every "@" replaced by FontFolder().
inline std::string WithFonts(std::string text) {
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at))
        text.replace(at, 1, FontFolder());
    return text;
}

// Every test starts with an empty GUI reading the screen, no input, no journal.
class GuiFixture : public ::testing::Test {
protected:
    OvCore::OV_GUI& gui = OvCore::Gui();

    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    void Reset() {
        gui.ClearGui();
        gui.window = nullptr;
        gui.lastMouseX = gui.lastMouseY = 0;
        OvCore::InputStore() = OvCore::OV_INPUT{};
        Received().clear();
        Names().clear();
    }

    // A journalled control at (x, y) of size (w, h) within parent.
    OvCore::OV_CONTROL* Make(const char* name, OvCore::OV_CONTROL* parent, double x, double y, double w, double h) {
        OvCore::OV_CONTROL* control = gui.CreateControl(parent);
        control->position = OvCore::OV_VECTOR(x, y);
        control->size = OvCore::OV_VECTOR(w, h);
        control->messageProc = Journal;
        Names()[control] = name;
        return control;
    }
};

// The same with a hidden window whose render target is current, so that the
// fonts and textures of a theme can load.
class GuiTargetFixture : public GuiFixture {
protected:
    std::unique_ptr<GlWindow> window;

    void SetUp() override {
        GuiFixture::SetUp();
        window = std::make_unique<GlWindow>("gui-target", 16, 16);
        ASSERT_TRUE(window->Created());
        ASSERT_EQ(OvRenderTargetActivate(window->Target()), 1);
    }
    void TearDown() override {
        GuiFixture::TearDown();
        window.reset();
    }
};

}  // namespace OvTest
