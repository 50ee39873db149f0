#include "WorldTestSupport.h"

#include <cmath>
#include <string>

using namespace OvCore;
using OvTest::Journal;
using OvTest::JournalActor;

namespace {

class ActorRegistryTest : public OvTest::WorldTest {
protected:
    // "name:id" of every live entry, checking that each key still belongs to its actor.
    std::vector<std::string> LiveOrder() {
        std::vector<std::string> order;
        for (auto it = world.actors.Begin(); !it.IsEnd(); it.Next()) {
            EXPECT_TRUE((*it.Value())->NameIs(it.Key()->name));
            order.push_back(std::string(it.Key()->name) + ":" + std::to_string(it.Key()->id));
        }
        return order;
    }
};

TEST_F(ActorRegistryTest, IdsCountOnFromAStoredMinusOneAsFromZero) {
    world.nextActorId = -1;
    EXPECT_EQ(world.TakeActorId(), 0);
    EXPECT_EQ(world.TakeActorId(), 1);
    world.nextActorId = INT32_MAX;
    EXPECT_EQ(world.TakeActorId(), INT32_MAX);
    EXPECT_EQ(world.nextActorId, INT32_MIN);
}

TEST_F(ActorRegistryTest, SpawningNeverOverwritesAndMergingNeverLosesAnActor) {
    EXPECT_FALSE(world.SpawnActor("nobody", nullptr));
    Spawn("a");  // ("a", 0)
    world.nextActorId = 0;
    JournalActor clash("a");
    EXPECT_FALSE(world.SpawnActor("a", &clash)) << "the key is taken: the caller keeps the actor";
    EXPECT_EQ(world.pendingActors.Count(), 1u);
    world.MergePendingActors();

    world.nextActorId = 0;
    Spawn("a");  // ("a", 0) again, while ("a", 0) is live
    world.MergePendingActors();
    EXPECT_EQ(LiveOrder(), (std::vector<std::string>{"a:0", "a:0"})) << "both stay live, none replaced";
    EXPECT_EQ(world.CountActors("a"), 2u);
    EXPECT_EQ(world.CountActors("A"), 0u);
    EXPECT_EQ(world.CountActors(nullptr), 0u);
}

TEST_F(ActorRegistryTest, DepthSortPutsLargerDepthsFirstAndKeepsTiesInOrder) {
    const float depths[] = {1, 3, 2, 3, NAN, 1, 5, -2};
    const char* names[] = {"a", "b", "c", "d", "e", "f", "g", "h"};
    for (int i = 0; i < 8; ++i) SpawnLive(names[i], depths[i]);
    world.SortActorsByDepth();
    const std::vector<std::string> expected = {"g:6", "b:1", "d:3", "c:2", "a:0", "f:5", "h:7", "e:4"};
    EXPECT_EQ(LiveOrder(), expected) << "not-a-number sorts last, so the sort ends";
    world.SortActorsByDepth();
    EXPECT_EQ(LiveOrder(), expected);
}

TEST_F(ActorRegistryTest, CoreClearDestroysLiveActorsAndDeletesPendingOnes) {
    SpawnLive("first");
    SpawnLive("second");
    JournalActor* dying = SpawnLive("dying");
    world.KillActor(dying);
    Spawn("pending");
    AddView("main", true).target = dying;
    core.Clear();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"D:first", "D:second", "D:dying"}));
    EXPECT_EQ(JournalActor::deleted, 4);
    EXPECT_EQ(world.actors.Count() + world.pendingActors.Count(), 0u);
    EXPECT_TRUE(world.deadActors.empty());
    EXPECT_EQ(world.views.Count(), 0u);
    world.FrameStep();  // nothing left to touch
    EXPECT_EQ(JournalActor::deleted, 4);
}

TEST_F(ActorRegistryTest, ReapingAnActorClearsTheViewsThatFollowIt) {
    JournalActor* followed = SpawnLive("followed");
    JournalActor* other = SpawnLive("other");
    OV_VIEW& first = AddView("first", false);
    OV_VIEW& second = AddView("second", false);
    OV_VIEW& third = AddView("third", false);
    first.target = third.target = followed;
    second.target = other;
    world.KillActor(followed);
    world.FrameStep();
    EXPECT_EQ(first.target, nullptr);
    EXPECT_EQ(second.target, other);
    EXPECT_EQ(third.target, nullptr);
}

TEST_F(ActorRegistryTest, NamesAreCutAtTheCopyLimit) {
    OV_ACTOR actor;
    const std::string longName(200, 'n');
    actor.SetName(longName.c_str());
    EXPECT_EQ(std::string(actor.name), longName.substr(0, OV_ACTOR::kNameCopyLimit));
    actor.SetName("Ball");
    EXPECT_TRUE(actor.NameIs("Ball"));
    EXPECT_FALSE(actor.NameIs("ball") || actor.NameIs(nullptr));
    EXPECT_EQ(actor.name[5], '\0') << "nothing of the longer name is left";
}

}  // namespace
