#include "WorldTestSupport.h"
#include "ovcore/world/Models.h"
#include "ovcore/world/RenderEntries.h"
#include "ovcore/world/com/Character.h"
#include "ovcore/world/com/Plant.h"

using namespace OvCore;
using OvTest::CountOf;
using OvTest::Journal;
using OvTest::JournalActor;

namespace {

class FrameStepTest : public OvTest::WorldTest {
protected:
    void JournalEveryHook() {
        world.updateHook = [] { Journal().push_back("update"); };
        world.renderHook = [] { Journal().push_back("render"); };
        world.renderAfterHook = [] { Journal().push_back("after"); };
        // The other subsystems' places: sockets, render entries, the GUI, models.
        core.SetFrameStep(OV_FRAME_PHASE::UPDATE, 10, [] { Journal().push_back("sockets"); });
        core.SetFrameStep(OV_FRAME_PHASE::UPDATE, OV_RENDER_ENTRIES_PLACE, [] { Journal().push_back("entries"); });
        core.SetFrameStep(OV_FRAME_PHASE::UPDATE, 40, [] { Journal().push_back("gui input"); });
        core.SetFrameStep(OV_FRAME_PHASE::DRAW, OV_RENDER_ENTRIES_FIRST_PLACE, [] { Journal().push_back("first"); });
        core.SetFrameStep(OV_FRAME_PHASE::DRAW, OV_MODELS_PLACE, [] { Journal().push_back("models"); });
        core.SetFrameStep(OV_FRAME_PHASE::DRAW, OV_RENDER_ENTRIES_LAST_PLACE, [] { Journal().push_back("last"); });
        core.SetFrameStep(OV_FRAME_PHASE::OVERLAY, 10, [] { Journal().push_back("gui draw"); });
    }
};

// Spawns one "child" in its first update.
class Spawner : public JournalActor {
public:
    Spawner() : JournalActor("spawner") {}
    void OnUpdate(int32_t unused) override {
        JournalActor::OnUpdate(unused);
        if (!spawned) spawned = World().SpawnActor("child", new JournalActor("child"));
    }
    bool spawned = false;
};

// Asks to die in every frame it lives, twice over.
class Doomed : public JournalActor {
public:
    Doomed() : JournalActor("doomed") {}
    void OnUpdate(int32_t unused) override {
        JournalActor::OnUpdate(unused);
        World().KillActor(this);
        World().KillActor(this);
    }
};

TEST_F(FrameStepTest, WithoutViewsRunsEveryPhaseOnceInOrder) {
    SpawnLive("a");
    SpawnLive("b");
    JournalEveryHook();
    world.FrameStep();
    const std::vector<std::string> expected = {"update",    "sockets", "U:a",   "U:b",     "entries",
                                               "gui input", "render",  "first", "R:a",     "R:b",
                                               "models",    "last",    "after", "gui draw"};
    EXPECT_EQ(Journal(), expected);
    EXPECT_TRUE(world.currentView.IsEnd());
}

TEST_F(FrameStepTest, DrawsOncePerActiveViewWithThatViewCurrent) {
    SpawnLive("a");
    AddView("left", true);
    AddView("off", false);
    AddView("right", true);
    world.renderHook = [] { Journal().push_back(std::string("view ") + World().currentView.Key()->name); };
    world.renderAfterHook = [] { Journal().push_back("after"); };
    world.FrameStep();
    const std::vector<std::string> expected = {"U:a", "view left", "R:a", "after", "view right", "R:a", "after"};
    EXPECT_EQ(Journal(), expected);
    EXPECT_TRUE(world.currentView.IsEnd());

    Journal().clear();
    world.views.Get("left", 0)->active = false;
    world.views.Get("right", 0)->active = false;
    world.FrameStep();
    EXPECT_EQ(Journal(), std::vector<std::string>{"U:a"}) << "views but none active: nothing is drawn";
}

TEST_F(FrameStepTest, ASpawnedActorJoinsAtTheEndOfItsFrame) {
    ASSERT_TRUE(world.SpawnActor("spawner", new Spawner));
    world.MergePendingActors();
    static uint32_t childrenSeenWhileDrawing;
    childrenSeenWhileDrawing = 99;
    world.renderHook = [] { childrenSeenWhileDrawing = World().CountActors("child"); };

    world.FrameStep();
    EXPECT_EQ(childrenSeenWhileDrawing, 0u);
    EXPECT_EQ(world.CountActors("child"), 1u) << "counted right after the step";
    EXPECT_EQ(CountOf("U:child") + CountOf("R:child"), 0) << "neither updated nor drawn in its first frame";
    EXPECT_EQ(world.pendingActors.Count(), 0u);

    world.FrameStep();
    EXPECT_EQ(CountOf("U:child"), 1);
    EXPECT_EQ(CountOf("R:child"), 1);
}

TEST_F(FrameStepTest, DeadActorsAreDeletedOnceAndAfterTheDraw) {
    ASSERT_TRUE(world.SpawnActor("doomed", new Doomed));
    world.MergePendingActors();
    world.FrameStep();
    const std::vector<std::string> expected = {"U:doomed", "R:doomed", "D:doomed"};
    EXPECT_EQ(Journal(), expected) << "still drawn in the frame it dies in";
    EXPECT_EQ(JournalActor::deleted, 1);
    EXPECT_EQ(world.actors.Count(), 0u);
    EXPECT_TRUE(world.deadActors.empty());

    // Listed again after it is gone, or never registered: skipped.
    JournalActor stranger("stranger");
    world.KillActor(&stranger);
    world.FrameStep();
    EXPECT_EQ(JournalActor::deleted, 1);
}

TEST_F(FrameStepTest, APendingActorListedDeadIsMergedThenReapedInTheSameFrame) {
    JournalActor* pending = Spawn("ghost");
    world.KillActor(pending);
    world.FrameStep();
    EXPECT_EQ(Journal(), std::vector<std::string>{"D:ghost"});
    EXPECT_EQ(JournalActor::deleted, 1);
    EXPECT_EQ(world.actors.Count() + world.pendingActors.Count(), 0u);
}

TEST_F(FrameStepTest, TimersFireOnceWhenTheyRunOut) {
    static int fired;
    fired = 0;
    LoopState().delta = 0.1f;
    world.timers.push_back({0.25f, [] {
                                ++fired;  // timers it starts run from the next frame; the list may grow
                                for (int i = 0; i < 64; ++i) World().timers.push_back({1.0f, nullptr});
                            }});
    world.timers.push_back({0.0f, [] { fired += 100; }});  // already run out: never fires
    world.timers.push_back({0.05f, nullptr});
    world.FrameStep();
    world.FrameStep();
    EXPECT_EQ(fired, 0);
    world.FrameStep();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(world.timers[0].remaining, 0.0f);
    EXPECT_EQ(world.timers[2].remaining, 0.0f);
    world.FrameStep();
    world.FrameStep();
    EXPECT_EQ(fired, 1);
}

}  // namespace

// A plant that journals its frame calls, as an application's subclass may.
class JournalPlant : public Com::C_PLANT {
public:
    void OnUpdate(int32_t) override { Journal().push_back("U:plant"); }
    void OnRender(int32_t) override { Journal().push_back("R:plant"); }
};

// Changes the collection itself in its update: takes the entry named
// "victim" out and adds a live entry "late".
class Meddler : public JournalActor {
public:
    Meddler() : JournalActor("meddler") {}
    void OnUpdate(int32_t unused) override {
        JournalActor::OnUpdate(unused);
        if (!meddled) {
            meddled = true;
            auto entry = World().actors.Access(FIND_NAME, "victim", 0);
            victim = *entry.Value();
            World().actors.Erase(entry);
            *World().actors.Get("late", 99) = late = new JournalActor("late");
        }
    }
    bool meddled = false;
    OV_ACTOR* victim = nullptr;
    OV_ACTOR* late = nullptr;
};

// The walks follow the collection from frame to frame (sorting, merging,
// null entries) and, when an actor's own update changes the collection,
// within the frame too: a removed entry is not visited, an added one is.
TEST_F(FrameStepTest, ActorWalksFollowEveryChangeOfTheCollection) {
    SpawnLive("x", 1.0f);
    SpawnLive("y", 2.0f);
    world.FrameStep();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"U:x", "U:y", "R:x", "R:y"}));
    Journal().clear();
    world.SortActorsByDepth();
    Spawn("z", 3.0f);
    world.FrameStep();  // z merges at the end of this frame
    world.FrameStep();
    EXPECT_EQ(Journal(),
              (std::vector<std::string>{"U:y", "U:x", "R:y", "R:x", "U:y", "U:x", "U:z", "R:y", "R:x", "R:z"}));
    *world.actors.Get("empty", 0) = nullptr;
    Journal().clear();
    world.FrameStep();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"U:y", "U:x", "U:z", "R:y", "R:x", "R:z"}));
    world.ClearActors(world.views);
    Journal().clear();

    auto* meddler = new Meddler;
    ASSERT_TRUE(world.SpawnActor("meddler", meddler));
    SpawnLive("victim");
    SpawnLive("after");
    world.FrameStep();
    EXPECT_EQ(Journal(),
              (std::vector<std::string>{"U:meddler", "U:after", "U:late", "R:meddler", "R:after", "R:late"}));
    delete meddler->victim;
    Journal().clear();
    world.FrameStep();
    EXPECT_EQ(Journal(),
              (std::vector<std::string>{"U:meddler", "U:after", "U:late", "R:meddler", "R:after", "R:late"}));

    // Components as they come do nothing a frame; a subclass that does is called in its place.
    world.ClearActors(world.views);
    ASSERT_TRUE(world.SpawnActor("PLANT", new Com::C_PLANT));
    ASSERT_TRUE(world.SpawnActor("PLANT", new JournalPlant));
    ASSERT_TRUE(world.SpawnActor("CHARACTER", new Com::C_CHARACTER));
    SpawnLive("last");
    Journal().clear();
    world.FrameStep();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"U:plant", "U:last", "R:plant", "R:last"}));
}
