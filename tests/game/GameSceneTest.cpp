// The game scene played in-process through the real message path: input
// scripts queue the messages a user would make, world hooks watch the frames.
#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/Timer.h"
#include "game/GameScene.h"
#include "game/Player.h"
#include "game/TileMap.h"
#include "ovcore/platform/InputScript.h"
#include "ovcore/render/FontCollection.h"
#include "ovcore/render/TextureCollection.h"
#include "ovcore/world/FrameStep.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

namespace {

using namespace OvCore;

constexpr int kEscape = 27;
constexpr int kFrameGuard = 5000;

// Every read of the clock moves it on by a 60th of a second, so that the
// game's physics does not depend on how fast this machine draws.
double SteppedClock() {
    static double now = 0.0;
    now += 1.0 / 60.0;
    return now;
}

// What a test wants done at the start of every frame's world step (false
// ends the scene).
std::function<bool()>& FrameWatch() {
    static std::function<bool()> watch;
    return watch;
}

int& FramesSeen() {
    static int frames = 0;
    return frames;
}

void WatchFrame() {
    ++FramesSeen();
    if (FramesSeen() > kFrameGuard || (FrameWatch() && !FrameWatch()())) core.ExitScenes();
}

// A script line per frame from `first` on.
struct ScriptBuilder {
    std::ostringstream text;
    int frame = 2;

    ScriptBuilder() { text << "wait \"Gorvane\" 800 600\n"; }
    ScriptBuilder& At(const std::string& line) {
        text << frame << ' ' << line << '\n';
        return *this;
    }
    ScriptBuilder& Next(int frames = 1) {
        frame += frames;
        return *this;
    }
    ScriptBuilder& Move(int x, int y) { return At("move " + std::to_string(x) + ' ' + std::to_string(y)).Next(); }
    // A left-button stroke along y from x1 to x2, 8 pixels a frame.
    ScriptBuilder& PaintRow(int x1, int x2, int y) {
        Move(x1, y).At("button left down").Next();
        for (int x = x1 + 8; x <= x2; x += 8) Move(x, y);
        return At("button left up").Next();
    }
    ScriptBuilder& Click(const char* button) {
        At(std::string("button ") + button + " down").Next();
        return At(std::string("button ") + button + " up").Next();
    }
    ScriptBuilder& Key(int vk) {
        At("key " + std::to_string(vk) + " down").Next();
        return At("key " + std::to_string(vk) + " up").Next();
    }
};

// Each test starts as the program does when the scene begins: window "main"
// made with its defaults, an empty map and world, an idle loop and input.
class GameSceneTest : public ::testing::Test {
protected:
    OV_WORLD& world = World();
    OV_WINDOW* window = nullptr;

    void Reset() {
        world.ClearActors(world.views);
        world.nextActorId = 0;
        GameMap().Clear();
        LoopState() = OV_LOOP_STATE{};
        InputStore() = OV_INPUT{};
    }

    void SetUp() override {
        Reset();
        InputStore().ignoreRepeat = true;
        window = core.windows.Get("main", 0);
        window->title = "Gorvane";
        window->bitsPerPixel = 32;
        ASSERT_TRUE(window->Create(EmptyHandle()));
        SetTimerClock(SteppedClock);
        FramesSeen() = 0;
        world.updateHook = WatchFrame;
    }

    void TearDown() override {
        world.updateHook = nullptr;
        FrameWatch() = nullptr;
        SetTimerClock(nullptr);
        InputScriptLoad("");
        core.Clear();
        if (window->GetHandle()) window->Destroy();
        core.windows.Clear();
        Reset();
    }

    void Play(const std::string& script) {
        InputScriptLoad(script);
        GameScene();
        EXPECT_LE(FramesSeen(), kFrameGuard) << "the scene did not end by itself";
    }

    static const Player* FindPlayer() {
        for (auto it = World().actors.Begin(); !it.IsEnd(); it.Next())
            if ((*it.Value())->NameIs("Player")) return static_cast<const Player*>(*it.Value());
        return nullptr;
    }

    static std::string StatusLine(int index) {
        std::istringstream lines(GameStatusText());
        std::string line;
        for (int i = 0; i <= index; ++i) std::getline(lines, line);
        return line;
    }
};

TEST_F(GameSceneTest, TheWindowIsCentredAt800x600AndEscapeReleasesEverythingOnce) {
    RECT client{}, frame{};
    OvHandle wallFrame = EmptyHandle();
    FrameWatch() = [&] {
        GetClientRect(window->GetHandle(), &client);
        GetWindowRect(window->GetHandle(), &frame);
        if (const OV_TEXTURE* wall = Textures().Access(FIND, "wall", 0).Value()) wallFrame = wall->GetCurrentFrame();
        return true;
    };
    Play(ScriptBuilder().Next(3).Key(kEscape).text.str());

    EXPECT_EQ(window->width, 800);
    EXPECT_EQ(window->height, 600);
    EXPECT_EQ(window->x, core.desktopWidth / 2 - 400);
    EXPECT_EQ(window->y, core.desktopHeight / 2 - 300);
    if (core.desktopWidth == 1920 && core.desktopHeight == 1080) {
        EXPECT_EQ(frame.left, 560);
        EXPECT_EQ(frame.top, 240);
    }
    EXPECT_EQ(client.right - client.left, 800);
    EXPECT_EQ(client.bottom - client.top, 600);
    EXPECT_EQ(StatusLine(0), "Spikeballs: 0");
    EXPECT_EQ(StatusLine(2), "800 x 600");
    EXPECT_EQ(StatusLine(3).rfind("Dt: ", 0), 0u);
    EXPECT_EQ(InputScriptPending(), 1u) << "the loop ends with the Escape frame, before the key is let go";

    // The scene cleared the core: the loaded images are gone and nothing is
    // left for a second clear.
    ASSERT_FALSE(IsEmptyHandle(wallFrame));
    EXPECT_EQ(OvTextureGet(wallFrame, TEXTURE_QUERY_WIDTH), nullptr);
    EXPECT_TRUE(Textures().Begin().IsEnd());
    EXPECT_TRUE(Fonts().Begin().IsEnd());
    EXPECT_TRUE(World().actors.Begin().IsEnd());
    EXPECT_TRUE(window->GetHandle() != nullptr) << "the scene keeps window main for the entry point";
}

TEST_F(GameSceneTest, DraggingPaintsARowOfCellsAndASolidCellShowsTheWallAtTheCursor) {
    // Pixels 182..187 x 212..217 lie in the empty row under the painted one,
    // so only the wall image drawn at the cursor (180, 205) covers them.
    int hoverLit = -1, elsewhereLit = -1;
    FrameWatch() = [&] {
        const OV_VECTOR mouse = core.MousePosition("main", 0);
        unsigned char pixels[6 * 6 * 4] = {};
        if (!OvRenderTargetReadPixels(182, 212, 6, 6, pixels)) return true;
        int lit = 0;
        for (int i = 0; i < 36; ++i) lit += pixels[i * 4] + pixels[i * 4 + 1] + pixels[i * 4 + 2] > 60;
        if (mouse.x == 180 && mouse.y == 205) hoverLit = lit;
        if (mouse.x == 300 && mouse.y == 300) elsewhereLit = lit;
        return true;
    };
    ScriptBuilder script;
    script.PaintRow(100, 260, 200).Move(300, 300).Next(2).Move(180, 205).Next(2).Move(300, 300).Next(2).Key(kEscape);
    Play(script.text.str());

    for (int column = 100 / 16; column <= 260 / 16; ++column) EXPECT_TRUE(GameMap().IsSolidCell(column, 12)) << column;
    EXPECT_FALSE(GameMap().IsSolidCell(100 / 16 - 1, 12));
    EXPECT_FALSE(GameMap().IsSolidCell(260 / 16 + 1, 12));
    EXPECT_FALSE(GameMap().IsSolidCell(10, 11));
    EXPECT_FALSE(GameMap().IsSolidCell(10, 13));
    EXPECT_FALSE(GameMap().IsSolidCell(300 / 16, 300 / 16)) << "moving without the button paints nothing";
    EXPECT_GT(hoverLit, 18);
    EXPECT_EQ(elsewhereLit, 0);
}

TEST_F(GameSceneTest, TheRightButtonDropsAPlayerThatFallsToTheFloorAndStands) {
    double lastY = -1;
    int stillFrames = 0;
    bool fell = false;
    FrameWatch() = [&] {
        const Player* player = FindPlayer();
        if (!player) return true;
        fell = fell || player->position.y > 320;
        stillFrames = player->position.y == lastY && player->velocity.y == 0 ? stillFrames + 1 : 0;
        lastY = player->position.y;
        return stillFrames < 30;
    };
    ScriptBuilder script;
    script.PaintRow(120, 280, 400).Move(200, 300).Click("right");
    Play(script.text.str());

    const Player* player = FindPlayer();
    ASSERT_EQ(player, nullptr) << "the scene's clear deletes the player";
    EXPECT_TRUE(fell);
    EXPECT_EQ(stillFrames, 30);
    // Standing: the feet, 15 pixels under the position, rest on the floor's
    // top at y = 400.
    EXPECT_LT(lastY + 15, 400);
    EXPECT_GE(lastY + 16, 398);
}

TEST_F(GameSceneTest, ThrowingCountsSixSpikeballsInTheSameFrame) {
    std::string statusBeforeThrow, statusOfThrow;
    bool thrown = false;
    FrameWatch() = [&] {
        // The status text seen here is the one the previous frame showed.
        if (thrown) {
            statusOfThrow = GameStatusText();
            return false;
        }
        if (KeyPressed('F')) {
            statusBeforeThrow = GameStatusText();
            thrown = true;
        }
        return true;
    };
    ScriptBuilder script;
    script.PaintRow(120, 280, 400).Move(200, 300).Click("right").Next(5).Key('F').Next(20);
    Play(script.text.str());

    ASSERT_TRUE(thrown);
    EXPECT_EQ(statusBeforeThrow.substr(0, statusBeforeThrow.find('\n')), "Spikeballs: 0");
    EXPECT_EQ(statusOfThrow.substr(0, statusOfThrow.find('\n')), "Spikeballs: 6");
}

}  // namespace
