// The scenes through SDL2's renderer (OpenGL driver, batching on).
#include "SpriteScenes.h"

#include <SDL2/SDL.h>

using namespace SpriteBench;

namespace {

class SdlBackend {
public:
    bool Open() {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
        SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
        SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
        window_ = SDL_CreateWindow("sprites", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
        if (!window_) return false;
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
        if (!renderer_) return false;
        for (int i = 0; i < 2; ++i) {
            textures_[i] = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC,
                                             kTextureSize, kTextureSize);
            if (!textures_[i]) return false;
            SDL_UpdateTexture(textures_[i], nullptr, CheckerPixels(i).data(), kTextureSize * 4);
            SDL_SetTextureBlendMode(textures_[i], SDL_BLENDMODE_BLEND);
        }
        return true;
    }

    void Close() {
        for (SDL_Texture* texture : textures_) SDL_DestroyTexture(texture);
        SDL_DestroyRenderer(renderer_);
        SDL_DestroyWindow(window_);
        SDL_Quit();
    }

    void DrawFrame(const Scene& scene, const Sprites& sprites, int frame) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        const float half = scene.size / 2.0f;
        for (int i = 0; i < sprites.Count(); ++i) {
            const SDL_FRect target{sprites.x[i] - half, sprites.y[i] - half, scene.size, scene.size};
            SDL_RenderCopyExF(renderer_, textures_[scene.twoTextures ? (i & 1) : 0], nullptr, &target,
                              sprites.AngleAt(i, frame), nullptr, SDL_FLIP_NONE);
        }
        SDL_RenderPresent(renderer_);
        SDL_Event event;
        while (SDL_PollEvent(&event)) continue;
    }

    void Finish() {
        SDL_RenderFlush(renderer_);
        glFinish();
    }

private:
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* textures_[2] = {};
};

}  // namespace

int main(int argc, char** argv) {
    SdlBackend backend;
    if (!backend.Open()) return 1;
    RunScenes(backend, ParseSettings(argc, argv));
    backend.Close();
    return 0;
}
