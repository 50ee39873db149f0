// The opening scene shown before the program's own.
#pragma once

#include "ovcore/app/Window.h"
#include "ovcore/render/Texture.h"

namespace OvCore {

// The opening scene: the engine library's logo fades in and out over two
// seconds of frame time in a small window of its own in the middle of the
// screen, with the cursor hidden; closing that window ends it early.
void IntroScene();

// What the intro's frames work on.
struct OV_INTRO_CONTEXT {
    // What the frame works on: the window, the angle in degrees, the image:
    OV_WINDOW* window;
    double* angle;
    OV_TEXTURE* image;
};

// One frame of the intro (context: an OV_INTRO_CONTEXT): the image drawn at
// the opacity sin(angle), the angle moved on by 90 degrees a second of frame
// time; the loop ends once it reaches 180.
void IntroFrame(HWND hwnd, void* context);

}  // namespace OvCore
