// A technique script of ten commands executed 10,000 times, against the same
// ten operations called directly from C++ in the same run: microseconds per
// execution of each and their ratio, the script's overhead on a frame.
// Medians of five rounds. Run under a display (tools/with-display.sh).
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/platform/Windows.h"
#include "ovcore/render/Script.h"
#include "ovcore/render/ShaderStore.h"
#include "ovcore/render/TechniqueShaders.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace OvCore;

namespace {

constexpr int kSize = 256;
constexpr int kExecutions = 10'000;
constexpr int kRounds = 5;

const char* kVertex = "#version 120\nvoid main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_Position = ftransform(); }";
const char* kFragment =
    "#version 120\nuniform sampler2D uImage;\nuniform vec4 uTint;\n"
    "void main() { gl_FragColor = texture2D(uImage, gl_TexCoord[0].st) * uTint; }";

const char* kScript =
    "local store, slot, texture, corners, texcoords, colour, location, values, host = ...\n"
    "COLOR(SCENE, colour)\n"
    "CLEAR(COLOR)\n"
    "BLEND(SRC_ALPHA, ONE_MINUS_SRC_ALPHA)\n"
    "COLOR(MODEL, colour)\n"
    "PASS(ENABLE, store, slot)\n"
    "PARAM(VEC4, store, location, values)\n"
    "RECT(TEXTURE, texture, corners, texcoords, TRUE)\n"
    "PASS(DISABLE, store, slot)\n"
    "BLEND(ONE, ZERO)\n"
    "EXECUTE(host)\n";

// Ten commands that only set engine states or call the host: what is left
// is the script's own cost.
const char* kStateScript =
    "local store, slot, texture, corners, texcoords, colour, location, values, host = ...\n"
    "COLOR(SCENE, colour)\n"
    "COLOR(MODEL, colour)\n"
    "BLEND(SRC_ALPHA, ONE_MINUS_SRC_ALPHA)\n"
    "BLEND(ONE, ZERO)\n"
    "EXECUTE(host)\n"
    "COLOR(SCENE, colour)\n"
    "COLOR(MODEL, colour)\n"
    "BLEND(SRC_ALPHA, ONE_MINUS_SRC_ALPHA)\n"
    "BLEND(ONE, ZERO)\n"
    "EXECUTE(host)\n";

int hostCalls = 0;
void Host() { ++hostCalls; }

struct Scene {
    OV_SHADER_STORE store;
    OvHandle texture{1, 0};
    OV_VECTOR corners[4] = {{0, 0, 0, 1}, {kSize, 0, 0, 1}, {kSize, kSize, 0, 1}, {0, kSize, 0, 1}};
    OV_VECTOR texcoords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    OV_VECTOR colour{0.5, 0.5, 0.5, 1};
    int32_t location = -1;
    float values[4] = {1, 0.5f, 0.25f, 1};
};

// The script's ten commands as direct calls.
void Direct(Scene& s) {
    OvSetState(OV_STATE_CLEAR_COLOR, s.colour.x, s.colour.y, s.colour.z, s.colour.w);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
    OvSetState(OV_STATE_DRAW_COLOR, s.colour.x, s.colour.y, s.colour.z, s.colour.w);
    s.store.Activate(0);
    SetShaderParam(OV_SHADER_LINKED, s.location, s.values[0], s.values[1], s.values[2], s.values[3], 4);
    std::swap(s.texcoords[0], s.texcoords[3]);
    std::swap(s.texcoords[1], s.texcoords[2]);
    OvTextureActivate(s.texture);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, s.corners, nullptr, s.texcoords, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0,
               0, 0);
    OvTextureUnactivate();
    std::swap(s.texcoords[0], s.texcoords[3]);
    std::swap(s.texcoords[1], s.texcoords[2]);
    DeactivateShaders();
    OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_ONE, OV_BLEND_ZERO);
    Host();
}

void DirectStates(Scene& s) {
    for (int i = 0; i < 2; ++i) {
        OvSetState(OV_STATE_CLEAR_COLOR, s.colour.x, s.colour.y, s.colour.z, s.colour.w);
        OvSetState(OV_STATE_DRAW_COLOR, s.colour.x, s.colour.y, s.colour.z, s.colour.w);
        OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
        OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_ONE, OV_BLEND_ZERO);
        Host();
    }
}

// Microseconds per execution: the median of the rounds.
template <class Body>
double Measure(Body body) {
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kExecutions; ++i) body();
        OvRenderScene(OV_SCENE_FLUSH);
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        rounds.push_back(spent.count() / kExecutions);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[kRounds / 2];
}

HWND OpenWindow(OvHandle& target) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "TechniqueBench";
    RegisterClassA(&windowClass);
    HWND hwnd = CreateWindowExA(WS_EX_APPWINDOW, "TechniqueBench", "TechniqueBench", WS_POPUP, 0, 0, kSize, kSize,
                                nullptr, nullptr, nullptr, nullptr);
    if (!hwnd || !OvRenderTargetCreate(&target, hwnd, 80, 32)) return nullptr;
    OvRenderTargetArea(target, 0, 0, kSize, kSize, 45.0, 1.0, 100.0, 1.0);
    OvRenderTargetActivate(target);
    OvCameraOrtho(0, 0, kSize, kSize, 0);
    return hwnd;
}

bool Prepare(Scene& s) {
    if (!InitShaders()) return false;
    InitTechniqueShaders();
    s.store.LoadFromMemory(0, OV_SHADER_LINKED, kVertex, kFragment);
    s.location = s.store.UniformLocation(0, "uTint");
    const uint8_t pixels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    return s.location >= 0 && OvTextureCreate(&s.texture) && OvTextureLoadEmpty(s.texture, 2, 2, 0) && [&] {
        auto* lock = static_cast<uint8_t*>(OvTextureLock(s.texture, 0));
        if (!lock) return false;
        std::copy(pixels, pixels + 16, lock);
        OvTextureUnlock(s.texture, 1);
        return true;
    }();
}

}  // namespace

int main() {
    OvInitiation();
    OvHandle target{1, 0};
    HWND hwnd = OpenWindow(target);
    Scene scene;
    if (!hwnd || !Prepare(scene)) {
        std::fprintf(stderr, "no GL window or shader\n");
        return 1;
    }
    OvSetState(OV_STATE_BLENDING, 1);
    OV_SCRIPT script;
    OV_SCRIPT states;
    if (!script.Compile(kScript, static_cast<uint32_t>(std::char_traits<char>::length(kScript))) ||
        !states.Compile(kStateScript, static_cast<uint32_t>(std::char_traits<char>::length(kStateScript)))) {
        std::fprintf(stderr, "%s\n", OvLumetLastLog());
        return 1;
    }
    OV_SCRIPT_ARGUMENTS arguments;
    arguments.AddPointer(&scene.store);
    arguments.AddValue(0);
    for (const void* data : {static_cast<const void*>(&scene.texture), static_cast<const void*>(scene.corners),
                             static_cast<const void*>(scene.texcoords), static_cast<const void*>(&scene.colour),
                             static_cast<const void*>(&scene.location), static_cast<const void*>(scene.values)}) {
        arguments.AddPointer(data);
    }
    arguments.AddFunction(Host);

    int failures = 0;
    const double scripted = Measure([&] { failures += script.Execute(&arguments) == 1 ? 0 : 1; });
    const double direct = Measure([&] { Direct(scene); });
    std::printf("technique script, 10 commands: %.2f us per execution (%d failed)\n", scripted, failures);
    std::printf("the same 10 calls from C++:    %.2f us per execution\n", direct);
    std::printf("ratio script / direct: %.2f\n", scripted / direct);
    const double stateScripted = Measure([&] { failures += states.Execute(&arguments) == 1 ? 0 : 1; });
    const double stateDirect = Measure([&] { DirectStates(scene); });
    std::printf("state-only script, 10 commands: %.2f us per execution\n", stateScripted);
    std::printf("the same 10 calls from C++:      %.3f us per execution\n", stateDirect);
    std::printf("script overhead per execution: %.2f us (ratio %.0f); failures %d, host calls %d\n",
                stateScripted - stateDirect, stateScripted / stateDirect, failures, hostCalls);

    script.Free();
    states.Free();
    scene.store.Release();
    OvTextureDestroy(scene.texture);
    OvRenderTargetDestroy(target);
    DestroyWindow(hwnd);
    OvClosure();
    return failures == 0 ? 0 : 1;
}
