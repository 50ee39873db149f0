// The GUI's work per frame over a tree of depth 5 (one top control, then
// levels of equal fan-out): placement, the input step with delivery, and
// drawing (batch building and its flush), for 100 to 10,000 controls. Each
// should grow linearly. BM_GuiAgainstQuads puts the GUI's whole frame for
// 1,000 visible controls beside 1,000 quads of the same texture drawn by
// the engine directly, taking turns, and prints the ratio. Runs under a
// display (tools/with-display.sh).
#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/gui/Gui.h"

#include "TurnClocks.h"

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <cstdio>
#include <vector>

using namespace OvCore;

namespace {

constexpr int kLevels = 5;

// The smallest fan-out whose five levels hold count controls.
int FanOut(int count) {
    for (int fan = 1;; ++fan) {
        int total = 0, level = 1;
        for (int i = 0; i < kLevels; ++i, level *= fan) total += level;
        if (total >= count) return fan;
    }
}

// count controls, breadth first: each level's controls in rows inside their parent.
void BuildTree(OV_GUI& gui, int count, bool clipping) {
    gui.ClearGui();
    // The example's theme: a gradient quad with text in the game's font.
    gui.LoadTheme("Data/ExampleGui/theme.xml", "Slate");
    OV_STYLE** bar = gui.styles.Access(FIND, "Bar", 0).Value();
    OV_STYLE* plain = bar ? *bar : nullptr;
    const int fan = FanOut(count);
    std::vector<OV_CONTROL*> made;
    made.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        OV_CONTROL* parent = i == 0 ? nullptr : made[static_cast<size_t>((i - 1) / fan)];
        OV_CONTROL* control = gui.CreateControl(parent);
        const int slot = (i - 1) % fan;
        control->position = i == 0 ? OV_VECTOR(0, 0) : OV_VECTOR(2 + slot * 3, 4);
        control->size = i == 0 ? OV_VECTOR(640, 480) : OV_VECTOR(100, 24);
        control->style = plain;
        control->cutArea = clipping;
        if (i % 2) control->SetData("Label", 5);
        made.push_back(control);
    }
    gui.Deliver();
}

void BM_GuiPlace(benchmark::State& state) {
    OV_GUI& gui = Gui();
    BuildTree(gui, static_cast<int>(state.range(0)), true);
    for (auto _ : state) gui.Place();
    state.SetComplexityN(state.range(0));
    gui.ClearGui();
}
BENCHMARK(BM_GuiPlace)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

// The input step and the delivery of what it posted: the pointer rests on
// the controls, one key is held.
void BM_GuiInputAndDelivery(benchmark::State& state) {
    OV_GUI& gui = Gui();
    BuildTree(gui, static_cast<int>(state.range(0)), true);
    gui.Place();
    InputStore().cursor = POINT{20, 20};
    SetKeyHeld(65, 1);
    for (auto _ : state) {
        gui.InputStep();
        gui.Deliver();
    }
    SetKeyHeld(65, 0);
    state.SetComplexityN(state.range(0));
    gui.ClearGui();
}
BENCHMARK(BM_GuiInputAndDelivery)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

// Drawing with every control clipping (range 1 = 1) or none (0): building
// the batch, the draw calls that clip changes force and the flush at the end
// of the frame. The GL driver may rasterise on threads of its own: read the
// CPU time, which is this thread's.
void BM_GuiDraw(benchmark::State& state) {
    OV_GUI& gui = Gui();
    BuildTree(gui, static_cast<int>(state.range(0)), state.range(1) != 0);
    gui.Place();
    gui.Draw();  // the first frame builds the programs
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
    for (auto _ : state) {
        gui.Draw();
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
    }
    state.SetComplexityN(state.range(0));
    gui.ClearGui();
}
BENCHMARK(BM_GuiDraw)->ArgsProduct({{100, 1000, 10000}, {0, 1}})->Unit(benchmark::kMicrosecond);

constexpr int kVisible = 1000, kColumns = 40;

// One frame of the GUI: placement, input step, delivery, drawing, flush.
// Named and not inlined, so that a profiler can count it alone
// (valgrind --tool=callgrind --toggle-collect='*GuiPassFrame*').
[[gnu::noinline]] void GuiPassFrame(OV_GUI& gui) {
    gui.ProcessInput();
    gui.Draw();
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
    glFinish();
}

// The same quads given to the engine one OvDrawData call each, the texture
// bound once, and the flush.
[[gnu::noinline]] void EngineQuadsFrame(const OV_STYLE& style, const std::vector<OV_VECTORF>& corners) {
    OvTextureActivate(style.texture);
    for (size_t i = 0; i < corners.size(); i += 4)
        OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, &corners[i], style.areaColors, style.areaCoords, nullptr, nullptr,
                   OV_COMPONENTS_FLOAT, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
    glFinish();
}

// 1,000 controls in a grid of 40 columns over the window, each a textured
// quad of the example theme's Tiles style, clipping to itself (range 1) or
// not (0); the pointer away from them. One iteration is a frame of each,
// who goes first alternating; both are timed in this thread's CPU time (the
// GL driver may rasterise on threads of its own) and wall time.
void BM_GuiAgainstQuads(benchmark::State& state) {
    OV_GUI& gui = Gui();
    gui.ClearGui();
    gui.LoadTheme("Data/ExampleGui/theme.xml", "Slate");
    OV_STYLE* tiles = gui.FindStyle("Tiles");
    if (!tiles) {
        state.SkipWithError("no Tiles style: run from the build folder");
        return;
    }
    std::vector<OV_VECTORF> corners;
    corners.reserve(4 * kVisible);
    for (int i = 0; i < kVisible; ++i) {
        OV_CONTROL* control = gui.CreateControl(nullptr);
        const float x = static_cast<float>(i % kColumns * 16), y = static_cast<float>(i / kColumns * 19);
        control->position = OV_VECTOR(x, y);
        control->size = OV_VECTOR(15, 18);
        control->style = tiles;
        control->cutArea = state.range(0) != 0;
        corners.insert(corners.end(), {{x, y, 0, 1}, {x + 15, y, 0, 1}, {x + 15, y + 18, 0, 1}, {x, y + 18, 0, 1}});
    }
    gui.Deliver();
    InputStore().cursor = POINT{-100, -100};
    GuiPassFrame(gui);  // the first frames build the programs
    EngineQuadsFrame(*tiles, corners);
    TurnClocks guiTotal, quadsTotal;
    long long frames = 0;
    for (auto _ : state) {
        const bool guiFirst = frames++ % 2 == 0;
        auto guiTurn = [&] {
            const TurnClocks start = TurnClocks::Now();
            GuiPassFrame(gui);
            guiTotal.AddSince(start);
        };
        if (guiFirst) guiTurn();
        const TurnClocks start = TurnClocks::Now();
        EngineQuadsFrame(*tiles, corners);
        quadsTotal.AddSince(start);
        if (!guiFirst) guiTurn();
    }
    const double perFrame = 1e6 / static_cast<double>(frames);
    state.counters["gui_cpu_us"] = guiTotal.cpu * perFrame;
    state.counters["quads_cpu_us"] = quadsTotal.cpu * perFrame;
    state.counters["gui_wall_us"] = guiTotal.wall * perFrame;
    state.counters["quads_wall_us"] = quadsTotal.wall * perFrame;
    state.counters["cpu_ratio"] = guiTotal.cpu / quadsTotal.cpu;
    state.counters["wall_ratio"] = guiTotal.wall / quadsTotal.wall;
    gui.ClearGui();
}
BENCHMARK(BM_GuiAgainstQuads)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

bool OpenWindow() {
    OV_WINDOW* window = core.windows.Get("main", 0);
    window->title = "GUI benchmark";
    window->width = 640;
    window->height = 480;
    window->bitsPerPixel = 32;
    if (!window->Create(EmptyHandle())) return false;
    core.ActivateWindow("main", 0);
    core.WindowOrthoView("main", 0);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    OvInitiation();
    if (!OpenWindow()) {
        std::fprintf(stderr, "no window: run under a display\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    core.Clear();
    core.windows.Get("main", 0)->Destroy();
    OvClosure();
    return 0;
}
