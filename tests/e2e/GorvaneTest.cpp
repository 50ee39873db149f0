// The game played through the X server the way a person plays it: the real
// program on a private Xvfb screen of 1920 x 1080, with and without a window
// manager, its windows found by title, the pointer and keys sent with XTEST,
// and what it does read back from the screen.
#include "tests/support/ChildProcess.h"
#include "tests/e2e/WaitUntil.h"
#include "tests/support/XServer.h"
#include "tests/support/XSession.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
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
constexpr double kPatience = 60.0;
constexpr int kLeft = 1, kRight = 3;
constexpr int kCell = 16;
constexpr int kFloorRow = 26;  // y 416..431 in the window
constexpr int kFirstColumn = 1, kLastColumn = 20;
constexpr int kDark = 24;  // channel level up to which a pixel is background
// The player stands on the floor: its sprite (32 pixels high, centred on the
// player) covers these rows of the window and nothing above kAboveStanding.
constexpr int kStandingTop = 388, kStandingBottom = 412, kAboveStanding = 380;

// The status text: a monospaced font, 8 pixels a character, 16 a line, from
// (10, 10) of the window.
constexpr int kTextLeft = 10, kTextTop = 10, kCharWidth = 8, kLineHeight = 16;

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
        options.environment = {"DISPLAY=" + server_.DisplayName(), "OV_PRINT_STATUS=1", "SDL_AUDIODRIVER=dummy",
                               "ALSOFT_DRIVERS=null"};
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

    // Waits for a shown window with that title, size and place on the
    // screen (a window manager may show it elsewhere first); reports where it
    // was last seen when it does not get there.
    ::testing::AssertionResult WindowSettles(const std::string& title, int left, int top, int width, int height) {
        std::optional<WindowGeometry> seen;
        const bool settled = WaitUntil(
            [&] {
                seen = x.FindWindow(title);
                return seen && seen->x == left && seen->y == top && seen->width == width && seen->height == height;
            },
            kPatience, 0.05);
        if (settled) return ::testing::AssertionSuccess();
        auto failure = ::testing::AssertionFailure() << "\"" << title << "\" ";
        if (!seen) return failure << "not shown\n" << Output();
        return failure << "at " << seen->x << "," << seen->y << " size " << seen->width << "x" << seen->height;
    }

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

bool IsLit(uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) > kDark || ((pixel >> 8) & 0xFF) > kDark || (pixel & 0xFF) > kDark;
}

bool Lit(const ScreenImage& image, int minimum) { return image.CountBrighterThan(kDark) >= minimum; }

bool SameImage(const ScreenImage& a, const ScreenImage& b, int tolerance) {
    if (a.pixels.size() != b.pixels.size()) return false;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            const int difference =
                static_cast<int>((a.pixels[i] >> shift) & 0xFF) - static_cast<int>((b.pixels[i] >> shift) & 0xFF);
            if (std::abs(difference) > tolerance) return false;
        }
    }
    return true;
}

// The rows of an image as text, '#' lit and '.' dark, every `step`th pixel
// of every `step`th row: for failure messages.
std::string Picture(const ScreenImage& image, int step = 1) {
    std::string text;
    for (int row = 0; row < image.height; row += step) {
        for (int column = 0; column < image.width; column += step)
            text += IsLit(image.pixels[static_cast<size_t>(row) * image.width + column]) ? '#' : '.';
        text += '\n';
    }
    return text;
}

class GamePlay {
public:
    GamePlay(GameSession& session, const WindowGeometry& window) : x_(session.x), window_(window) {}

    // A rectangle of the window, in window coordinates.
    ScreenImage Area(int left, int top, int width, int height) const {
        return x_.Grab(window_.x + left, window_.y + top, width, height);
    }
    ScreenImage Cell(int column, int row) const { return Area(kCell * column, kCell * row, kCell, kCell); }
    void PointAt(int left, int top) const { x_.MovePointer(window_.x + left, window_.y + top); }

    // The middle of the lit columns in the rows where a standing player is;
    // -1 when nothing is lit there.
    double StandingCentre() const {
        const ScreenImage band = Area(0, kStandingTop, window_.width, kStandingBottom - kStandingTop);
        int first = -1, last = -1;
        for (int column = 0; column < band.width; ++column) {
            for (int row = 0; row < band.height; ++row) {
                if (!IsLit(band.pixels[static_cast<size_t>(row) * band.width + column])) continue;
                if (first < 0) first = column;
                last = column;
                break;
            }
        }
        return first < 0 ? -1.0 : (first + last) / 2.0;
    }

    // Character `index` of status line `line` as drawn.
    ScreenImage StatusChar(int line, int index) const {
        return Area(kTextLeft + kCharWidth * index, kTextTop + kLineHeight * line, kCharWidth, kLineHeight);
    }

private:
    OvTest::XSession& x_;
    WindowGeometry window_;
};

// The status text's lines are "Spikeballs: N", "FPS: ..", "800 x 600",
// "Dt: ..": the digits that the third line shows are the reference for the
// count on the first.
bool BallCountReads(const GamePlay& play, int thirdLineIndex) {
    const ScreenImage count = play.StatusChar(0, 12), reference = play.StatusChar(2, thirdLineIndex);
    return Lit(count, 8) && SameImage(count, reference, 0) && !Lit(play.StatusChar(0, 13), 1);
}
constexpr int kZeroInThirdLine = 1, kSixInThirdLine = 6;

// The game started on a session, up to the point where it shows the window
// "main" in its place; empty when it did not get there.
std::optional<WindowGeometry> ReachTheGame(GameSession& session) {
    OvTest::XSession& x = session.x;
    EXPECT_TRUE(session.WindowSettles("Gorvane", 560, 240, 800, 600));
    const auto window = x.FindWindow("Gorvane");
    if (!window) return std::nullopt;
    const GamePlay play(session, *window);
    // Frames are being drawn: the status text counts no balls.
    if (!WaitUntil([&] { return BallCountReads(play, kZeroInThirdLine); }, kPatience)) {
        ADD_FAILURE() << "no status text\n" << Picture(play.Area(0, 0, 160, 70));
        return std::nullopt;
    }
    return window;
}

class GorvaneTest : public ::testing::TestWithParam<bool> {};

}  // namespace

TEST_P(GorvaneTest, PlayedWithTheRealMouseAndKeyboard) {
    GameSession session(GetParam());
    ASSERT_TRUE(session.Start());
    OvTest::XSession& x = session.x;

    // The intro: 640 x 360 in the middle of the screen, showing its image
    // (the fade lasts two seconds; any frame that shows it will do).
    std::optional<WindowGeometry> intro;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const auto seen = x.FindWindow("Orvo Core Intro");
            if (seen) intro = seen;
            return seen && Lit(x.Grab(seen->x, seen->y, seen->width, seen->height), 2000);
        },
        kPatience, 0.02))
        << session.Output();
    ASSERT_TRUE(intro) << session.Output();
    EXPECT_EQ(intro->x, 640);
    EXPECT_EQ(intro->y, 360);
    EXPECT_EQ(intro->width, 640);
    EXPECT_EQ(intro->height, 360);

    // Then the game: window "main" at 800 x 600, centred.
    const auto window = ReachTheGame(session);
    ASSERT_TRUE(window);
    const GamePlay play(session, *window);

    // A drag with the left button paints every cell it passes, one after
    // another as the pointer moves.
    const int floorY = kCell * kFloorRow + 8;
    play.PointAt(kCell * kFirstColumn + 8, floorY);
    x.PressButton(kLeft);
    for (int column = kFirstColumn; column <= kLastColumn; ++column) {
        play.PointAt(kCell * column + 8, floorY);
        EXPECT_TRUE(WaitUntil([&] { return Lit(play.Cell(column, kFloorRow), 128); }, kPatience))
            << "cell " << column << " was not painted under the pointer";
    }
    x.ReleaseButton(kLeft);
    play.PointAt(400, 100);
    // The wall image that followed the pointer goes from the end of the line.
    ASSERT_TRUE(WaitUntil([&] { return !Lit(play.Area(kCell * kLastColumn, 432, 32, 8), 1); }, kPatience))
        << Picture(play.Area(0, 400, 400, 48));
    // Exactly the cells passed over, a line without gaps.
    const ScreenImage floor = play.Area(0, kCell * (kFloorRow - 1), kCell * (kLastColumn + 3), kCell * 3);
    for (int column = kFirstColumn; column <= kLastColumn; ++column)
        EXPECT_TRUE(Lit(play.Cell(column, kFloorRow), 128)) << "cell " << column << "\n" << Picture(floor);
    EXPECT_FALSE(Lit(play.Cell(kFirstColumn - 1, kFloorRow), 1)) << Picture(floor);
    EXPECT_FALSE(Lit(play.Cell(kLastColumn + 1, kFloorRow), 1)) << Picture(floor);
    EXPECT_FALSE(Lit(play.Area(0, kCell * (kFloorRow + 1), kCell * 24, kCell), 1)) << Picture(floor);
    EXPECT_FALSE(Lit(play.Area(0, kCell * (kFloorRow - 1), kCell * 24, kCell), 1)) << Picture(floor);

    // Hovering a solid cell shows the wall image at the exact pointer place:
    // its bottom rows hang below the floor, the same pixels as the bottom rows
    // of a painted cell.
    const ScreenImage brickRows = play.Area(kCell * 10, kCell * kFloorRow + 12, 16, 4);
    EXPECT_TRUE(Lit(brickRows, 32));
    play.PointAt(85, 420);
    EXPECT_TRUE(WaitUntil([&] { return SameImage(play.Area(85, 432, 16, 4), brickRows, 4); }, kPatience))
        << Picture(play.Area(64, 400, 64, 48));
    EXPECT_FALSE(Lit(play.Area(101, 432, 16, 4), 1));
    play.PointAt(300, 200);
    EXPECT_TRUE(WaitUntil([&] { return !Lit(play.Area(85, 432, 16, 4), 1); }, kPatience));

    // A right click drops a player at the pointer; it falls onto the floor.
    play.PointAt(200, 300);
    x.Click(kRight);
    double standing = -1;
    EXPECT_TRUE(WaitUntil(
        [&] {
            standing = play.StandingCentre();
            return standing >= 0 && !Lit(play.Area(150, 250, 100, kAboveStanding - 250), 1);
        },
        kPatience))
        << "no player standing on the floor\n"
        << Picture(play.Area(0, 0, 800, 600), 8);
    EXPECT_NEAR(standing, 200, 2);

    // D runs right, A runs left.
    x.PressKey("d");
    EXPECT_TRUE(WaitUntil([&] { return play.StandingCentre() >= standing + 24; }, kPatience));
    x.ReleaseKey("d");
    const double afterRight = play.StandingCentre();
    x.PressKey("a");
    EXPECT_TRUE(WaitUntil([&] { return play.StandingCentre() <= afterRight - 24; }, kPatience));
    x.ReleaseKey("a");

    // F throws six balls: the status text reads "Spikeballs: 6".
    x.TapKey("f");
    EXPECT_TRUE(WaitUntil([&] { return BallCountReads(play, kSixInThirdLine); }, kPatience))
        << Picture(play.Area(0, 0, 160, 70));

    // Escape ends the program normally, through the end of the game scene.
    x.TapKey("Escape");
    EXPECT_EQ(session.ExitStatus(), "exited 0");
    const std::string output = session.Output();
    EXPECT_NE(output.find("Last status text:\nSpikeballs: "), std::string::npos) << output;
    EXPECT_NE(output.find("\n800 x 600\n"), std::string::npos) << output;
}

// SIGTERM ends the game the way closing its window does: the game scene
// finishes (it prints its last status text after its loop) and the status
// is 0.
TEST_P(GorvaneTest, SigtermEndsTheGameNormally) {
    GameSession session(GetParam());
    ASSERT_TRUE(session.Start());
    ASSERT_TRUE(ReachTheGame(session));
    ASSERT_TRUE(session.game.Signal(SIGTERM));
    EXPECT_EQ(session.ExitStatus(), "exited 0");
    EXPECT_NE(session.Output().find("Last status text:\nSpikeballs: 0\n"), std::string::npos) << session.Output();
}

INSTANTIATE_TEST_SUITE_P(Display, GorvaneTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "UnderAWindowManager" : "BareDisplay";
                         });

// SIGINT in the game and SIGHUP during the intro end it the same way; the
// intro ends, and the game scene that follows ends at its first frame.
TEST(GorvaneSignalsTest, SigintInTheGameAndSighupInTheIntroEndItNormally) {
    {
        GameSession session(false);
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(ReachTheGame(session));
        ASSERT_TRUE(session.game.Signal(SIGINT));
        EXPECT_EQ(session.ExitStatus(), "exited 0");
        EXPECT_NE(session.Output().find("Last status text:\nSpikeballs: 0\n"), std::string::npos) << session.Output();
    }
    GameSession session(false);
    ASSERT_TRUE(session.Start());
    ASSERT_TRUE(WaitUntil([&] { return session.x.FindWindow("Orvo Core Intro").has_value(); }, kPatience))
        << session.Output();
    ASSERT_TRUE(session.game.Signal(SIGHUP));
    EXPECT_EQ(session.ExitStatus(), "exited 0");
    EXPECT_NE(session.Output().find("Last status text:"), std::string::npos) << session.Output();
}
