// Rotated sprites through the engine's batch (matrix calls and OvDrawData per
// sprite, one texture or two alternating) against the raw limit: the same
// quads transformed on the CPU into one buffer of a one-texture program and
// drawn with one call. Four scenes: 10,000 and 100,000 sprites of 32 x 32 and
// of 2 x 2 pixels. Prints each engine run's ratio to the raw limit (medians
// over repetitions). Run under a display (tools/with-display.sh).
#include "AllocationCounter.h"
#include "BenchWindow.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#define GL_GLEXT_PROTOTYPES 1
#include <SDL2/SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kPi = 3.14159265358979323846;

template <typename F>
void LoadGl(F& entry, const char* name) {
    entry = reinterpret_cast<F>(SDL_GL_GetProcAddress(name));
}

// GL entry points looked up through SDL once a context is current.
struct Gl {
    decltype(&::glGenTextures) GenTextures = nullptr;
    decltype(&::glBindTexture) BindTexture = nullptr;
    decltype(&::glTexImage2D) TexImage2D = nullptr;
    decltype(&::glTexParameteri) TexParameteri = nullptr;
    decltype(&::glDeleteTextures) DeleteTextures = nullptr;
    decltype(&::glFinish) Finish = nullptr;
    decltype(&::glCreateProgram) CreateProgram = nullptr;
    decltype(&::glCreateShader) CreateShader = nullptr;
    decltype(&::glShaderSource) ShaderSource = nullptr;
    decltype(&::glCompileShader) CompileShader = nullptr;
    decltype(&::glAttachShader) AttachShader = nullptr;
    decltype(&::glDeleteShader) DeleteShader = nullptr;
    decltype(&::glBindAttribLocation) BindAttribLocation = nullptr;
    decltype(&::glBindFragDataLocation) BindFragDataLocation = nullptr;
    decltype(&::glLinkProgram) LinkProgram = nullptr;
    decltype(&::glGenBuffers) GenBuffers = nullptr;
    decltype(&::glUseProgram) UseProgram = nullptr;
    decltype(&::glUniformMatrix4fv) UniformMatrix4fv = nullptr;
    decltype(&::glGetUniformLocation) GetUniformLocation = nullptr;
    decltype(&::glBindBuffer) BindBuffer = nullptr;
    decltype(&::glBufferData) BufferData = nullptr;
    decltype(&::glVertexAttribPointer) VertexAttribPointer = nullptr;
    decltype(&::glEnableVertexAttribArray) EnableVertexAttribArray = nullptr;
    decltype(&::glDrawArrays) DrawArrays = nullptr;
    decltype(&::glDisableVertexAttribArray) DisableVertexAttribArray = nullptr;
    decltype(&::glDeleteBuffers) DeleteBuffers = nullptr;
    decltype(&::glDeleteProgram) DeleteProgram = nullptr;
    void Load() {
        LoadGl(GenTextures, "glGenTextures");
        LoadGl(BindTexture, "glBindTexture");
        LoadGl(TexImage2D, "glTexImage2D");
        LoadGl(TexParameteri, "glTexParameteri");
        LoadGl(DeleteTextures, "glDeleteTextures");
        LoadGl(Finish, "glFinish");
        LoadGl(CreateProgram, "glCreateProgram");
        LoadGl(CreateShader, "glCreateShader");
        LoadGl(ShaderSource, "glShaderSource");
        LoadGl(CompileShader, "glCompileShader");
        LoadGl(AttachShader, "glAttachShader");
        LoadGl(DeleteShader, "glDeleteShader");
        LoadGl(BindAttribLocation, "glBindAttribLocation");
        LoadGl(BindFragDataLocation, "glBindFragDataLocation");
        LoadGl(LinkProgram, "glLinkProgram");
        LoadGl(GenBuffers, "glGenBuffers");
        LoadGl(UseProgram, "glUseProgram");
        LoadGl(UniformMatrix4fv, "glUniformMatrix4fv");
        LoadGl(GetUniformLocation, "glGetUniformLocation");
        LoadGl(BindBuffer, "glBindBuffer");
        LoadGl(BufferData, "glBufferData");
        LoadGl(VertexAttribPointer, "glVertexAttribPointer");
        LoadGl(EnableVertexAttribArray, "glEnableVertexAttribArray");
        LoadGl(DrawArrays, "glDrawArrays");
        LoadGl(DisableVertexAttribArray, "glDisableVertexAttribArray");
        LoadGl(DeleteBuffers, "glDeleteBuffers");
        LoadGl(DeleteProgram, "glDeleteProgram");
    }
};

Gl gl;

constexpr int kTextureSize = 32;

// A 32 x 32 checker of two shades, so both textures need real sampling.
std::vector<unsigned char> Checker(unsigned char r, unsigned char g, unsigned char b) {
    std::vector<unsigned char> texels(kTextureSize * kTextureSize * 4);
    for (int i = 0; i < kTextureSize * kTextureSize; ++i) {
        bool dark = ((i % kTextureSize) / 4 + (i / kTextureSize) / 4) % 2 != 0;
        unsigned char shade = dark ? 2 : 1;
        unsigned char* texel = &texels[static_cast<size_t>(i) * 4];
        texel[0] = static_cast<unsigned char>(r / shade);
        texel[1] = static_cast<unsigned char>(g / shade);
        texel[2] = static_cast<unsigned char>(b / shade);
        texel[3] = 255;
    }
    return texels;
}

struct Window {
    BenchWindow window{"sprite bench", kWidth, kHeight};
    GLuint textures[2] = {};

    Window() {
        OvSetState(OV_STATE_TEXTURING, 1);
        gl.Load();
        gl.GenTextures(2, textures);
        const std::vector<unsigned char> texels[2] = {Checker(255, 64, 64), Checker(64, 64, 255)};
        for (int i = 0; i < 2; ++i) {
            gl.BindTexture(GL_TEXTURE_2D, textures[i]);
            gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSize, kTextureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                          texels[i].data());
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        }
        gl.BindTexture(GL_TEXTURE_2D, 0);
    }
    ~Window() { gl.DeleteTextures(2, textures); }
};

Window& TheWindow() {
    static Window window;
    return window;
}

// One sprite's place and turn; identical for the engine and the raw limit.
struct Sprite {
    double x, y, degrees;
};

std::vector<Sprite> Sprites(int count, int size) {
    std::vector<Sprite> sprites(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        sprites[i] = {static_cast<double>(size + (i * 7) % (kWidth - 2 * size)),
                      static_cast<double>(size + (i * 13) % (kHeight - 2 * size)), static_cast<double>((i * 11) % 360)};
    }
    return sprites;
}

void Finish(benchmark::State& state, int count) { state.SetItemsProcessed(state.iterations() * count); }

// args: sprite count, sprite size in pixels, textures (1 or 2).
void BM_Engine(benchmark::State& state) {
    Window& window = TheWindow();
    const int count = static_cast<int>(state.range(0));
    const double half = static_cast<double>(state.range(1)) / 2;
    const bool alternate = state.range(2) == 2;
    const std::vector<Sprite> sprites = Sprites(count, static_cast<int>(state.range(1)));
    const double corners[16] = {-half, -half, 0, 1, half, -half, 0, 1, half, half, 0, 1, -half, half, 0, 1};
    const double texcoords[16] = {0, 0, 0, 1, 1, 0, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1};
    OvRenderStatistics(nullptr, nullptr);
    const long long allocationsBefore = AllocationCounter::Count();
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            const Sprite& sprite = sprites[static_cast<size_t>(i)];
            OvRenderBindGlTexture(window.textures[alternate ? i & 1 : 0], kTextureSize, kTextureSize);
            OvMatrixPush();
            OvMatrixIdentity();
            OvMatrixTranslate(sprite.x, sprite.y, 0);
            OvMatrixRotate(sprite.degrees, 0, 0, 1);
            OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, texcoords, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0,
                       0, 0, 0);
            OvMatrixPop();
        }
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
        gl.Finish();
    }
    int drawCalls = 0;
    OvRenderStatistics(&drawCalls, nullptr);
    state.counters["drawCallsPerFrame"] = static_cast<double>(drawCalls) / static_cast<double>(state.iterations());
    state.counters["allocationsPerFrame"] =
        static_cast<double>(AllocationCounter::Count() - allocationsBefore) / static_cast<double>(state.iterations());
    Finish(state, count);
}

struct RawVertex {
    float x, y, s, t;
};

GLuint RawProgram() {
    const char* vertex =
        "#version 130\nuniform mat4 p; in vec2 a; in vec2 b; out vec2 t;\n"
        "void main() { gl_Position = p * vec4(a, 0.0, 1.0); t = b; }\n";
    const char* fragment =
        "#version 130\nuniform sampler2D s; in vec2 t; out vec4 c;\n"
        "void main() { c = texture(s, t); }\n";
    GLuint program = gl.CreateProgram();
    for (auto [type, source] : {std::pair{GL_VERTEX_SHADER, vertex}, {GL_FRAGMENT_SHADER, fragment}}) {
        GLuint shader = gl.CreateShader(type);
        gl.ShaderSource(shader, 1, &source, nullptr);
        gl.CompileShader(shader);
        gl.AttachShader(program, shader);
        gl.DeleteShader(shader);
    }
    gl.BindAttribLocation(program, 0, "a");
    gl.BindAttribLocation(program, 1, "b");
    gl.BindFragDataLocation(program, 0, "c");
    gl.LinkProgram(program);
    return program;
}

// Two triangles a sprite, corners turned and moved on the CPU.
RawVertex* TransformSprite(const Sprite& sprite, double half, RawVertex* out) {
    const double radians = sprite.degrees * kPi / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    const double corner[6][4] = {{-half, -half, 0, 0}, {half, -half, 1, 0}, {half, half, 1, 1},
                                 {-half, -half, 0, 0}, {half, half, 1, 1},  {-half, half, 0, 1}};
    for (const auto& k : corner) {
        *out++ = {static_cast<float>(c * k[0] - s * k[1] + sprite.x),
                  static_cast<float>(s * k[0] + c * k[1] + sprite.y), static_cast<float>(k[2]),
                  static_cast<float>(k[3])};
    }
    return out;
}

// args: sprite count, sprite size in pixels.
void BM_RawLimit(benchmark::State& state) {
    Window& window = TheWindow();
    const int count = static_cast<int>(state.range(0));
    const double half = static_cast<double>(state.range(1)) / 2;
    const std::vector<Sprite> sprites = Sprites(count, static_cast<int>(state.range(1)));
    GLuint program = RawProgram();
    GLuint buffer = 0;
    gl.GenBuffers(1, &buffer);
    std::vector<RawVertex> vertices(static_cast<size_t>(count) * 6);
    const float projection[16] = {2.0f / kWidth, 0, 0, 0, 0, -2.0f / kHeight, 0, 0, 0, 0, -1, 0, -1, 1, 0, 1};
    for (auto _ : state) {
        RawVertex* out = vertices.data();
        for (const Sprite& sprite : sprites) out = TransformSprite(sprite, half, out);
        gl.UseProgram(program);
        gl.UniformMatrix4fv(gl.GetUniformLocation(program, "p"), 1, GL_FALSE, projection);
        gl.BindTexture(GL_TEXTURE_2D, window.textures[0]);
        gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
        gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(RawVertex)), vertices.data(),
                      GL_STREAM_DRAW);
        gl.VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(RawVertex), nullptr);
        gl.VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(RawVertex), reinterpret_cast<void*>(8));
        gl.EnableVertexAttribArray(0);
        gl.EnableVertexAttribArray(1);
        gl.DrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
        gl.DisableVertexAttribArray(0);
        gl.DisableVertexAttribArray(1);
        gl.BindBuffer(GL_ARRAY_BUFFER, 0);
        gl.BindTexture(GL_TEXTURE_2D, 0);
        gl.UseProgram(0);
        OvRenderScene(OV_SCENE_CLEAR_COLOR);
        gl.Finish();
    }
    gl.DeleteBuffers(1, &buffer);
    gl.DeleteProgram(program);
    Finish(state, count);
}

// Scene by scene: the raw limit, then the engine with one and two textures.
void RegisterScenes() {
    constexpr benchmark::TimeUnit kUnit = benchmark::kMillisecond;
    for (int count : {10000, 100000}) {
        for (int size : {32, 2}) {
            benchmark::RegisterBenchmark("BM_RawLimit", BM_RawLimit)->Args({count, size})->Unit(kUnit);
            benchmark::RegisterBenchmark("BM_Engine", BM_Engine)->Args({count, size, 1})->Unit(kUnit);
            benchmark::RegisterBenchmark("BM_Engine", BM_Engine)->Args({count, size, 2})->Unit(kUnit);
        }
    }
}

// Keeps every run's time a frame so that the ratios come from medians.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[run.run_name.str()] = run.GetAdjustedRealTime();
            } else if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                times_[run.run_name.str()].push_back(run.GetAdjustedRealTime());
            }
        }
    }
    void PrintRatios() {
        for (const auto& [name, times] : times_) medians_.try_emplace(name, Median(times));
        std::printf("\nraw limit time over engine time (medians; 1.0 = as fast as raw), ms a frame:\n");
        for (const auto& [name, engine] : medians_) {
            if (name.rfind("BM_Engine/", 0) != 0) continue;
            std::string scene = name.substr(std::string("BM_Engine/").size());
            auto raw = medians_.find("BM_RawLimit/" + scene.substr(0, scene.rfind('/')));
            if (raw == medians_.end()) continue;
            std::printf("  sprites/size/textures %-12s engine %9.2f  raw %9.2f  ratio %.2f\n", scene.c_str(), engine,
                        raw->second, raw->second / engine);
        }
    }

private:
    static double Median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        size_t n = values.size();
        return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    }
    std::map<std::string, std::vector<double>> times_;
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    RegisterScenes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
