// The scenes through OV_TEXTURE::DrawTransformed on the batched path.
#include "SpriteScenes.h"

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"
#include "ovcore/render/Texture.h"

#include <cstring>

using namespace OvCore;
using namespace SpriteBench;

namespace {

LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class OrvoBackend {
public:
    bool Open() {
        OvInitiation();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = "sprites";
        RegisterClassA(&windowClass);
        hwnd_ = CreateWindowExA(WS_EX_APPWINDOW, "sprites", "sprites", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                                nullptr, nullptr, nullptr);
        if (!OvRenderTargetCreate(&target_, hwnd_, 80, 32)) return false;
        OvRenderTargetArea(target_, 0, 0, kWidth, kHeight, 45.0, 1.0, 100.0, 1.0);
        OvRenderTargetActivate(target_);
        OvExtensions(0);
        OvRenderVsync(0);
        OvSetState(OV_STATE_TEXTURING, 1);
        OvSetState(OV_STATE_BLENDING, 1);
        OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
        OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 1.0);
        OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
        OvCameraOrtho(0, 0, kWidth, kHeight, 0);
        for (int i = 0; i < 2; ++i) {
            if (!textures_[i].LoadEmpty(kTextureSize, kTextureSize, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0,
                                        0))
                return false;
            textures_[i].CenterOrigin();
            const std::vector<uint8_t> pixels = CheckerPixels(i);
            void* locked = textures_[i].Lock(nullptr, nullptr);
            if (!locked) return false;
            std::memcpy(locked, pixels.data(), pixels.size());
            textures_[i].Unlock(1);
        }
        return true;
    }

    void Close() {
        for (OV_TEXTURE& texture : textures_) texture.Release(false);
        OvRenderTargetDestroy(target_);
        DestroyWindow(hwnd_);
        OvClosure();
    }

    void DrawFrame(const Scene& scene, const Sprites& sprites, int frame) {
        const double scale = scene.size / kTextureSize;
        const OV_VECTOR scaleVector(scale, scale, 1);
        for (int i = 0; i < sprites.Count(); ++i) {
            const OV_TEXTURE& texture = textures_[scene.twoTextures ? (i & 1) : 0];
            texture.DrawTransformed(OV_VECTOR(sprites.x[i], sprites.y[i]),
                                    OV_ANGLES(sprites.AngleAt(i, frame), 0, 0, 0), scaleVector, true);
        }
        OvRenderScene(OV_SCENE_END_FRAME);
    }

    void Finish() { glFinish(); }

private:
    HWND hwnd_ = nullptr;
    OvHandle target_{1, 0};
    OV_TEXTURE textures_[2];
};

}  // namespace

int main(int argc, char** argv) {
    OrvoBackend backend;
    if (!backend.Open()) {
        std::fprintf(stderr, "no render target\n");
        return 1;
    }
    RunScenes(backend, ParseSettings(argc, argv));
    backend.Close();
    return 0;
}
