// The menu example played through its own X server as a person plays it:
// the pointer moved and the button pressed with XTEST, what the controls
// look like read back from the screen, what they reported read from the
// program's output.
#include "tests/support/ChildProcess.h"
#include "tests/e2e/WaitUntil.h"
#include "tests/support/XServer.h"
#include "tests/support/XSession.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using OvTest::WaitUntil;

constexpr double kPatience = 60.0;
constexpr int kLeft = 1;
// Places in the window (the layout's panel sits at 170, 70).
constexpr int kPanelX = 170, kPanelY = 70;
constexpr int kButtonMiddleX = kPanelX + 150;
constexpr int kPlayY = kPanelY + 122, kOptionsY = kPanelY + 192, kQuitY = kPanelY + 262;
constexpr int kSwatchX = kPanelX + 56;  // left of the buttons' text
constexpr int kSliderLeft = kPanelX + 30, kSliderY = kPanelY + 132;
constexpr int kCheckY = kPanelY + 182;

int Red(uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
int Green(uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
int Blue(uint32_t p) { return static_cast<int>(p & 0xFF); }
// The theme's button looks, as they come out on the screen.
bool Plain(uint32_t p) { return Red(p) > 150 && Red(p) < 215 && Blue(p) > Red(p) - 5 && Blue(p) < 230; }
bool Lit(uint32_t p) { return Red(p) > 220 && Green(p) > 170 && Blue(p) < 130; }
bool Pressed(uint32_t p) { return Red(p) > 200 && Green(p) > 100 && Green(p) < 170 && Blue(p) < 90; }
bool Thumb(uint32_t p) { return Red(p) > 180 && Blue(p) > 210; }
bool Dragged(uint32_t p) { return Red(p) > 100 && Red(p) < 135 && Blue(p) > 170 && Blue(p) < 200; }

class MenuRun : public ::testing::Test {
protected:
    OvTest::XServer server;
    OvTest::XSession x;
    OvTest::ChildProcess menu;
    std::filesystem::path output;
    OvTest::WindowGeometry window;

    void SetUp() override {
        if (OV_MENU_PROGRAM[0] == 0) GTEST_SKIP() << "the examples are not built";
        ASSERT_TRUE(server.Start(1024, 768));
        ASSERT_TRUE(x.Open(server.DisplayName()));
        const std::filesystem::path program(OV_MENU_PROGRAM);
        output = std::filesystem::temp_directory_path() / ("menu-e2e-" + std::to_string(getpid()) + ".txt");
        OvTest::LaunchOptions options;
        options.arguments = {program.string()};
        options.environment = {"DISPLAY=" + server.DisplayName(), "SDL_AUDIODRIVER=dummy", "ALSOFT_DRIVERS=null"};
        options.workingDirectory = program.parent_path().string();  // Data/ is beside the program
        options.outputPath = output.string();
        ASSERT_TRUE(menu.Launch(options));
        const auto found = x.WaitForWindow("Menu", 640, 480, kPatience);
        ASSERT_TRUE(found) << Printed();
        window = *found;
    }
    void TearDown() override {
        menu.Stop();
        std::filesystem::remove(output);
    }

    std::string Printed() const {
        std::ifstream file(output);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    bool WaitForLine(const std::string& line) const {
        return WaitUntil([&] { return Printed().find(line + "\n") != std::string::npos; }, kPatience);
    }
    uint32_t At(int left, int top) const { return x.Pixel(window.x + left, window.y + top); }
    bool Shows(int left, int top, bool (*look)(uint32_t)) const {
        return WaitUntil([&] { return look(At(left, top)); }, kPatience);
    }
    void PointAt(int left, int top) const { x.MovePointer(window.x + left, window.y + top); }
    void ClickAt(int left, int top, const std::string& told) const {
        PointAt(left, top);
        x.Click(kLeft);
        EXPECT_TRUE(WaitForLine(told)) << told << " missing from\n" << Printed();
    }
};

}  // namespace

TEST_F(MenuRun, PlayOptionsAndQuitWithTheRealPointer) {
    ASSERT_TRUE(Shows(kSwatchX, kPlayY, Plain)) << std::hex << At(kSwatchX, kPlayY);
    // Play lights up under the pointer and looks pressed while held.
    PointAt(kButtonMiddleX, kPlayY);
    EXPECT_TRUE(Shows(kSwatchX, kPlayY, Lit)) << std::hex << At(kSwatchX, kPlayY);
    EXPECT_TRUE(Plain(At(kSwatchX, kOptionsY)));
    x.PressButton(kLeft);
    EXPECT_TRUE(Shows(kSwatchX, kPlayY, Pressed)) << std::hex << At(kSwatchX, kPlayY);
    x.ReleaseButton(kLeft);
    EXPECT_TRUE(WaitForLine("play clicked")) << Printed();

    // The options page: its slider's thumb stands at 7 of 10.
    ClickAt(kButtonMiddleX, kOptionsY, "options clicked");
    const int thumb = kSliderLeft + 159 + 6;  // 7/10 of 228 pixels of travel, the middle of a 12 wide thumb
    ASSERT_TRUE(Shows(thumb, kSliderY, Thumb)) << std::hex << At(thumb, kSliderY);
    // Dragged to 3, then past the left end, and let go.
    PointAt(thumb, kSliderY);
    x.PressButton(kLeft);
    // The program reads where the pointer is when it takes the press: it
    // must have taken it before the pointer moves on.
    ASSERT_TRUE(Shows(kSliderLeft + 20, kSliderY, Dragged)) << std::hex << At(kSliderLeft + 20, kSliderY);
    PointAt(kSliderLeft + 6 + 68, kSliderY + 40);  // 68 of 228 pixels: 3, though below the slider
    EXPECT_TRUE(WaitForLine("volume changed 3")) << Printed();
    PointAt(kSliderLeft - 100, kSliderY);
    EXPECT_TRUE(WaitForLine("volume changed 0")) << Printed();
    x.ReleaseButton(kLeft);
    EXPECT_TRUE(Shows(kSliderLeft + 6, kSliderY, Thumb));
    ClickAt(kSliderLeft + 120, kCheckY, "music changed 0");
    ClickAt(kSliderLeft + 120, kCheckY, "music changed 1");

    // Back, where Quit is on the main page: Options, hidden while lit, is
    // plain again, and Quit lights up under the resting pointer.
    ClickAt(kButtonMiddleX, kQuitY, "back clicked");
    EXPECT_TRUE(Shows(kSwatchX, kQuitY, Lit)) << std::hex << At(kSwatchX, kQuitY);
    EXPECT_TRUE(Plain(At(kSwatchX, kOptionsY))) << std::hex << At(kSwatchX, kOptionsY);
    ClickAt(kButtonMiddleX, kQuitY, "quit clicked");
    int status = 0;
    ASSERT_TRUE(menu.WaitForExit(kPatience, &status));
    EXPECT_EQ(OvTest::DescribeStatus(status), "exited 0");
    EXPECT_NE(Printed().find("play clicked\noptions clicked\nvolume changed"), std::string::npos) << Printed();
}
