#include "AppTestSupport.h"

#include <functional>
#include <string>

using namespace OvCore;

namespace {

// Each scene appends its name to the trace and runs a one-frame message loop
// in which the test's action (given the scene and the visit number) may call
// a scene-change operation.
std::string g_trace;
int g_visits;
std::function<void(const std::string& scene, int visit)> g_action;

void RunScene(const char* name) {
    g_trace += (g_trace.empty() ? "" : " ") + std::string(name);
    RunMessageLoop(
        [](HWND, void* scene) {
            if (g_action) g_action(static_cast<const char*>(scene), ++g_visits);
            LoopState().running = false;
        },
        const_cast<char*>(name));
}

void Intro() { RunScene("intro"); }
void Middle() { RunScene("middle"); }
void Game() { RunScene("game"); }

class SceneManagerTest : public OvTest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        *core.scenes.list.Get("intro", 0) = Intro;
        *core.scenes.list.Get("middle", 0) = Middle;
        *core.scenes.list.Get("game", 0) = Game;
    }

    std::string RunFromIntro(std::function<void(const std::string&, int)> action) {
        g_trace.clear();
        g_visits = 0;
        g_action = std::move(action);
        core.scenes.current = core.scenes.list.Begin();
        EXPECT_TRUE(core.scenes.Run());
        EXPECT_TRUE(LoopState().running);
        return g_trace;
    }
};

TEST_F(SceneManagerTest, RunsScenesInRegistrationOrderSkippingEmptyOnes) {
    *core.scenes.list.Get("middle", 0) = nullptr;
    EXPECT_EQ(RunFromIntro(nullptr), "intro game");
    EXPECT_TRUE(core.scenes.current.IsEnd());
    core.scenes.list.Clear();
    EXPECT_FALSE(core.scenes.Run());
}

TEST_F(SceneManagerTest, SceneChangesPickTheNextSceneOnceThenOrderResumes) {
    const std::string trace = RunFromIntro([](const std::string& scene, int visit) {
        if (visit == 1) {
            EXPECT_TRUE(core.ChangeScene("intro", 0));
        }  // itself, once more
        if (visit == 2) {
            EXPECT_TRUE(core.ChangeScene("game", 5));
        }  // by name, any id
        if (visit == 3) {
            EXPECT_TRUE(core.PreviousScene());
        }
        if (visit == 5) {
            EXPECT_TRUE(core.ChangeSceneTo(core.scenes.list.Begin()));
        }
        if (scene == "game" && visit > 5) {
            EXPECT_FALSE(core.NextScene());  // the last scene
            EXPECT_TRUE(LoopState().running);
        }
    });
    EXPECT_EQ(trace, "intro intro game middle game intro middle game");
}

TEST_F(SceneManagerTest, RefusedChangesLeaveEverythingAndExitScenesEndsTheRun) {
    const std::string trace = RunFromIntro([](const std::string&, int) {
        EXPECT_FALSE(core.PreviousScene());  // the first scene
        EXPECT_FALSE(core.ChangeScene("missing", 0));
        EXPECT_FALSE(core.ChangeSceneTo(core.scenes.list.End()));
        EXPECT_TRUE(LoopState().running);
        EXPECT_TRUE(core.scenes.advance);
        EXPECT_FALSE(core.scenes.switchRequested);
        EXPECT_TRUE(core.ExitScenes());
    });
    EXPECT_EQ(trace, "intro");

    core.scenes.current = core.scenes.list.Begin();
    LoopState().running = false;  // no loop runs: every change is refused
    EXPECT_FALSE(core.ChangeScene("game", 0));
    EXPECT_FALSE(core.NextScene());
    EXPECT_EQ(core.scenes.current, core.scenes.list.Begin());
}

}  // namespace
