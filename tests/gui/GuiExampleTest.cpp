// The GUI example run as its own process under the display: once with its
// input script, checking what it printed and the pixels of its saved frame,
// and once played through the X server (XTEST, by xdotool), checking the
// messages its controls received.
#include <gtest/gtest.h>

#include "tests/support/ChildProcess.h"
#include "tests/support/SavedFrame.h"
#include "tests/support/TempFolder.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// The example, started with extra environment variables, its standard
// output going to a file.
struct ExampleRun {
    OvTest::ChildProcess child;
    std::string output;

    ExampleRun(const std::string& outputPath, const std::vector<std::string>& variables) : output(outputPath) {
        OvTest::LaunchOptions options;
        options.arguments = {OV_EXAMPLE_GUI};
        options.environment = variables;
        options.outputPath = output;
        child.Launch(options);
    }
    // The exit status; a run still going after two minutes is stopped (-1).
    int Finish() { return child.ExitCode(120.0); }
    std::string Printed() const { return OvTest::TempFolder::Read(output); }
    // Waits (up to a minute, for a loaded machine) until the example has
    // printed the line.
    bool WaitForLine(const std::string& line) const {
        for (int i = 0; i < 600; ++i) {
            if (Printed().find(line + "\n") != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
};

// The last column between x0 and x1 that holds a pixel passing the test; -1
// for none.
int LastColumn(const OvTest::SavedFrame& frame, int x0, int y0, int x1, int y1, bool (*test)(const uint8_t*)) {
    int last = -1;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (test(frame.At(x, y)) && x > last) last = x;
    return last;
}

// The colours of the example's theme, as they come out of the frame.
bool BarGreen(const uint8_t* p) { return p[1] > 170 && p[0] < 160 && p[2] < 160; }
bool WindowBlue(const uint8_t* p) { return p[0] < 70 && p[1] < 80 && p[2] < 100 && p[2] > p[0]; }
bool PortraitRed(const uint8_t* p) { return p[0] > 140 && p[1] < 130 && p[2] < 100; }
bool OptionsGrey(const uint8_t* p) { return p[0] > 50 && p[0] < 90 && p[2] > p[0] + 15 && p[2] < 120; }
bool LabelYellow(const uint8_t* p) { return p[0] > 180 && p[1] > 150 && p[2] < 150; }
bool Ink(const uint8_t* p) { return p[0] + p[1] + p[2] < 200; }
bool HoverYellow(const uint8_t* p) { return p[0] > 230 && p[1] > 200 && p[2] < 200; }
bool ButtonGrey(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }

class GuiExample : public ::testing::Test {
protected:
    OvTest::TempFolder folder{"ov_gui_example"};
    void SetUp() override {
        if (OV_EXAMPLE_GUI[0] == 0) GTEST_SKIP() << "the examples are not built";
        ASSERT_TRUE(folder.IsValid());
    }
};

// A shell command's standard output, or "" when it fails.
std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[256];
        size_t n = 0;
        while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) out.append(chunk, n);
        if (pclose(pipe) != 0) return "";
    }
    return out;
}

int ShellValue(const std::string& text, const std::string& key) {
    const size_t at = text.find(key + "=");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size() + 1);
}

}  // namespace

TEST_F(GuiExample, ScriptedRunPrintsWhatItsControlsDidAndLeavesItsFrame) {
    const std::string frame = folder.Path("frame.png");
    ExampleRun run(folder.Path("out.txt"), {"OV_INPUT_SCRIPT=" OV_EXAMPLE_GUI_SCRIPT, "OV_SAVE_FRAME=" + frame});
    ASSERT_EQ(run.Finish(), 0) << run.Printed();
    const std::string printed = run.Printed();
    for (const char* line : {"field: Gorvx\n", "field got 0 0 8\nfield: Gorv\n", "field: Gorvane\n",
                             "greet got 4 0 1\n", "greet got 6 0 1\nlabel: Hello, Gorvane!\n", "label: Count: 1\n",
                             "label: Count: 2\n", "Music: on\n", "options: hidden\n", "options: shown\n"})
        EXPECT_NE(printed.find(line), std::string::npos) << line << " is missing from\n" << printed;
    // Typed characters reach the field one message each, in order.
    EXPECT_NE(printed.find("field got 3 0 71\nfield: G\nfield got 3 0 111\nfield: Go\n"), std::string::npos);

    const OvTest::SavedFrame picture(frame);
    ASSERT_EQ(picture.Width(), 640);
    ASSERT_EQ(picture.Height(), 480);
    // The tiled panel (40..300 x 186..440) cuts its bars and the portrait:
    // inside its right edge the wide bar shows, beyond it the window does.
    EXPECT_TRUE(BarGreen(picture.At(296, 227)));
    EXPECT_TRUE(WindowBlue(picture.At(304, 227)));
    EXPECT_EQ(picture.Count(300, 186, 320, 440, BarGreen), 0);
    // The bar that starts left of the panel begins at its left edge.
    EXPECT_TRUE(BarGreen(picture.At(42, 273)));
    EXPECT_TRUE(WindowBlue(picture.At(37, 273)));
    // The portrait hangs over the bottom edge: cut there.
    EXPECT_TRUE(PortraitRed(picture.At(290, 436)));
    EXPECT_EQ(picture.Count(200, 441, 320, 460, PortraitRed), 0);
    // The options are shown again.
    EXPECT_TRUE(OptionsGrey(picture.At(500, 420)));
    // The label's new text is drawn in its yellow, the typed name in the field.
    EXPECT_GT(picture.Count(40, 106, 600, 130, LabelYellow), 60);
    const int lastInk = LastColumn(picture, 101, 141, 399, 167, Ink);
    EXPECT_GT(lastInk, 160);  // "Gorvane_", 8 columns of 8 pixels from x = 106
    EXPECT_LT(lastInk, 180);
    // Count is lit under the resting pointer, Greet is not.
    EXPECT_TRUE(HoverYellow(picture.At(204, 67)));
    EXPECT_TRUE(ButtonGrey(picture.At(44, 67)));
}

TEST_F(GuiExample, PlayedThroughTheXServer) {
    if (Shell("command -v xdotool").empty() || !std::getenv("DISPLAY")) GTEST_SKIP() << "needs xdotool and a display";
    ExampleRun run(folder.Path("out.txt"), {});
    ASSERT_TRUE(run.WaitForLine("field: "));
    const std::string window = Shell("timeout 30 xdotool search --sync --onlyvisible --name '^GUI example$' | head -1");
    ASSERT_FALSE(window.empty());
    const std::string geometry = Shell("xdotool getwindowgeometry --shell " + window);
    const int left = ShellValue(geometry, "X");
    const int top = ShellValue(geometry, "Y");
    ASSERT_GE(left, 0);
    auto at = [&](int x, int y) { return std::to_string(left + x) + " " + std::to_string(top + y); };

    // Type into the field, take one character back.
    ASSERT_EQ(Shell("xdotool mousemove " + at(250, 154) + " click 1 && echo ok"), "ok\n");
    Shell("xdotool type --delay 60 'Xo'");
    ASSERT_TRUE(run.WaitForLine("field: Xo")) << run.Printed();
    Shell("xdotool key BackSpace");
    ASSERT_TRUE(run.WaitForLine("field got 0 0 8")) << run.Printed();
    ASSERT_TRUE(run.WaitForLine("field: X"));

    // Press and release Greet.
    Shell("xdotool mousemove " + at(110, 80));
    Shell("xdotool mousedown 1");
    ASSERT_TRUE(run.WaitForLine("greet got 4 0 1")) << run.Printed();
    Shell("xdotool mouseup 1");
    ASSERT_TRUE(run.WaitForLine("greet got 6 0 1")) << run.Printed();
    ASSERT_TRUE(run.WaitForLine("label: Hello, X!"));

    // Hide the options group.
    Shell("xdotool mousemove " + at(430, 80));
    Shell("xdotool mousedown 1");
    ASSERT_TRUE(run.WaitForLine("toggle got 4 0 1")) << run.Printed();
    Shell("xdotool mouseup 1");
    ASSERT_TRUE(run.WaitForLine("options: hidden")) << run.Printed();

    Shell("xdotool key Escape");
    EXPECT_EQ(run.Finish(), 0);
    // Typed characters came as message 3 in typing order, before Backspace.
    const std::string printed = run.Printed();
    EXPECT_NE(printed.find("field got 3 0 88\nfield: X\nfield got 3 0 111\nfield: Xo\nfield got 0 0 8\n"),
              std::string::npos)
        << printed;
}
