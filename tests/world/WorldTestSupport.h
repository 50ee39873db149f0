#pragma once

#include "tests/support/GlWindow.h"
#include "ovcore/app/Core.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/world/Actor.h"
#include "ovcore/world/FrameStep.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"

#include <memory>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace OvTest {

// What the test actors and hooks did, in order: "U:a" update of a, "R:a"
// render of a, "D:a" destroy of a, "hook", "after", "gui", ...
inline std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

inline int CountOf(const std::string& entry) {
    int count = 0;
    for (const std::string& e : Journal()) count += e == entry;
    return count;
}

// An actor that journals its operations and counts its deletions.
class JournalActor : public OvCore::OV_ACTOR {
public:
    static inline int deleted = 0;

    explicit JournalActor(const char* actorName, float actorDepth = 0.0f) {
        SetName(actorName);
        depth = actorDepth;
    }
    ~JournalActor() override { ++deleted; }
    void OnUpdate(int32_t) override { Journal().push_back(std::string("U:") + name); }
    void OnRender(int32_t) override { Journal().push_back(std::string("R:") + name); }
    void OnDestroy(int32_t) override { Journal().push_back(std::string("D:") + name); }
};

// Every test starts with an empty world and journal.
class WorldTest : public ::testing::Test {
protected:
    OvCore::OV_WORLD& world = OvCore::World();

    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    void Reset() {
        world.ClearActors(world.views);
        world.views.Clear();
        world.currentView = world.views.End();
        world.updateHook = world.renderHook = world.renderAfterHook = nullptr;
        world.timers.clear();
        world.nextActorId = 0;
        // Only the world's own steps run: the places of the sockets, render
        // entries, models and the GUI are emptied.
        for (const int place : {10, 30, 40}) {
            OvCore::core.SetFrameStep(OvCore::OV_FRAME_PHASE::UPDATE, place, nullptr);
            OvCore::core.SetFrameStep(OvCore::OV_FRAME_PHASE::DRAW, place, nullptr);
        }
        OvCore::core.SetFrameStep(OvCore::OV_FRAME_PHASE::OVERLAY, 10, nullptr);
        OvCore::LoopState() = OvCore::OV_LOOP_STATE{};
        Journal().clear();
        JournalActor::deleted = 0;
    }

    JournalActor* Spawn(const char* name, float depth = 0.0f) {
        auto* actor = new JournalActor(name, depth);
        EXPECT_TRUE(world.SpawnActor(name, actor));
        return actor;
    }

    // Spawned and merged, so live from the next frame step on.
    JournalActor* SpawnLive(const char* name, float depth = 0.0f) {
        JournalActor* actor = Spawn(name, depth);
        world.MergePendingActors();
        return actor;
    }

    OvCore::OV_VIEW& AddView(const char* name, bool active) {
        OvCore::OV_VIEW& view = *world.views.Get(name, 0);
        view.active = active;
        view.clear = false;
        return view;
    }
};

// A world test with a 64 x 48 GL window, current, cleared black, under a
// pixel camera; blending off, texturing on, white drawing colour.
class GlWorldTest : public WorldTest {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;
    static constexpr const char* kClassName = "OvWorldGlTest";
    std::unique_ptr<OvTest::GlWindow> window;

    void SetUp() override {
        WorldTest::SetUp();
        window = std::make_unique<OvTest::GlWindow>(kClassName, kWidth, kHeight, 1.0, 100.0);
        ASSERT_TRUE(window->Created());
        ASSERT_TRUE(window->DrawInPixels(false));
    }

    void TearDown() override {
        WorldTest::TearDown();
        window.reset();
    }

    // 0xRRGGBB of a pixel, counted from the window's top-left.
    static unsigned Pixel(int x, int y) {
        OvRenderScene(OV_SCENE_FLUSH);
        unsigned char rgba[4] = {};
        EXPECT_EQ(OvRenderTargetReadPixels(x, y, 1, 1, rgba), 1);
        return rgba[0] << 16 | rgba[1] << 8 | rgba[2];
    }
};

}  // namespace OvTest
