// Real windows with render targets for the engine tests, and the few GL
// calls the tests make themselves (looked up through SDL).
#pragma once

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"
#include "tests/support/GlWindow.h"

#include <SDL2/SDL.h>

#include <string>

struct TestGl {
    using GenTextures = void (*)(int, unsigned*);
    using BindTexture = void (*)(unsigned, unsigned);
    using IsTexture = unsigned char (*)(unsigned);
    using DeleteTextures = void (*)(int, const unsigned*);
    using GetIntegerv = void (*)(unsigned, int*);
    using IsEnabled = unsigned char (*)(unsigned);

    static constexpr unsigned kTexture2d = 0x0DE1;
    static constexpr unsigned kViewport = 0x0BA2;
    static constexpr unsigned kBlend = 0x0BE2;
    static constexpr unsigned kScissorTest = 0x0C11;

    GenTextures genTextures = reinterpret_cast<GenTextures>(SDL_GL_GetProcAddress("glGenTextures"));
    BindTexture bindTexture = reinterpret_cast<BindTexture>(SDL_GL_GetProcAddress("glBindTexture"));
    IsTexture isTexture = reinterpret_cast<IsTexture>(SDL_GL_GetProcAddress("glIsTexture"));
    DeleteTextures deleteTextures = reinterpret_cast<DeleteTextures>(SDL_GL_GetProcAddress("glDeleteTextures"));
    GetIntegerv getIntegerv = reinterpret_cast<GetIntegerv>(SDL_GL_GetProcAddress("glGetIntegerv"));
    IsEnabled isEnabled = reinterpret_cast<IsEnabled>(SDL_GL_GetProcAddress("glIsEnabled"));
};

// The size of the window most engine tests draw into.
constexpr int kWidth = 64;
constexpr int kHeight = 48;

using EngineWindow = OvTest::GlWindow;

inline bool SameHandle(OvHandle a, OvHandle b) { return a.word0 == b.word0 && a.word1 == b.word1; }

inline bool IsEmptyHandle(OvHandle handle) { return OvHandleIsEmpty(handle) != 0; }
