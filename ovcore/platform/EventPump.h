// SDL events into the message queue as Windows messages.
#pragma once

union SDL_Event;

// Moves every pending SDL event into the message queue (starting SDL video
// on first use; nothing happens without a display).
void PumpSdlEvents();
// Appends the Windows messages of one SDL event; events without a window of
// ours, SDL_QUIT and events with no Windows meaning add nothing; game
// controller events go to the pad slots (Gamepad.h).
void TranslateSdlEvent(const SDL_Event& event);
// Brings the pad slots up to date with one game-controller event (Gamepad.cpp).
void PlatformPadEvent(const SDL_Event& event);
