// Hello: a window, a star that the arrow keys move, a line of text in the
// framework's own font and a sound. Arrows move the star, Space rings, Escape quits.
#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/render/Camera.h"
#include "ovcore/render/Font.h"
#include "ovcore/render/Texture.h"
using namespace OvCore;

OV_CAMERA screen;
OV_TEXTURE star;
OV_FONT font;
OV_SOUND_HANDLE ding;
OV_VECTOR position(320, 240);

void Frame(HWND, void*) {
    if (KeyPressed(VK_ESCAPE)) LoopState().running = false;
    if (KeyPressed(VK_SPACE)) core.audio.PlayEffect(ding);
    position.x += 4 * (KeyHeld(VK_RIGHT) - KeyHeld(VK_LEFT));
    position.y += 4 * (KeyHeld(VK_DOWN) - KeyHeld(VK_UP));
    screen.Apply();
    star.DrawTransformed(position, OV_ANGLES(), OV_VECTOR(2, 2, 1, 1), true);
    font.DrawText("Hello! Arrows move, Space rings.", OV_VECTOR(20, 20), OV_VECTOR(1, 1, 1, 1), OV_ANGLES());
    OvRenderScene(OV_SCENE_END_FRAME);
}

int main() {
    OvInitiation();
    OV_WINDOW& window = *core.windows.Get("main", 0);
    window.title = "Hello";
    window.width = screen.width = 640, window.height = screen.height = 480;
    if (!window.Create(EmptyHandle())) return 1;
    core.ActivateWindow("main", 0);
    star.Load("star.png", 0, TEXTURE_LINEAR, TEXTURE_LINEAR, 32, 32, -1, -1, 0, 0);
    font.LoadDefault(24);
    ding = core.audio.LoadEffect("ding.wav");
    LoopState().frameMs = 16;
    LoopState().limiter = OV_FRAME_LIMITER::SLEEP;
    RunMessageLoop(Frame, nullptr);
    core.Clear();
    window.Destroy();
    OvClosure();
}
