#pragma once

#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "game/GameSounds.h"
#include "game/TileMap.h"
#include "ovcore/world/FrameStep.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace OvTest {

// The names of the sounds the game asked for, in order.
inline std::vector<std::string>& PlayedSounds() {
    static std::vector<std::string> played;
    return played;
}

inline void RecordSound(const char* name) { PlayedSounds().emplace_back(name); }

// Every test starts with an empty map and world, no keys, no sounds heard,
// and a frame time of 1/60 s.
class GameWorldTest : public ::testing::Test {
protected:
    static constexpr float kFrame = 1.0f / 60.0f;

    OvCore::OV_WORLD& world = OvCore::World();

    void SetUp() override {
        Reset();
        OvCore::Sounds().SetObserver(RecordSound);
    }
    void TearDown() override {
        OvCore::Sounds().SetObserver(nullptr);
        Reset();
    }

    void Reset() {
        world.ClearActors(world.views);
        world.views.Clear();
        world.currentView = world.views.End();
        world.nextActorId = 0;
        OvCore::GameMap().Clear();
        OvCore::ResetInput(true);
        OvCore::LoopState() = OvCore::OV_LOOP_STATE{};
        OvCore::LoopState().delta = kFrame;
        PlayedSounds().clear();
    }

    // Solid cells over the pixel rectangle [x1, x2) x [y1, y2).
    static void Fill(int x1, int y1, int x2, int y2) {
        for (int x = x1; x < x2; x += OvCore::TileMap::kCellSize)
            for (int y = y1; y < y2; y += OvCore::TileMap::kCellSize) OvCore::SetSolid(x, y);
    }

    // An actor of the world from the next frame step on.
    template <class T>
    T* AddLive(const char* className, T* actor) {
        EXPECT_TRUE(world.SpawnActor(className, actor));
        world.MergePendingActors();
        return actor;
    }

    bool IsLive(const OvCore::OV_ACTOR* actor) {
        for (auto it = world.actors.Begin(); !it.IsEnd(); it.Next())
            if (*it.Value() == actor) return true;
        return false;
    }
};

}  // namespace OvTest
