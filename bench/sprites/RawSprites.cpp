// The raw limit: every quad transformed on the CPU into one vertex buffer
// and drawn with one GL call; both textures stay bound on two units and each
// vertex names its unit. The vertices are written straight into a buffer
// mapped once (two halves used in turn, each fenced until GL has read it),
// so a frame neither copies them nor has GL allocate; where buffers cannot
// stay mapped they go up with glBufferSubData into storage allocated once.
#include "SpriteScenes.h"

#include <SDL2/SDL.h>
#include <malloc.h>

using namespace SpriteBench;

namespace {

struct Vertex {
    float x, y, s, t, unit;
};

const char* const kVertexShader = R"(#version 120
attribute vec2 position;
attribute vec3 coordAndUnit;
varying vec2 coord;
varying float unit;
uniform vec2 pixelToClip;
void main() {
    coord = coordAndUnit.xy;
    unit = coordAndUnit.z;
    gl_Position = vec4(position.x * pixelToClip.x - 1.0, 1.0 - position.y * pixelToClip.y, 0.0, 1.0);
})";

const char* const kTwoTextureShader = R"(#version 120
varying vec2 coord;
varying float unit;
uniform sampler2D first;
uniform sampler2D second;
void main() {
    if (unit < 0.5) gl_FragColor = texture2D(first, coord);
    else gl_FragColor = texture2D(second, coord);
})";

// Scenes of one texture sample only that one.
const char* const kOneTextureShader = R"(#version 120
varying vec2 coord;
varying float unit;
uniform sampler2D first;
void main() {
    gl_FragColor = texture2D(first, coord);
})";

GLuint Compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

class RawBackend {
public:
    bool Open() {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        window_ = SDL_CreateWindow("sprites", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
        if (!window_) return false;
        context_ = SDL_GL_CreateContext(window_);
        if (!context_) return false;
        SDL_GL_SetSwapInterval(0);
        glViewport(0, 0, kWidth, kHeight);
        programs_[0] = MakeProgram(kOneTextureShader);
        programs_[1] = MakeProgram(kTwoTextureShader);
        glEnableVertexAttribArray(0);
        glEnableVertexAttribArray(1);
        MakeTextures();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glClearColor(0, 0, 0, 1);
        glGenBuffers(1, &indexBuffer_);
        return true;
    }

    void Close() {
        for (GLsync& fence : fences_) ForgetFence(fence);
        glDeleteBuffers(1, &vertexBuffer_);
        glDeleteBuffers(1, &indexBuffer_);
        glDeleteTextures(2, textures_);
        for (GLuint program : programs_) glDeleteProgram(program);
        SDL_GL_DeleteContext(context_);
        SDL_DestroyWindow(window_);
        SDL_Quit();
    }

    void DrawFrame(const Scene& scene, const Sprites& sprites, int frame) {
        Prepare(sprites.Count());
        const int count = sprites.Count();
        const size_t bytes = static_cast<size_t>(count) * 4 * sizeof(Vertex);
        const int part = frame & 1;
        Vertex* out = mapped_ ? WaitForHalf(part) : vertices_.data();
        const float half = scene.size / 2.0f;
        constexpr float kRadiansPerDegree = static_cast<float>(M_PI / 180.0);
        static constexpr float kCornerX[4] = {-1, 1, 1, -1}, kCornerY[4] = {-1, -1, 1, 1};
        static constexpr float kS[4] = {0, 1, 1, 0}, kT[4] = {0, 0, 1, 1};
        for (int i = 0; i < count; ++i) {
            const float radians = sprites.AngleAt(i, frame) * kRadiansPerDegree;
            const float c = std::cos(radians) * half, s = std::sin(radians) * half;
            const float unit = scene.twoTextures ? static_cast<float>(i & 1) : 0.0f;
            for (int k = 0; k < 4; ++k) {
                *out++ = Vertex{sprites.x[i] + kCornerX[k] * c - kCornerY[k] * s,
                                sprites.y[i] + kCornerX[k] * s + kCornerY[k] * c, kS[k], kT[k], unit};
            }
        }
        glClear(GL_COLOR_BUFFER_BIT);
        glUseProgram(programs_[scene.twoTextures ? 1 : 0]);
        glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
        size_t offset = 0;
        if (mapped_)
            offset = static_cast<size_t>(part) * bytes;
        else
            glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), vertices_.data());
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(offset));
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                              reinterpret_cast<void*>(offset + 2 * sizeof(float)));
        glDrawElements(GL_TRIANGLES, count * 6, GL_UNSIGNED_INT, nullptr);
        if (mapped_) fences_[part] = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
        SDL_GL_SwapWindow(window_);
        SDL_Event event;
        while (SDL_PollEvent(&event)) continue;
    }

    void Finish() { glFinish(); }

private:
    static GLuint MakeProgram(const char* fragmentSource) {
        const GLuint program = glCreateProgram();
        const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader);
        const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSource);
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glBindAttribLocation(program, 0, "position");
        glBindAttribLocation(program, 1, "coordAndUnit");
        glLinkProgram(program);
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        glUseProgram(program);
        glUniform2f(glGetUniformLocation(program, "pixelToClip"), 2.0f / kWidth, 2.0f / kHeight);
        glUniform1i(glGetUniformLocation(program, "first"), 0);
        glUniform1i(glGetUniformLocation(program, "second"), 1);
        return program;
    }

    void MakeTextures() {
        glGenTextures(2, textures_);
        for (int i = 0; i < 2; ++i) {
            glActiveTexture(GL_TEXTURE0 + i);
            glBindTexture(GL_TEXTURE_2D, textures_[i]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kTextureSize, kTextureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         CheckerPixels(i).data());
        }
    }

    static void ForgetFence(GLsync& fence) {
        if (fence) glDeleteSync(fence);
        fence = nullptr;
    }

    // The half of the mapped buffer a frame writes, once GL has read it.
    Vertex* WaitForHalf(int part) {
        if (fences_[part]) {
            while (glClientWaitSync(fences_[part], GL_SYNC_FLUSH_COMMANDS_BIT, 1000000000) == GL_TIMEOUT_EXPIRED)
                continue;
            ForgetFence(fences_[part]);
        }
        return mapped_ + static_cast<size_t>(part) * prepared_ * 4;
    }

    // Makes the vertex buffer: two frames' room, mapped for good where GL
    // allows it, else one frame's room written with glBufferSubData.
    void MakeVertexBuffer(int count) {
        for (GLsync& fence : fences_) ForgetFence(fence);
        if (vertexBuffer_) glDeleteBuffers(1, &vertexBuffer_);
        glGenBuffers(1, &vertexBuffer_);
        glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
        const GLsizeiptr frameBytes = static_cast<GLsizeiptr>(count) * 4 * sizeof(Vertex);
        mapped_ = nullptr;
        vertices_.clear();
        if (epoxy_gl_version() >= 44 || epoxy_has_gl_extension("GL_ARB_buffer_storage")) {
            const GLbitfield flags = GL_MAP_WRITE_BIT | GL_MAP_PERSISTENT_BIT | GL_MAP_COHERENT_BIT;
            glBufferStorage(GL_ARRAY_BUFFER, 2 * frameBytes, nullptr, flags);
            mapped_ = static_cast<Vertex*>(glMapBufferRange(GL_ARRAY_BUFFER, 0, 2 * frameBytes, flags));
        }
        if (!mapped_) {
            glBufferData(GL_ARRAY_BUFFER, frameBytes, nullptr, GL_STREAM_DRAW);
            vertices_.resize(static_cast<size_t>(count) * 4);
        }
    }

    // Sizes the vertex buffer and the index buffer once per sprite count.
    void Prepare(int count) {
        if (prepared_ == count) return;
        prepared_ = count;
        MakeVertexBuffer(count);
        std::vector<GLuint> indices(static_cast<size_t>(count) * 6);
        static constexpr GLuint kQuad[6] = {0, 1, 2, 0, 2, 3};
        for (int i = 0; i < count; ++i)
            for (int k = 0; k < 6; ++k) indices[static_cast<size_t>(i) * 6 + k] = static_cast<GLuint>(i * 4) + kQuad[k];
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
                     GL_STATIC_DRAW);
    }

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    GLuint programs_[2] = {};
    GLuint vertexBuffer_ = 0, indexBuffer_ = 0;
    GLuint textures_[2] = {};
    int prepared_ = 0;
    Vertex* mapped_ = nullptr;
    GLsync fences_[2] = {};
    // The frame's vertices where the buffer cannot stay mapped.
    std::vector<Vertex> vertices_;
};

}  // namespace

int main(int argc, char** argv) {
    // GL's scratch memory of a draw is megabytes; kept on the heap, a frame
    // reuses it instead of taking fresh pages from the kernel every time.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    RawBackend backend;
    if (!backend.Open()) return 1;
    RunScenes(backend, ParseSettings(argc, argv));
    backend.Close();
    return 0;
}
