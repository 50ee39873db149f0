#pragma once

#include "ovcore/platform/Windows.h"
#include "ovcore/render/Camera.h"

namespace OvCore {

// The scene "game": window "main" at 800 x 600 in the middle of the screen,
// its resources loaded, frames of GameFrame until Escape is pressed (or the
// window is closed), then the core cleared.
void GameScene();

// The pieces of GameScene, in the order it runs them. PrepareGameWindow
// sizes, centres and applies window "main" and initialises rendering on it
// (no vertical sync: GameScene asks for that itself).
void PrepareGameWindow();
// The screen view spans 600 pixels of height at the window's aspect.
void SetUpScreenView();
// Textures, the font and the sounds; whatever cannot be loaded stays empty.
void LoadGameResources();
// One frame of the game; both arguments are unused.
void GameFrame(HWND hwnd, void* unused);

// The game's orthographic screen camera.
OV_CAMERA& ScreenView();
// The status text of the last frame (empty before the first).
const char* GameStatusText();

}  // namespace OvCore
