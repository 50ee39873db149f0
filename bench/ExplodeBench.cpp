#include "ovcore/foundation/String.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>

using OvCore::OV_STRING;

namespace {

// Words and commas, with a quoted group holding commas every few words and
// the occasional run of empty pieces, exactly `size` bytes long.
const OV_STRING& SampleText(size_t size) {
    static std::map<size_t, OV_STRING> cache;
    auto found = cache.find(size);
    if (found != cache.end()) return found->second;

    std::string text;
    text.reserve(size);
    uint32_t state = 12345;
    for (;;) {
        state = state * 1664525u + 1013904223u;
        const unsigned kind = (state >> 24) % 16;
        const std::string item = kind == 0   ? std::string("\"quoted, with, commas\",")
                                 : kind == 1 ? std::string(",,")
                                             : "word" + std::to_string(state % 1000) + ",";
        if (text.size() + item.size() > size) break;
        text += item;
    }
    text.append(size - text.size(), ',');
    return cache.emplace(size, OV_STRING(text.c_str())).first->second;
}

void BM_Explode(benchmark::State& state) {
    const OV_STRING& text = SampleText(static_cast<size_t>(state.range(0)));
    unsigned count = 0;
    for (auto _ : state) {
        OV_STRING* pieces = text.Explode(",", &count, "\"");
        benchmark::DoNotOptimize(pieces);
        delete[] pieces;
    }
    state.counters["pieces"] = count;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BM_ReplaceAll(benchmark::State& state) {
    const OV_STRING& text = SampleText(static_cast<size_t>(state.range(0)));
    OV_STRING out;
    unsigned count = 0;
    for (auto _ : state) {
        count = text.ReplaceAll(out, ",", ", ");
        benchmark::DoNotOptimize(out.Get());
    }
    state.counters["replaced"] = count;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

}  // namespace

BENCHMARK(BM_Explode)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
