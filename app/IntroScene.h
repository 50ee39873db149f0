#pragma once

namespace OvCore {

// The opening scene before the game.
void IntroScene();

} // namespace OvCore
