// The engine's handle table: Find over 1,024 live objects visited in a
// scattered order, Find alternating between two objects (the pattern of
// sprites drawn in turns from two textures), Find of retired handles, and an
// Add followed by a Destroy. Every run does a fixed number of iterations,
// so instruction counts under callgrind divide exactly:
//   valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*LookUp*' build/bench_HandleTableBench
// gives the instructions of kIterations * kObjects lookups.
#include "ovcore/engine/core/HandleTable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kObjects = 1024;
constexpr int kIterations = 20000;

struct Item {
    int value = 0;
};

struct Filled {
    ov::HandleTable<Item> table{"item"};
    std::vector<OvHandle> handles;

    Filled() {
        for (int i = 0; i < kObjects; ++i) handles.push_back(table.Add(std::make_unique<Item>(Item{i})));
    }
};

// One pass of lookups; kept out of line so that callgrind can count it alone.
[[gnu::noinline]] int LookUp(const ov::HandleTable<Item>& table, const std::vector<OvHandle>& handles) {
    int sum = 0;
    for (OvHandle handle : handles) {
        const Item* item = table.Find(handle);
        sum += item ? item->value : -1;
    }
    return sum;
}

void BM_FindScattered(benchmark::State& state) {
    Filled filled;
    std::shuffle(filled.handles.begin(), filled.handles.end(), std::mt19937(7));
    for (auto _ : state) benchmark::DoNotOptimize(LookUp(filled.table, filled.handles));
    state.SetItemsProcessed(state.iterations() * kObjects);
}

void BM_FindAlternating(benchmark::State& state) {
    Filled filled;
    std::vector<OvHandle> turns(kObjects);
    for (int i = 0; i < kObjects; ++i) turns[i] = filled.handles[(i & 1) ? 100 : 900];
    for (auto _ : state) benchmark::DoNotOptimize(LookUp(filled.table, turns));
    state.SetItemsProcessed(state.iterations() * kObjects);
}

// Every handle names an object destroyed since; half of the slots hold new objects.
void BM_FindRetired(benchmark::State& state) {
    Filled filled;
    std::vector<OvHandle> retired = filled.handles;
    for (OvHandle handle : retired) filled.table.Destroy(handle);
    for (int i = 0; i < kObjects / 2; ++i) filled.table.Add(std::make_unique<Item>());
    for (auto _ : state) benchmark::DoNotOptimize(LookUp(filled.table, retired));
    state.SetItemsProcessed(state.iterations() * kObjects);
}

void BM_AddDestroy(benchmark::State& state) {
    Filled filled;
    for (auto _ : state) {
        const OvHandle handle = filled.table.Add(std::make_unique<Item>());
        benchmark::DoNotOptimize(filled.table.Destroy(handle));
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_FindScattered)->Iterations(kIterations);
BENCHMARK(BM_FindAlternating)->Iterations(kIterations);
BENCHMARK(BM_FindRetired)->Iterations(kIterations);
BENCHMARK(BM_AddDestroy)->Iterations(kIterations * 50);

BENCHMARK_MAIN();
