// The GUI's work per frame over a tree of depth 5 (one top control, then
// levels of equal fan-out): placement, the input step with delivery, and
// drawing (batch building and its flush), for 100 to 10,000 controls. Each
// should grow linearly. Runs under a display (tools/with-display.sh).
#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/gui/Gui.h"

#include <benchmark/benchmark.h>

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
BENCHMARK(BM_GuiPlace)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

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
BENCHMARK(BM_GuiDraw)
    ->ArgsProduct({{100, 1000, 10000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

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
