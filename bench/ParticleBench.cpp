// 100,000 live particles, one frame each iteration: the framework's emitter
// (Update, then Draw through the engine's batch) against a plain loop that
// moves and fades the same particles in flat arrays and draws them with one
// GL call. Both run in every iteration, taking turns at going first; each
// side's process CPU time (the driver's threads included) and wall time
// are reported as ns per particle, with the ratio plain / emitter (1.0 = as
// fast as the plain loop). Every 240 frames both sides go back to the
// newly emitted particles, so they stay on screen. Run it under a display
// (tools/with-display.sh).
#include "AllocationCounter.h"
#include "BenchWindow.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"
#include "ovcore/render/ParticleEmitter.h"

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <ctime>
#include <vector>

namespace {

using OvCore::OV_PARTICLE;
using OvCore::OV_PARTICLE_EMITTER;
using OvCore::OV_VECTORF;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr uint32_t kParticles = 100000;
constexpr int kFramesPerRestart = 240;
constexpr float kFrameTime = 1.0f / 60.0f;

struct Window {
    BenchWindow window{"particle bench", kWidth, kHeight};

    Window() { OvSetState(OV_STATE_BLENDING, 1); }
};

// A fountain's spread: every direction, up to 40 pixels a second, a little
// gravity, 10 to 20 seconds to live, colours between orange and yellow.
void Configure(OV_PARTICLE_EMITTER& emitter) {
    emitter.Resize(kParticles);
    emitter.directionMin = OvCore::OV_ANGLES(0, 0, 0, 0);
    emitter.directionMax = OvCore::OV_ANGLES(360, 0, 0, 0);
    emitter.speedMin = 5;
    emitter.speedMax = 40;
    emitter.offsetMin = OV_VECTORF(-50, -50);
    emitter.offsetMax = OV_VECTORF(50, 50);
    emitter.accelerationMin = OV_VECTORF(0, 2);
    emitter.accelerationMax = OV_VECTORF(0, 6);
    emitter.lifetimeMin = 10;
    emitter.lifetimeMax = 20;
    emitter.colourMin = OV_VECTORF(1, 0.5f, 0, 1);
    emitter.colourMax = OV_VECTORF(1, 1, 0.2f, 1);
    emitter.fade = 1;
    const OV_VECTORF centre(kWidth / 2.0f, kHeight / 2.0f);
    for (uint32_t i = 0; i < kParticles; ++i) emitter.Emit(centre);
}

// The same particles in flat arrays, and the vertices a plain program
// uploads: position and colour bytes.
struct PlainVertex {
    float x, y, z;
    uint8_t rgba[4];
};

struct PlainParticles {
    std::vector<float> x, y, z, vx, vy, vz, ax, ay, az, age, lifetime, fade;
    std::vector<PlainVertex> vertices;

    void CopyFrom(const OV_PARTICLE_EMITTER& emitter) {
        for (auto* column : {&x, &y, &z, &vx, &vy, &vz, &ax, &ay, &az, &age, &lifetime, &fade}) column->clear();
        vertices.clear();
        for (uint32_t slot : emitter.liveSlots) {
            const OV_PARTICLE& particle = emitter.particles[slot];
            const OV_VECTORF& at = emitter.positions[slot];
            const OV_VECTORF& colour = emitter.colours[slot];
            x.push_back(at.x);
            y.push_back(at.y);
            z.push_back(at.z);
            vx.push_back(particle.velocity.x);
            vy.push_back(particle.velocity.y);
            vz.push_back(particle.velocity.z);
            ax.push_back(particle.acceleration.x);
            ay.push_back(particle.acceleration.y);
            az.push_back(particle.acceleration.z);
            age.push_back(particle.age);
            lifetime.push_back(particle.lifetime);
            fade.push_back(particle.fade);
            vertices.push_back({at.x, at.y, at.z, {Byte(colour.x), Byte(colour.y), Byte(colour.z), Byte(colour.w)}});
        }
    }
    static uint8_t Byte(float channel) { return static_cast<uint8_t>(channel * 255.0f + 0.5f); }
};

GLuint PlainProgram() {
    const char* vertex =
        "#version 130\nuniform mat4 p; in vec3 a; in vec4 b; out vec4 c;\n"
        "void main() { gl_Position = p * vec4(a, 1.0); c = b; }\n";
    const char* fragment = "#version 130\nin vec4 c; out vec4 o;\nvoid main() { o = c; }\n";
    GLuint program = glCreateProgram();
    for (auto [type, source] : {std::pair{GL_VERTEX_SHADER, vertex}, {GL_FRAGMENT_SHADER, fragment}}) {
        GLuint shader = glCreateShader(type);
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
        glDeleteShader(shader);
    }
    glBindAttribLocation(program, 0, "a");
    glBindAttribLocation(program, 1, "b");
    glBindFragDataLocation(program, 0, "o");
    glLinkProgram(program);
    return program;
}

// The plain loop's frame: move, fade into the vertex bytes, one draw.
[[gnu::noinline]] void PlainFrame(PlainParticles& plain, GLuint program, GLuint buffer, float dt) {
    const size_t count = plain.x.size();
    for (size_t i = 0; i < count; ++i) {
        plain.age[i] += dt;
        plain.x[i] += plain.vx[i] * dt;
        plain.y[i] += plain.vy[i] * dt;
        plain.z[i] += plain.vz[i] * dt;
        plain.vx[i] += plain.ax[i] * dt;
        plain.vy[i] += plain.ay[i] * dt;
        plain.vz[i] += plain.az[i] * dt;
        float life = plain.age[i] / plain.lifetime[i];
        life = life > 1 ? 1 : life < 0 ? 0 : life;
        PlainVertex& vertex = plain.vertices[i];
        vertex.x = plain.x[i];
        vertex.y = plain.y[i];
        vertex.z = plain.z[i];
        vertex.rgba[3] = PlainParticles::Byte((1 - life) * plain.fade[i]);
    }
    const float projection[16] = {2.0f / kWidth, 0, 0, 0, 0, -2.0f / kHeight, 0, 0, 0, 0, -1, 0, -1, 1, 0, 1};
    glUseProgram(program);
    glUniformMatrix4fv(glGetUniformLocation(program, "p"), 1, GL_FALSE, projection);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(PlainVertex)), plain.vertices.data(),
                 GL_STREAM_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(PlainVertex), nullptr);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(PlainVertex), reinterpret_cast<void*>(12));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(count));
    glDisable(GL_BLEND);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
    OvRenderScene(OV_SCENE_CLEAR_COLOR);
    glFinish();
}

// The framework's frame: the emitter's update and draw, the batch flushed.
[[gnu::noinline]] void EmitterFrame(OV_PARTICLE_EMITTER& emitter) {
    emitter.Update(nullptr, false);
    emitter.Draw();
    OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
    glFinish();
}

struct Clocks {
    double cpu, wall;
};

Clocks Now() {
    timespec cpu{}, wall{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    clock_gettime(CLOCK_MONOTONIC, &wall);
    return {static_cast<double>(cpu.tv_sec) + cpu.tv_nsec * 1e-9,
            static_cast<double>(wall.tv_sec) + wall.tv_nsec * 1e-9};
}

template <typename Frame>
Clocks Measure(Frame frame) {
    const Clocks start = Now();
    frame();
    const Clocks end = Now();
    return {end.cpu - start.cpu, end.wall - start.wall};
}

void BM_Particles(benchmark::State& state) {
    static Window window;
    OvCore::LoopState().delta = kFrameTime;
    OV_PARTICLE_EMITTER emitter;
    PlainParticles plain;
    const GLuint program = PlainProgram();
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    Clocks emitterTotal{0, 0}, plainTotal{0, 0};
    long long frames = 0, emitterAllocations = 0, plainAllocations = 0;
    for (auto _ : state) {
        if (frames % kFramesPerRestart == 0) {
            state.PauseTiming();
            Configure(emitter);
            plain.CopyFrom(emitter);
            state.ResumeTiming();
        }
        const bool emitterFirst = frames++ % 2 == 0;
        for (int side = 0; side < 2; ++side) {
            const long long before = AllocationCounter::Count();
            if ((side == 0) == emitterFirst) {
                const Clocks spent = Measure([&] { EmitterFrame(emitter); });
                emitterTotal = {emitterTotal.cpu + spent.cpu, emitterTotal.wall + spent.wall};
                emitterAllocations += AllocationCounter::Count() - before;
            } else {
                const Clocks spent = Measure([&] { PlainFrame(plain, program, buffer, kFrameTime); });
                plainTotal = {plainTotal.cpu + spent.cpu, plainTotal.wall + spent.wall};
                plainAllocations += AllocationCounter::Count() - before;
            }
        }
    }
    glDeleteBuffers(1, &buffer);
    glDeleteProgram(program);
    const double perParticle = 1e9 / (static_cast<double>(frames) * kParticles);
    state.counters["emitter_cpu_ns"] = emitterTotal.cpu * perParticle;
    state.counters["plain_cpu_ns"] = plainTotal.cpu * perParticle;
    state.counters["emitter_wall_ns"] = emitterTotal.wall * perParticle;
    state.counters["plain_wall_ns"] = plainTotal.wall * perParticle;
    state.counters["cpu_ratio"] = plainTotal.cpu / emitterTotal.cpu;
    state.counters["wall_ratio"] = plainTotal.wall / emitterTotal.wall;
    state.counters["emitter_allocations_per_frame"] = static_cast<double>(emitterAllocations) / frames;
    state.counters["plain_allocations_per_frame"] = static_cast<double>(plainAllocations) / frames;
}
BENCHMARK(BM_Particles)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
