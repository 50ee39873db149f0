// The world's frame step over many actors that move themselves: the cost per
// frame should grow linearly with the number of actors.
#include "AllocationCounter.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/world/Actor.h"
#include "ovcore/world/FrameStep.h"

#include <benchmark/benchmark.h>

namespace {

class Drifter : public OvCore::OV_ACTOR {
public:
    void OnUpdate(int32_t) override { position.x += 60.0 * OvCore::LoopState().delta; }
};

void BM_FrameStep(benchmark::State& state) {
    OvCore::OV_WORLD& world = OvCore::World();
    OvCore::LoopState().delta = 1.0f / 60.0f;
    const int count = static_cast<int>(state.range(0));
    for (int i = 0; i < count; ++i) world.SpawnActor("Drifter", new Drifter);
    world.MergePendingActors();
    const long long allocationsBefore = AllocationCounter::Count();
    for (auto _ : state) world.FrameStep();
    state.counters["allocationsPerFrame"] =
        static_cast<double>(AllocationCounter::Count() - allocationsBefore) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["ns_per_actor"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    world.ClearActors(world.views);
}
BENCHMARK(BM_FrameStep)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
