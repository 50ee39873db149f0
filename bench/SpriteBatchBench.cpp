// 100,000 2 x 2-pixel sprites a frame alternating between two textures
// through OvDrawData, against the raw limit: the same quads transformed on
// the CPU into one buffer and drawn with one call of a one-texture program.
// Run under a display (tools/with-display.sh).
#include "engine/OrvoCore.h"
#include "platform/Windows.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#define GL_GLEXT_PROTOTYPES 1
#include <SDL2/SDL_opengl.h>

#include <vector>

namespace {

constexpr int kSprites = 100000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

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
        GenTextures = reinterpret_cast<decltype(GenTextures)>(SDL_GL_GetProcAddress("glGenTextures"));
        BindTexture = reinterpret_cast<decltype(BindTexture)>(SDL_GL_GetProcAddress("glBindTexture"));
        TexImage2D = reinterpret_cast<decltype(TexImage2D)>(SDL_GL_GetProcAddress("glTexImage2D"));
        TexParameteri = reinterpret_cast<decltype(TexParameteri)>(SDL_GL_GetProcAddress("glTexParameteri"));
        DeleteTextures = reinterpret_cast<decltype(DeleteTextures)>(SDL_GL_GetProcAddress("glDeleteTextures"));
        Finish = reinterpret_cast<decltype(Finish)>(SDL_GL_GetProcAddress("glFinish"));
        CreateProgram = reinterpret_cast<decltype(CreateProgram)>(SDL_GL_GetProcAddress("glCreateProgram"));
        CreateShader = reinterpret_cast<decltype(CreateShader)>(SDL_GL_GetProcAddress("glCreateShader"));
        ShaderSource = reinterpret_cast<decltype(ShaderSource)>(SDL_GL_GetProcAddress("glShaderSource"));
        CompileShader = reinterpret_cast<decltype(CompileShader)>(SDL_GL_GetProcAddress("glCompileShader"));
        AttachShader = reinterpret_cast<decltype(AttachShader)>(SDL_GL_GetProcAddress("glAttachShader"));
        DeleteShader = reinterpret_cast<decltype(DeleteShader)>(SDL_GL_GetProcAddress("glDeleteShader"));
        BindAttribLocation = reinterpret_cast<decltype(BindAttribLocation)>(SDL_GL_GetProcAddress("glBindAttribLocation"));
        BindFragDataLocation = reinterpret_cast<decltype(BindFragDataLocation)>(SDL_GL_GetProcAddress("glBindFragDataLocation"));
        LinkProgram = reinterpret_cast<decltype(LinkProgram)>(SDL_GL_GetProcAddress("glLinkProgram"));
        GenBuffers = reinterpret_cast<decltype(GenBuffers)>(SDL_GL_GetProcAddress("glGenBuffers"));
        UseProgram = reinterpret_cast<decltype(UseProgram)>(SDL_GL_GetProcAddress("glUseProgram"));
        UniformMatrix4fv = reinterpret_cast<decltype(UniformMatrix4fv)>(SDL_GL_GetProcAddress("glUniformMatrix4fv"));
        GetUniformLocation = reinterpret_cast<decltype(GetUniformLocation)>(SDL_GL_GetProcAddress("glGetUniformLocation"));
        BindBuffer = reinterpret_cast<decltype(BindBuffer)>(SDL_GL_GetProcAddress("glBindBuffer"));
        BufferData = reinterpret_cast<decltype(BufferData)>(SDL_GL_GetProcAddress("glBufferData"));
        VertexAttribPointer = reinterpret_cast<decltype(VertexAttribPointer)>(SDL_GL_GetProcAddress("glVertexAttribPointer"));
        EnableVertexAttribArray = reinterpret_cast<decltype(EnableVertexAttribArray)>(SDL_GL_GetProcAddress("glEnableVertexAttribArray"));
        DrawArrays = reinterpret_cast<decltype(DrawArrays)>(SDL_GL_GetProcAddress("glDrawArrays"));
        DisableVertexAttribArray = reinterpret_cast<decltype(DisableVertexAttribArray)>(SDL_GL_GetProcAddress("glDisableVertexAttribArray"));
        DeleteBuffers = reinterpret_cast<decltype(DeleteBuffers)>(SDL_GL_GetProcAddress("glDeleteBuffers"));
        DeleteProgram = reinterpret_cast<decltype(DeleteProgram)>(SDL_GL_GetProcAddress("glDeleteProgram"));
    }
};

Gl gl;

LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

struct Scene {
    HWND hwnd = nullptr;
    OvHandle target{1, 0};
    GLuint textures[2] = {};

    Scene() {
        OvInitiation();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = "sprite bench";
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(0, "sprite bench", "sprite bench", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                               nullptr, nullptr, nullptr);
        OvRenderTargetCreate(&target, hwnd, 80, 32);
        OvRenderTargetActivate(target);
        OvCameraOrtho(0, 0, kWidth, kHeight, 0);
        OvSetState(106, 1);
        gl.Load();
        gl.GenTextures(2, textures);
        const unsigned char texels[2][16] = {{255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255},
                                             {0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255}};
        for (int i = 0; i < 2; ++i) {
            gl.BindTexture(GL_TEXTURE_2D, textures[i]);
            gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels[i]);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        }
    }
    ~Scene() {
        gl.DeleteTextures(2, textures);
        OvRenderTargetDestroy(target);
        DestroyWindow(hwnd);
        OvClosure();
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

double SpriteX(int i) { return (i * 7) % (kWidth - 2); }
double SpriteY(int i) { return (i * 13) % (kHeight - 2); }

void BM_EngineSprites(benchmark::State& state) {
    Scene& scene = TheScene();
    const double texcoords[16] = {0, 0, 0, 1, 1, 0, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1};
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            double x = SpriteX(i), y = SpriteY(i);
            const double corners[16] = {x, y, 0, 1, x + 2, y, 0, 1, x + 2, y + 2, 0, 1, x, y + 2, 0, 1};
            OvRenderBindGlTexture(scene.textures[i & 1], 2, 2);
            OvDrawData(11, 0, 4, corners, nullptr, texcoords, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
        }
        OvRenderScene(1 | 2);
        gl.Finish();
    }
    int drawCalls = 0;
    OvRenderStatistics(&drawCalls, nullptr);
    state.counters["drawCallsPerFrame"] = static_cast<double>(drawCalls) / state.iterations();
    state.SetItemsProcessed(state.iterations() * kSprites);
}

struct RawVertex {
    float x, y, s, t;
};

GLuint RawProgram() {
    const char* vertex = "#version 130\nuniform mat4 p; in vec2 a; in vec2 b; out vec2 t;\n"
                         "void main() { gl_Position = p * vec4(a, 0.0, 1.0); t = b; }\n";
    const char* fragment = "#version 130\nuniform sampler2D s; in vec2 t; out vec4 c;\n"
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

void BM_RawLimit(benchmark::State& state) {
    Scene& scene = TheScene();
    GLuint program = RawProgram();
    GLuint buffer = 0;
    gl.GenBuffers(1, &buffer);
    std::vector<RawVertex> vertices(static_cast<size_t>(kSprites) * 6);
    const float projection[16] = {2.0f / kWidth, 0, 0, 0, 0, -2.0f / kHeight, 0, 0, 0, 0, -1, 0, -1, 1, 0, 1};
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (auto _ : state) {
        const double* m = identity;
        RawVertex* out = vertices.data();
        for (int i = 0; i < kSprites; ++i) {
            double x = SpriteX(i), y = SpriteY(i);
            const double corner[6][4] = {{x, y, 0, 0}, {x + 2, y, 1, 0}, {x + 2, y + 2, 1, 1},
                                         {x, y, 0, 0}, {x + 2, y + 2, 1, 1}, {x, y + 2, 0, 1}};
            for (const auto& c : corner) {
                *out++ = {static_cast<float>(m[0] * c[0] + m[4] * c[1] + m[12]),
                          static_cast<float>(m[1] * c[0] + m[5] * c[1] + m[13]), static_cast<float>(c[2]),
                          static_cast<float>(c[3])};
            }
        }
        gl.UseProgram(program);
        gl.UniformMatrix4fv(gl.GetUniformLocation(program, "p"), 1, GL_FALSE, projection);
        gl.BindTexture(GL_TEXTURE_2D, scene.textures[0]);
        gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
        gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(RawVertex)),
                     vertices.data(), GL_STREAM_DRAW);
        gl.VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(RawVertex), nullptr);
        gl.VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(RawVertex), reinterpret_cast<void*>(8));
        gl.EnableVertexAttribArray(0);
        gl.EnableVertexAttribArray(1);
        gl.DrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
        gl.DisableVertexAttribArray(0);
        gl.DisableVertexAttribArray(1);
        gl.UseProgram(0);
        OvRenderScene(2);
        gl.Finish();
    }
    gl.DeleteBuffers(1, &buffer);
    gl.DeleteProgram(program);
    state.SetItemsProcessed(state.iterations() * kSprites);
}

}  // namespace

BENCHMARK(BM_EngineSprites)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawLimit)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
