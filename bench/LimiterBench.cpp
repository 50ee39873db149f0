// The frame limiter on an idle loop at 16 ms a frame (about 60 frames a
// second): the share of one core the loop's thread uses (getrusage) and the
// spread of its frame times, for the busy wait and the sleeping limiter.
// Each of the ten repetitions runs a second of each in turn, so that load
// from other programs weighs on both alike; the counters are over all of them:
//   busy_cpu_share, sleep_cpu_share   processor time / wall time (1 = one core)
//   busy_spread_ms, sleep_spread_ms   standard deviation of the frame times
//   busy_late_ms, sleep_late_ms       the longest frame past its threshold
//   busy_frame_ms, sleep_frame_ms     the mean frame time
//   sleep_margin_ms                   the sleeping limiter's margin at the end
// Run: tools/with-display.sh build/bench_LimiterBench
#include "BenchWindow.h"

#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/foundation/Timer.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace OvCore;

namespace {

constexpr int kFrameMs = 16;
constexpr int kFramesPerSecond = 60;

double ThreadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Tally {
    double cpu = 0.0, wall = 0.0, late = 0.0;
    std::vector<double> frames;

    double Mean() const {
        double sum = 0.0;
        for (double f : frames) sum += f;
        return frames.empty() ? 0.0 : sum / static_cast<double>(frames.size());
    }
    double Spread() const {
        const double mean = Mean();
        double squares = 0.0;
        for (double f : frames) squares += (f - mean) * (f - mean);
        return frames.empty() ? 0.0 : std::sqrt(squares / static_cast<double>(frames.size()));
    }
};

struct Run {
    int frames = 0;
    int limit = 0;
    double previous = 0.0;
    Tally* tally = nullptr;
};

// Ends the loop after its frames; records each frame's length and how far
// it ran past its threshold (the first frame's delta is 0 and is skipped).
void IdleFrame(HWND, void* data) {
    auto* run = static_cast<Run*>(data);
    const double now = TimerSecondsPrecise();
    if (run->frames > 0) {
        const double ms = (now - run->previous) * 1000.0;
        const OV_LOOP_STATE& loop = LoopState();
        const double threshold = run->frames % 2 == 1 ? loop.waitLong : loop.waitShort;
        run->tally->frames.push_back(ms);
        run->tally->late = std::max(run->tally->late, ms - threshold);
    }
    run->previous = now;
    if (++run->frames > run->limit) LoopState().running = false;
}

void RunSeconds(OV_FRAME_LIMITER limiter, int seconds, Tally& tally) {
    LoopState().frameMs = kFrameMs;
    LoopState().limiter = limiter;
    Run run;
    run.limit = seconds * kFramesPerSecond;
    run.tally = &tally;
    const double cpu = ThreadCpuSeconds();
    const double wall = TimerSecondsPrecise();
    RunMessageLoop(IdleFrame, &run);
    tally.cpu += ThreadCpuSeconds() - cpu;
    tally.wall += TimerSecondsPrecise() - wall;
}

void BM_IdleLoopAt60(benchmark::State& state) {
    BenchWindow window("limiter-bench", 64, 64);
    const int seconds = static_cast<int>(state.range(0));
    Tally busy, sleeping;
    for (auto _ : state) {
        RunSeconds(OV_FRAME_LIMITER::BUSY_WAIT, seconds, busy);
        RunSeconds(OV_FRAME_LIMITER::SLEEP, seconds, sleeping);
    }
    state.counters["busy_cpu_share"] = busy.cpu / busy.wall;
    state.counters["sleep_cpu_share"] = sleeping.cpu / sleeping.wall;
    state.counters["busy_spread_ms"] = busy.Spread();
    state.counters["sleep_spread_ms"] = sleeping.Spread();
    state.counters["busy_late_ms"] = busy.late;
    state.counters["sleep_late_ms"] = sleeping.late;
    state.counters["busy_frame_ms"] = busy.Mean();
    state.counters["sleep_margin_ms"] = LoopState().sleepMargin;
    state.counters["sleep_frame_ms"] = sleeping.Mean();
}

}  // namespace

BENCHMARK(BM_IdleLoopAt60)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
