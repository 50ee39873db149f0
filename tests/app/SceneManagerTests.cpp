#include "AppTestSupport.h"

#include <functional>
#include <string>

using namespace OvCore;

namespace {

// Each scene appends its name to the trace, then runs a message loop of one
// frame in which the test's action may call a scene-change operation.
std::string g_trace;
std::function<void(const std::string& scene)> g_action;

void Frame(HWND, void* userData) {
    const std::string scene = static_cast<const char*>(userData);
    if (g_action) g_action(scene);
    LoopState().running = false;
}

void RunScene(const char* name) {
    g_trace += g_trace.empty() ? name : std::string(" ") + name;
    RunMessageLoop(Frame, const_cast<char*>(name));
}

void Intro() { RunScene("intro"); }
void Middle() { RunScene("middle"); }
void Game() { RunScene("game"); }

class SceneManagerTest : public OvTest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        g_trace.clear();
        g_action = nullptr;
    }

    void Register(const char* name, OV_SCENE_FUNC scene, int id = 0) { *core.scenes.list.Get(name, id) = scene; }

    bool RunFrom(const char* first) {
        core.scenes.current = core.scenes.list.FindOrCreate(first, 0);
        return core.scenes.Run();
    }
};

TEST_F(SceneManagerTest, RunsRegisteredScenesInOrderOrReportsThereAreNone) {
    EXPECT_FALSE(core.scenes.Run());
    Register("intro", Intro);
    Register("empty", nullptr);
    Register("game", Game);
    EXPECT_TRUE(RunFrom("intro"));
    EXPECT_EQ(g_trace, "intro game");
    EXPECT_TRUE(core.scenes.current.IsEnd());
    EXPECT_TRUE(LoopState().running);
}

TEST_F(SceneManagerTest, ChangeSceneRunsTheChosenSceneOnceThenAdvancesFromIt) {
    Register("intro", Intro);
    Register("middle", Middle);
    Register("game", Game);
    int introVisits = 0;
    g_action = [&](const std::string& scene) {
        if (scene == "intro" && ++introVisits == 1) {
            EXPECT_TRUE(core.ChangeScene("intro", 0));
        }
    };
    EXPECT_TRUE(RunFrom("intro"));
    EXPECT_EQ(g_trace, "intro intro middle game");

    g_trace.clear();
    g_action = [](const std::string& scene) {
        if (scene == "intro") {
            EXPECT_TRUE(core.ChangeScene("game", 5));  // the id is not compared
        }
    };
    EXPECT_TRUE(RunFrom("intro"));
    EXPECT_EQ(g_trace, "intro game");
}

TEST_F(SceneManagerTest, ChangeSceneToAndPreviousSceneMoveBackwards) {
    Register("intro", Intro);
    Register("game", Game);
    int gameVisits = 0;
    g_action = [&](const std::string& scene) {
        if (scene != "game") return;
        ++gameVisits;
        if (gameVisits == 1) {
            EXPECT_TRUE(core.PreviousScene());
        }
        if (gameVisits == 2) {
            EXPECT_TRUE(core.ChangeSceneTo(core.scenes.list.Begin()));
        }
    };
    EXPECT_TRUE(RunFrom("intro"));
    EXPECT_EQ(g_trace, "intro game intro game intro game");
}

TEST_F(SceneManagerTest, MovesPastEitherEndAndUnknownTargetsAreRefused) {
    Register("intro", Intro);
    Register("game", Game);
    g_action = [](const std::string& scene) {
        if (scene == "intro") {
            EXPECT_FALSE(core.PreviousScene());
            EXPECT_FALSE(core.ChangeScene("missing", 0));
            EXPECT_FALSE(core.ChangeSceneTo(core.scenes.list.End()));
        } else {
            EXPECT_FALSE(core.NextScene());
        }
        EXPECT_TRUE(LoopState().running);
        EXPECT_TRUE(core.scenes.advance);
        EXPECT_FALSE(core.scenes.switchRequested);
    };
    EXPECT_TRUE(RunFrom("intro"));
    EXPECT_EQ(g_trace, "intro game");
}

TEST_F(SceneManagerTest, NextSceneSkipsNothingAndExitScenesEndsTheRun) {
    Register("intro", Intro);
    Register("middle", Middle);
    Register("game", Game);
    g_action = [](const std::string& scene) {
        if (scene == "intro") {
            EXPECT_TRUE(core.NextScene());
        }
        if (scene == "middle") {
            EXPECT_TRUE(core.ExitScenes());
        }
    };
    EXPECT_TRUE(RunFrom("intro"));
    EXPECT_EQ(g_trace, "intro middle");
}

TEST_F(SceneManagerTest, SceneChangesAreRefusedWhileNoLoopRuns) {
    Register("intro", Intro);
    Register("game", Game);
    core.scenes.current = core.scenes.list.Begin();
    LoopState().running = false;
    EXPECT_FALSE(core.ChangeScene("game", 0));
    EXPECT_FALSE(core.NextScene());
    EXPECT_EQ(core.scenes.current, core.scenes.list.Begin());
    EXPECT_TRUE(core.scenes.advance);
    EXPECT_FALSE(core.scenes.switchRequested);
}

} // namespace
