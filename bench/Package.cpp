// Writing packages and loading all their entries, by entry count.
#include "ovcore/data/Package.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::vector<OvCore::OV_PACKAGE_FILE> MakeFiles(int count, uint32_t bytes) {
    std::vector<OvCore::OV_PACKAGE_FILE> files(count);
    std::vector<uint8_t> data(bytes);
    for (int i = 0; i < count; ++i) {
        for (uint32_t b = 0; b < bytes; ++b) data[b] = static_cast<uint8_t>((b * 7 + i) ^ (b >> 5));
        files[i].name.Format("%d", i);
        files[i].file.Write(data.data(), bytes);
    }
    return files;
}

std::string ScratchPath() { return "/tmp/ov_bench_package_" + std::to_string(getpid()) + ".pak"; }

void SavePackage(benchmark::State& state) {
    const auto files = MakeFiles(static_cast<int>(state.range(0)), 16 * 1024);
    const std::string path = ScratchPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(OvCore::OV_PACKAGE::SavePackage(path.c_str(), files.data(), files.size()));
    state.SetBytesProcessed(state.iterations() * state.range(0) * 16 * 1024);
    unlink(path.c_str());
}

void LoadEveryEntry(benchmark::State& state) {
    const auto files = MakeFiles(static_cast<int>(state.range(0)), 16 * 1024);
    const std::string path = ScratchPath();
    OvCore::OV_PACKAGE::SavePackage(path.c_str(), files.data(), files.size());
    OvCore::OV_PACKAGE package;
    package.Open(path.c_str());
    OvCore::OV_MEMORY_FILE entry;
    for (auto _ : state)
        for (uint32_t i = 0; i < package.Count(); ++i) benchmark::DoNotOptimize(package.LoadEntry(entry, i));
    state.SetItemsProcessed(state.iterations() * package.Count());
    unlink(path.c_str());
}

void AppendWrites(benchmark::State& state) {
    const uint8_t chunk[64] = {};
    for (auto _ : state) {
        OvCore::OV_MEMORY_FILE file;
        file.growStep = static_cast<uint32_t>(state.range(0));
        for (int i = 0; i < 4096; ++i) file.Write(chunk, sizeof chunk);
        benchmark::DoNotOptimize(file.Data());
    }
    state.SetBytesProcessed(state.iterations() * 4096 * 64);
}

}  // namespace

BENCHMARK(SavePackage)->Arg(16)->Arg(256);
BENCHMARK(LoadEveryEntry)->Arg(16)->Arg(256)->Arg(2048);
BENCHMARK(AppendWrites)->Arg(0)->Arg(4096)->Arg(65536);
BENCHMARK_MAIN();
