// The world's frame step with 1,000 components updating: characters, plants
// and decorations registered with the world as actors, their Update called
// by the application's update hook as the examples do, each sprite animating
// through four frames. Against it, the same updates over components kept in
// plain arrays without the world, to show what the frame step adds. Reports
// ns per component and heap allocations per frame (there should be none).
#include "AllocationCounter.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/world/FrameStep.h"
#include "ovcore/world/com/Character.h"
#include "ovcore/world/com/Plant.h"
#include "ovcore/world/com/Static.h"

#include <benchmark/benchmark.h>

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

void Finish(benchmark::State& state, long long allocationsBefore) {
    state.counters["allocationsPerFrame"] =
        static_cast<double>(AllocationCounter::Count() - allocationsBefore) / static_cast<double>(state.iterations());
    state.counters["ns_per_component"] = benchmark::Counter(
        kComponents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ComponentFrameStep(benchmark::State& state) {
    OV_WORLD& world = World();
    LoopState().delta = kFrameTime;
    for (int i = 0; i < kComponents; ++i) {
        if (i % 3 == 0) Spawn("CHARACTER", i, registered.characters);
        if (i % 3 == 1) Spawn("PLANT", i, registered.plants);
        if (i % 3 == 2) Spawn("STATIC", i, registered.decorations);
    }
    world.MergePendingActors();
    world.updateHook = UpdateRegistered;
    const long long allocationsBefore = AllocationCounter::Count();
    for (auto _ : state) world.FrameStep();
    Finish(state, allocationsBefore);
    world.updateHook = nullptr;
    world.ClearActors(world.views);
    registered = Components{};
}
BENCHMARK(BM_ComponentFrameStep)->Unit(benchmark::kMicrosecond);

void BM_ComponentArrays(benchmark::State& state) {
    std::vector<C_CHARACTER> characters((kComponents + 2) / 3);
    std::vector<C_PLANT> plants((kComponents + 1) / 3);
    std::vector<C_STATIC> decorations(kComponents / 3);
    for (size_t i = 0; i < characters.size(); ++i) Prepare(characters[i], static_cast<int>(3 * i));
    for (size_t i = 0; i < plants.size(); ++i) Prepare(plants[i], static_cast<int>(3 * i + 1));
    for (size_t i = 0; i < decorations.size(); ++i) Prepare(decorations[i], static_cast<int>(3 * i + 2));
    const long long allocationsBefore = AllocationCounter::Count();
    for (auto _ : state) {
        for (C_CHARACTER& character : characters) character.Update(kFrameTime);
        for (C_PLANT& plant : plants) plant.Update(kFrameTime);
        for (C_STATIC& decoration : decorations) decoration.Update(kFrameTime);
        benchmark::ClobberMemory();
    }
    Finish(state, allocationsBefore);
}
BENCHMARK(BM_ComponentArrays)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
