// The game played through the X server the way a person plays it: the real
// program on a private Xvfb screen of 1920 x 1080, with and without a window
// manager, its windows found by title, the pointer and keys sent with XTEST,
// and what it does read back from the screen.
#include "tests/e2e/ChildProcess.h"
#include "tests/e2e/WaitUntil.h"
#include "tests/e2e/XServer.h"
#include "tests/e2e/XSession.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using OvTest::ChildProcess;
using OvTest::ScreenImage;
using OvTest::WaitUntil;
using OvTest::WindowGeometry;

// Generous bounds: a loaded machine with software GL and sanitizers is slow,
// and a bound only turns a hang into a failure.
constexpr double kPatience = 8.0;
constexpr int kLeft = 1, kRight = 3;
constexpr int kCell = 16;
constexpr int kFloorRow = 26;  // y 416..431 in the window
constexpr int kFirstColumn = 1, kLastColumn = 20;
constexpr int kDark = 24;      // channel level below which a pixel is background

class GameSession {
public:
    explicit GameSession(bool managed) : managed_(managed) {}

    ::testing::AssertionResult Start() {
        if (!server_.Start(1920, 1080)) return ::testing::AssertionFailure() << "no Xvfb";
        if (!x.Open(server_.DisplayName())) return ::testing::AssertionFailure() << "no XTEST";
        if (managed_ && !x.StartWindowManager()) return ::testing::AssertionFailure() << "no openbox";
        const std::filesystem::path program(OV_GAME_PROGRAM);
        output_ = std::filesystem::temp_directory_path() /
                  ("gorvane-e2e-" + std::to_string(getpid()) + (managed_ ? "-wm" : "") + ".txt");
        OvTest::LaunchOptions options;
        options.arguments = {program.string()};
        options.environment = {"DISPLAY=" + server_.DisplayName(), "OV_PRINT_STATUS=1",
                               "SDL_AUDIODRIVER=dummy", "ALSOFT_DRIVERS=null"};
        options.workingDirectory = program.parent_path().string();  // Data/ is beside the program
        options.outputPath = output_.string();
        if (!game.Launch(options)) return ::testing::AssertionFailure() << "the game did not start";
        return ::testing::AssertionSuccess();
    }

    ~GameSession() {
        game.Stop();
        std::filesystem::remove(output_);
    }

    // The status the game ended with, or why it did not end.
    std::string ExitStatus() {
        int status = 0;
        if (!game.WaitForExit(kPatience, &status)) return "still running";
        return OvTest::DescribeStatus(status);
    }

    std::string Output() const {
        std::ifstream file(output_);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::optional<WindowGeometry> MainWindow() { return x.WaitForWindow("Gorvane", 800, 600, kPatience); }

private:
    // Declared first so that it goes last: the connection and the game need it.
    OvTest::XServer server_;

public:
    OvTest::XSession x;
    ChildProcess game;

private:
    bool managed_;
    std::filesystem::path output_;
};

bool Lit(const ScreenImage& image, int minimum) { return image.CountBrighterThan(kDark) >= minimum; }

bool SameImage(const ScreenImage& a, const ScreenImage& b, int tolerance) {
    if (a.pixels.size() != b.pixels.size()) return false;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            const int difference = static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                                   static_cast<int>((b.pixels[i] >> shift) & 0xFF);
            if (std::abs(difference) > tolerance) return false;
        }
    }
    return true;
}

// The middle of the lit columns in a band of rows of the window; -1 when
// nothing is lit there.
double LitCentre(const GameSession& session, const WindowGeometry& window, int top, int bottom) {
    const ScreenImage band = session.x.Grab(window.x, window.y + top, window.width, bottom - top);
    int first = -1, last = -1;
    for (int column = 0; column < band.width; ++column) {
        for (int row = 0; row < band.height; ++row) {
            const uint32_t pixel = band.pixels[static_cast<size_t>(row) * band.width + column];
            if (((pixel >> 16) & 0xFF) > kDark || ((pixel >> 8) & 0xFF) > kDark || (pixel & 0xFF) > kDark) {
                if (first < 0) first = column;
                last = column;
                break;
            }
        }
    }
    return first < 0 ? -1.0 : (first + last) / 2.0;
}

class GorvaneTest : public ::testing::TestWithParam<bool> {};

}  // namespace

TEST_P(GorvaneTest, PlayedWithTheRealMouseAndKeyboard) {
    GameSession session(GetParam());
    ASSERT_TRUE(session.Start());
    OvTest::XSession& x = session.x;

    // The intro: 640 x 360 in the middle of the screen, showing its image.
    const auto intro = x.WaitForWindow("Orvo Core Intro", 640, 360, kPatience);
    ASSERT_TRUE(intro) << session.Output();
    EXPECT_EQ(intro->x, 640);
    EXPECT_EQ(intro->y, 360);
    EXPECT_TRUE(WaitUntil([&] { return Lit(x.Grab(intro->x, intro->y, 640, 360), 2000); }, kPatience, 0.05));

    // Then the game: window "main" at 800 x 600, centred.
    const auto window = session.MainWindow();
    ASSERT_TRUE(window) << session.Output();
    EXPECT_EQ(window->x, 560);
    EXPECT_EQ(window->y, 240);
    const int left = window->x, top = window->y;
    auto cell = [&](int column, int row) { return x.Grab(left + kCell * column, top + kCell * row, kCell, kCell); };
    const int floorY = top + kCell * kFloorRow + 8;

    // A drag with the left button paints every cell it passes, one after
    // another as the pointer moves.
    x.MovePointer(left + kCell * kFirstColumn + 8, floorY);
    x.PressButton(kLeft);
    for (int column = kFirstColumn; column <= kLastColumn; ++column) {
        x.MovePointer(left + kCell * column + 8, floorY);
        EXPECT_TRUE(WaitUntil([&] { return Lit(cell(column, kFloorRow), 128); }, kPatience))
            << "cell " << column << " was not painted under the pointer";
    }
    x.ReleaseButton(kLeft);
    x.MovePointer(left + 400, top + 100);
    ASSERT_TRUE(WaitUntil([&] { return !Lit(x.Grab(left + 85, top + 432, 16, 4), 1); }, kPatience));
    for (int column = kFirstColumn; column <= kLastColumn; ++column)
        EXPECT_TRUE(Lit(cell(column, kFloorRow), 128)) << "cell " << column;
    EXPECT_FALSE(Lit(cell(kFirstColumn - 1, kFloorRow), 1));
    EXPECT_FALSE(Lit(cell(kLastColumn + 1, kFloorRow), 1));
    EXPECT_FALSE(Lit(cell(10, kFloorRow + 1), 1));

    // Hovering a solid cell shows the wall image at the exact pointer place:
    // its bottom rows hang below the floor, the same pixels as the bottom rows
    // of a painted cell.
    const ScreenImage brickRows = x.Grab(left + kCell * 10, top + kCell * kFloorRow + 12, 16, 4);
    x.MovePointer(left + 85, top + 420);
    EXPECT_TRUE(WaitUntil([&] { return SameImage(x.Grab(left + 85, top + 432, 16, 4), brickRows, 4); }, kPatience));
    EXPECT_TRUE(Lit(brickRows, 32));
    x.MovePointer(left + 300, top + 200);
    EXPECT_TRUE(WaitUntil([&] { return !Lit(x.Grab(left + 85, top + 432, 16, 4), 1); }, kPatience));

    // A right click drops a player at the pointer; it falls onto the floor.
    x.MovePointer(left + 200, top + 300);
    x.Click(kRight);
    double standing = -1;
    EXPECT_TRUE(WaitUntil([&] {
        standing = LitCentre(session, *window, 388, 412);
        return standing >= 0 && !Lit(x.Grab(left + 150, top + 250, 100, 130), 1);
    }, kPatience)) << "no player standing on the floor";
    EXPECT_NEAR(standing, 200, 2);

    // D runs right, A runs left.
    x.PressKey("d");
    EXPECT_TRUE(WaitUntil([&] { return LitCentre(session, *window, 388, 412) >= standing + 24; }, kPatience));
    x.ReleaseKey("d");
    const double afterRight = LitCentre(session, *window, 388, 412);
    x.PressKey("a");
    EXPECT_TRUE(WaitUntil([&] { return LitCentre(session, *window, 388, 412) <= afterRight - 24; }, kPatience));
    x.ReleaseKey("a");

    // F throws the six balls: the first status line changes, and the last
    // frame's status text, printed at the end, counts them.
    const ScreenImage before = x.Grab(left + 10, top + 10, 120, 14);
    x.TapKey("f");
    EXPECT_TRUE(WaitUntil([&] { return !SameImage(x.Grab(left + 10, top + 10, 120, 14), before, 0); }, kPatience));

    // Escape ends the program normally.
    x.TapKey("Escape");
    EXPECT_EQ(session.ExitStatus(), "exited 0");
    const std::string output = session.Output();
    EXPECT_NE(output.find("Last status text:\nSpikeballs: 6\n"), std::string::npos) << output;
    EXPECT_NE(output.find("\n800 x 600\n"), std::string::npos) << output;
}

// SIGTERM (and SIGINT) in the game, SIGHUP during the intro: each ends the
// program the way closing its window does, down to the status text the
// game scene prints after its loop and exit status 0.
TEST_P(GorvaneTest, TerminationSignalsCloseTheGameNormally) {
    const int inGame = GetParam() ? SIGINT : SIGTERM;
    {
        GameSession session(GetParam());
        ASSERT_TRUE(session.Start());
        const auto window = session.MainWindow();
        ASSERT_TRUE(window) << session.Output();
        ASSERT_TRUE(WaitUntil([&] { return Lit(session.x.Grab(window->x + 10, window->y + 10, 120, 14), 50); },
                              kPatience));
        ASSERT_TRUE(session.game.Signal(inGame));
        EXPECT_EQ(session.ExitStatus(), "exited 0") << strsignal(inGame);
        EXPECT_NE(session.Output().find("Last status text:\nSpikeballs: 0\n"), std::string::npos)
            << session.Output();
    }
    if (GetParam()) return;
    GameSession session(false);
    ASSERT_TRUE(session.Start());
    ASSERT_TRUE(session.x.WaitForWindow("Orvo Core Intro", 640, 360, kPatience)) << session.Output();
    ASSERT_TRUE(session.game.Signal(SIGHUP));
    EXPECT_EQ(session.ExitStatus(), "exited 0");
    EXPECT_NE(session.Output().find("Last status text:"), std::string::npos) << session.Output();
}

INSTANTIATE_TEST_SUITE_P(Display, GorvaneTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "UnderAWindowManager" : "BareDisplay";
                         });
