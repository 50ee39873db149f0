#pragma once

namespace OvCore {

// The game: window "main" at 800 x 600 in the middle of the screen, until
// Escape is pressed or the window is closed.
void GameScene();

} // namespace OvCore
