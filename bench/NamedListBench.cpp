// Named-list lookup and creation costs at the sizes the core's collections
// reach: a handful of windows and scenes (8), textures and fonts (64), a
// crowded actor list (512). Names are "entry<i>" with id 0.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ovcore/foundation/NamedList.h"

using OvCore::OV_NAMED_LIST;

namespace {

std::vector<std::string> MakeNames(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("entry" + std::to_string(i));
    return names;
}

void Fill(OV_NAMED_LIST<int>& list, const std::vector<std::string>& names) {
    for (const std::string& name : names) list.Get(name.c_str(), 0);
}

// Get of an existing name: the first entry, found at once.
void BM_GetFirst(benchmark::State& state) {
    const auto names = MakeNames(int(state.range(0)));
    OV_NAMED_LIST<int> list;
    Fill(list, names);
    const char* name = names.front().c_str();
    for (auto _ : state) benchmark::DoNotOptimize(list.Get(name, 0));
}

// Get of an existing name halfway down the list.
void BM_GetMiddle(benchmark::State& state) {
    const auto names = MakeNames(int(state.range(0)));
    OV_NAMED_LIST<int> list;
    Fill(list, names);
    const char* name = names[names.size() / 2].c_str();
    for (auto _ : state) benchmark::DoNotOptimize(list.Get(name, 0));
}

// Get of the last name: the whole list is walked.
void BM_GetLast(benchmark::State& state) {
    const auto names = MakeNames(int(state.range(0)));
    OV_NAMED_LIST<int> list;
    Fill(list, names);
    const char* name = names.back().c_str();
    for (auto _ : state) benchmark::DoNotOptimize(list.Get(name, 0));
}

// Building a list of N entries from empty with Get, then clearing it; the
// per-entry time includes the walk that find-or-create makes before appending.
void BM_CreatePerEntry(benchmark::State& state) {
    const auto names = MakeNames(int(state.range(0)));
    OV_NAMED_LIST<int> list;
    for (auto _ : state) {
        Fill(list, names);
        list.Clear();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_GetFirst)->Arg(8)->Arg(64)->Arg(512);
BENCHMARK(BM_GetMiddle)->Arg(8)->Arg(64)->Arg(512);
BENCHMARK(BM_GetLast)->Arg(8)->Arg(64)->Arg(512);
BENCHMARK(BM_CreatePerEntry)->Arg(8)->Arg(64)->Arg(512);

BENCHMARK_MAIN();
