// The game world with N spike balls and gibs bouncing in a walled room of
// 1600 x 1600 pixels: one frame step at 60 Hz, without drawing (no textures
// are loaded, so every draw finds nothing), and with drawing into a window
// of the display with the game's textures, presenting each frame. Every 120
// frames the objects are thrown again (outside the timing) so that they keep
// bouncing; they never rest long enough to be removed.
#include "ovcore/app/LoopState.h"
#include "ovcore/engine/OrvoCore.h"
#include "game/Ball.h"
#include "game/Gib.h"
#include "game/TileMap.h"
#include "ovcore/platform/Windows.h"
#include "ovcore/render/TextureCollection.h"
#include "ovcore/world/FrameStep.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace OvCore;

constexpr int kRoom = 1600;
constexpr int kCell = TileMap::kCellSize;
constexpr int kRethrowFrames = 120;
constexpr const char* kClassName = "game-world-bench";

double Between(double low, double high) { return low + (high - low) * (std::rand() % 10000) / 10000.0; }

void BuildRoom() {
    GameMap().Clear();
    for (int v = 0; v < kRoom; v += kCell) {
        SetSolid(v, 0);
        SetSolid(v, kRoom - kCell);
        SetSolid(0, v);
        SetSolid(kRoom - kCell, v);
    }
}

void Throw(BouncingActor& object) {
    object.velocity = OV_VECTOR(Between(-300, 300), Between(-400, 100));
    object.restTimer = -1e9f;
}

void ThrowAll() {
    for (auto it = World().actors.Begin(); !it.IsEnd(); it.Next()) Throw(*static_cast<BouncingActor*>(*it.Value()));
}

void Populate(int count) {
    std::srand(42);
    World().ClearActors(World().views);
    BuildRoom();
    for (int i = 0; i < count; ++i) {
        const OV_VECTOR at(Between(2 * kCell, kRoom - 2 * kCell), Between(2 * kCell, kRoom - 2 * kCell));
        if (i % 2 == 0)
            World().SpawnActor("Ball", new Ball(at, OV_VECTOR()));
        else
            World().SpawnActor("Gib", new Gib(at, OV_VECTOR()));
    }
    World().MergePendingActors();
    ThrowAll();
    LoopState().delta = 1.0f / 60.0f;
}

template <class Frame>
void RunFrames(benchmark::State& state, Frame frame) {
    int frames = 0;
    for (auto _ : state) {
        frame();
        if (++frames % kRethrowFrames == 0) {
            state.PauseTiming();
            ThrowAll();
            state.ResumeTiming();
        }
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    World().ClearActors(World().views);
}

void BM_GameWorldUpdate(benchmark::State& state) {
    ReleaseTextures();
    Populate(static_cast<int>(state.range(0)));
    RunFrames(state, [] { World().FrameStep(); });
}

LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A window showing the whole room, with the game's ball and gib textures.
struct DrawingWindow {
    HWND hwnd = nullptr;
    OvHandle target{1, 0};
    bool ready = false;

    DrawingWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(WS_EX_APPWINDOW, kClassName, kClassName, WS_POPUP, 0, 0, 800, 800, nullptr, nullptr,
                               nullptr, nullptr);
        if (!hwnd || OvRenderTargetCreate(&target, hwnd, 80, 32) != 1) return;
        OvRenderTargetArea(target, 0, 0, 800, 800, 45.0, 1.0, 100.0, 1.0);
        OvRenderTargetActivate(target);
        OvSetState(OV_STATE_TEXTURING, 1);
        OvSetState(OV_STATE_BLENDING, 1);
        OvCameraOrtho(0, 0, kRoom, kRoom, 0);
        ready = Load("spikeball", "Data/Textures/spikeball.ovt") && Load("gib", "Data/Textures/gib.ovt");
    }
    ~DrawingWindow() {
        ReleaseTextures();
        if (hwnd) {
            OvRenderTargetDestroy(target);
            DestroyWindow(hwnd);
        }
        UnregisterClassA(kClassName, nullptr);
    }

    static bool Load(const char* name, const char* path) {
        OV_TEXTURE& texture = *Textures().Get(name, 0);
        if (!texture.Load(path, 1, TEXTURE_LINEAR, TEXTURE_LINEAR, 0, 0, -1, -1, 0, 0)) return false;
        texture.CenterOrigin();
        return true;
    }
};

void BM_GameWorldUpdateAndDraw(benchmark::State& state) {
    DrawingWindow window;
    if (!window.ready) {
        state.SkipWithError("no window or no game textures (run under a display, from the build folder)");
        return;
    }
    Populate(static_cast<int>(state.range(0)));
    RunFrames(state, [] {
        World().FrameStep();
        OvRenderScene(OV_SCENE_END_FRAME);
    });
}

struct Engine {
    Engine() { OvInitiation(); }
    ~Engine() { OvClosure(); }
};

}  // namespace

BENCHMARK(BM_GameWorldUpdate)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_GameWorldUpdateAndDraw)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

int main(int argc, char** argv) {
    const Engine engine;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
