// The world's frame step with 1,000 components updating: characters, plants
// and decorations registered with the world as actors, their Update called
// by the application's update hook as the examples do, each sprite animating
// through four frames. Against it, the same updates over components kept in
// plain arrays without the world, to show what the frame step adds; both
// run in every iteration. Reports ns per component, the ratio, and heap
// allocations per frame (there should be none).
#include "AllocationCounter.h"
#include "TurnClocks.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/world/FrameStep.h"
#include "ovcore/world/com/Character.h"
#include "ovcore/world/com/Plant.h"
#include "ovcore/world/com/Static.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <type_traits>
#include <vector>

namespace {

using namespace OvCore;
using namespace OvCore::Com;

constexpr int kComponents = 1000;
constexpr float kFrameTime = 1.0f / 60.0f;

// Walkers that speed up against friction and fall to their cap, plants
// drifting down, decorations only animating: a third of each.
template <typename Component>
void Prepare(Component& component, int index) {
    component.position = OV_VECTOR(index % 800, index / 800 * 20);
    component.animationSpeed = 8;
    component.sprite.frames.assign(4, OvHandle{1, 0});
    if constexpr (std::is_same_v<Component, C_CHARACTER>) {
        component.acceleration = 40;
        component.friction = 20;
        component.direction = static_cast<float>(index % 360);
        component.gaugeRate = -1;
    } else if constexpr (std::is_same_v<Component, C_PLANT>) {
        component.acceleration = 15;
        component.maxSpeed = 25;
        component.gaugeRate = 0.5f;
    }
}

struct Components {
    std::vector<C_CHARACTER*> characters;
    std::vector<C_PLANT*> plants;
    std::vector<C_STATIC*> decorations;
};

Components registered;

void UpdateRegistered() {
    const float dt = LoopState().delta;
    for (C_CHARACTER* character : registered.characters) character->Update(dt);
    for (C_PLANT* plant : registered.plants) plant->Update(dt);
    for (C_STATIC* decoration : registered.decorations) decoration->Update(dt);
}

template <typename Component>
void Spawn(const char* name, int index, std::vector<Component*>& list) {
    auto* component = new Component;
    Prepare(*component, index);
    World().SpawnActor(name, component);
    list.push_back(component);
}

// The same components kept by value in one array per kind, updated without
// the world.
struct PlainComponents {
    std::vector<C_CHARACTER> characters;
    std::vector<C_PLANT> plants;
    std::vector<C_STATIC> decorations;

    PlainComponents() : characters((kComponents + 2) / 3), plants((kComponents + 1) / 3), decorations(kComponents / 3) {
        for (size_t i = 0; i < characters.size(); ++i) Prepare(characters[i], static_cast<int>(3 * i));
        for (size_t i = 0; i < plants.size(); ++i) Prepare(plants[i], static_cast<int>(3 * i + 1));
        for (size_t i = 0; i < decorations.size(); ++i) Prepare(decorations[i], static_cast<int>(3 * i + 2));
    }
};

// Frames a side runs in one turn, so that reading the clock costs nothing
// beside them.
constexpr int kFramesPerTurn = 20;

// The measured parts, kept out of line so that an instruction profile can
// name them.
[[gnu::noinline]] void WorldFrames(OV_WORLD& world) {
    for (int frame = 0; frame < kFramesPerTurn; ++frame) world.FrameStep();
}

[[gnu::noinline]] void PlainFrames(PlainComponents& plain) {
    for (int frame = 0; frame < kFramesPerTurn; ++frame) {
        for (C_CHARACTER& character : plain.characters) character.Update(kFrameTime);
        for (C_PLANT& plant : plain.plants) plant.Update(kFrameTime);
        for (C_STATIC& decoration : plain.decorations) decoration.Update(kFrameTime);
        benchmark::ClobberMemory();
    }
}

template <typename Frames>
void Measure(TurnClocks& total, long long& allocations, Frames frames) {
    const long long before = AllocationCounter::Count();
    const TurnClocks start = TurnClocks::Now();
    frames();
    total.AddSince(start);
    allocations += AllocationCounter::Count() - before;
}

// Each iteration runs kFramesPerTurn frames of each side, taking turns at
// going first, so that load on the machine weighs on both alike. Reported:
// each side's ns per component (thread CPU and wall time), the ratios
// plain / world (1.0 = the world's frame step costs nothing beside the
// updates), and heap allocations per frame (there should be none).
void BM_Components(benchmark::State& state) {
    OV_WORLD& world = World();
    LoopState().delta = kFrameTime;
    for (int i = 0; i < kComponents; ++i) {
        if (i % 3 == 0) Spawn("CHARACTER", i, registered.characters);
        if (i % 3 == 1) Spawn("PLANT", i, registered.plants);
        if (i % 3 == 2) Spawn("STATIC", i, registered.decorations);
    }
    world.MergePendingActors();
    world.updateHook = UpdateRegistered;
    PlainComponents plain;
    TurnClocks worldTotal, plainTotal;
    long long worldAllocations = 0, plainAllocations = 0, turns = 0;
    for (auto _ : state) {
        const bool worldFirst = turns++ % 2 == 0;
        for (int side = 0; side < 2; ++side) {
            if ((side == 0) == worldFirst)
                Measure(worldTotal, worldAllocations, [&] { WorldFrames(world); });
            else
                Measure(plainTotal, plainAllocations, [&] { PlainFrames(plain); });
        }
    }
    world.updateHook = nullptr;
    world.ClearActors(world.views);
    registered = Components{};
    const double frames = static_cast<double>(turns) * kFramesPerTurn;
    const double perComponent = 1e9 / (frames * kComponents);
    state.counters["world_cpu_ns"] = worldTotal.cpu * perComponent;
    state.counters["plain_cpu_ns"] = plainTotal.cpu * perComponent;
    state.counters["world_wall_ns"] = worldTotal.wall * perComponent;
    state.counters["plain_wall_ns"] = plainTotal.wall * perComponent;
    state.counters["cpu_ratio"] = plainTotal.cpu / worldTotal.cpu;
    state.counters["wall_ratio"] = plainTotal.wall / worldTotal.wall;
    state.counters["world_allocations_per_frame"] = static_cast<double>(worldAllocations) / frames;
    state.counters["plain_allocations_per_frame"] = static_cast<double>(plainAllocations) / frames;
    std::printf(
        "ratio components frame step (%d components): world %.1f ns, plain arrays %.1f ns per component "
        "(CPU); plain / world = %.3f CPU, %.3f wall\n",
        kComponents, worldTotal.cpu * perComponent, plainTotal.cpu * perComponent, plainTotal.cpu / worldTotal.cpu,
        plainTotal.wall / worldTotal.wall);
}
BENCHMARK(BM_Components)->Unit(benchmark::kMicrosecond)->Iterations(300);

}  // namespace

BENCHMARK_MAIN();
