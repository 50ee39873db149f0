// The whole game frame as the game scene runs it: the tile map with 2,000
// walls in its drawn corner, N spike balls in flight with their trails, the
// status text, and the present. Reports frames per second. Run it under a
// display (tools/with-display.sh); the balls are thrown again every second of
// frame time so that they stay in the air.
#include "AllocationCounter.h"
#include "ovcore/app/Core.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/MathHelpers.h"
#include "game/Ball.h"
#include "game/GameScene.h"
#include "game/TileMap.h"
#include "ovcore/world/FrameStep.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace {

using namespace OvCore;

constexpr float kFrameTime = 1.0f / 60.0f;
constexpr int kFramesPerThrow = 60;
constexpr int kDrawnCells = 100;

// Exactly 20 cells of every column of the drawn corner: 2,000 walls spread
// over it, so balls bounce all over the screen.
void BuildWalls() {
    GameMap().Clear();
    for (int column = 0; column < kDrawnCells; ++column)
        for (int row = 0; row < kDrawnCells; ++row)
            if ((column * 7 + row * 13) % 5 == 0)
                SetSolid(column * TileMap::kCellSize + 1.0, row * TileMap::kCellSize + 1.0);
}

void Throw(Ball& ball) {
    ball.position = OV_VECTOR(Random(800.0), Random(600.0));
    ball.previousPosition = ball.position;
    ball.velocity = OV_VECTOR(Random(600.0) - 300.0, -Random(400.0));
    ball.restTimer = -100.0f;
}

std::vector<Ball*> SpawnBalls(int count) {
    std::vector<Ball*> balls;
    balls.reserve(count);
    for (int i = 0; i < count; ++i) {
        auto* ball = new Ball(OV_VECTOR(), OV_VECTOR());
        Throw(*ball);
        if (!World().SpawnActor("Ball", ball)) {
            delete ball;
            continue;
        }
        balls.push_back(ball);
    }
    World().MergePendingActors();
    return balls;
}

void BM_GameFrame(benchmark::State& state) {
    LoopState().delta = kFrameTime;
    BuildWalls();
    std::vector<Ball*> balls = SpawnBalls(static_cast<int>(state.range(0)));
    int frame = 0;
    const long long allocationsBefore = AllocationCounter::Count();
    for (auto _ : state) {
        if (++frame % kFramesPerThrow == 0)
            for (Ball* ball : balls) Throw(*ball);
        GameFrame(nullptr, nullptr);
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["allocationsPerFrame"] =
        static_cast<double>(AllocationCounter::Count() - allocationsBefore) / static_cast<double>(state.iterations());
    state.counters["balls"] = static_cast<double>(World().CountActors("Ball"));
    World().ClearActors(World().views);
}
BENCHMARK(BM_GameFrame)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    OvInitiation();
    OV_WINDOW* window = core.windows.Get("main", 0);
    window->title = "Gorvane";
    window->bitsPerPixel = 32;
    if (!window->Create(EmptyHandle())) {
        std::fprintf(stderr, "no window: run under a display\n");
        return 1;
    }
    PrepareGameWindow();
    SetUpScreenView();
    LoadGameResources();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    core.Clear();
    window->Destroy();
    OvClosure();
    return 0;
}
