// Game controllers: pads in the layout of the common two-stick controller
// (four face buttons, shoulders, sticks, triggers, a direction pad), read
// through SDL's game controller support and kept in numbered slots. A pad
// takes the lowest free slot when it is plugged in and keeps it until it is
// unplugged; a pad plugged in while every slot is taken waits for one to free.
//
// Pads are read whether or not a window of the program has the keyboard focus
// (unless the environment sets SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS=0).
#pragma once

#include "ovcore/platform/PlatformApi.h"

#include <cstdint>

// Button numbers: bit n of the masks below is button n.
enum PlatformPadButton {
    PAD_A = 0,  // the lower face button
    PAD_B = 1,  // the right face button
    PAD_X = 2,  // the left face button
    PAD_Y = 3,  // the upper face button
    PAD_BACK = 4,
    PAD_GUIDE = 5,
    PAD_START = 6,
    PAD_LEFT_STICK = 7,  // the left stick pressed in
    PAD_RIGHT_STICK = 8,
    PAD_LEFT_SHOULDER = 9,
    PAD_RIGHT_SHOULDER = 10,
    PAD_UP = 11,  // the direction pad
    PAD_DOWN = 12,
    PAD_LEFT = 13,
    PAD_RIGHT = 14,
    PAD_MISC = 15,  // share, capture or microphone button
    PAD_PADDLE1 = 16,
    PAD_PADDLE2 = 17,
    PAD_PADDLE3 = 18,
    PAD_PADDLE4 = 19,
    PAD_TOUCHPAD = 20,
    PAD_BUTTONS = 21
};

// Axis numbers. Sticks run from -32768 (left, up) to 32767 (right, down),
// 0 at rest; triggers from 0 (released) to 32767 (pulled fully).
enum PlatformPadAxis {
    PAD_LEFT_X = 0,
    PAD_LEFT_Y = 1,
    PAD_RIGHT_X = 2,
    PAD_RIGHT_Y = 3,
    PAD_LEFT_TRIGGER = 4,
    PAD_RIGHT_TRIGGER = 5,
    PAD_AXES = 6
};

// Slots 0 to PLATFORM_PADS - 1.
constexpr int PLATFORM_PADS = 8;
// Names longer than this (Latin-1 bytes, terminator included) are cut.
constexpr int PLATFORM_PAD_NAME_CAPACITY = 128;

// What a slot saw since the previous PlatformPadTake of that slot.
struct PlatformPadState {
    bool connected;  // a pad is in the slot now
    bool joined;  // a pad came into the slot since the last take
    bool left;  // a pad left the slot since the last take
    uint32_t held;  // buttons down now (bit per PlatformPadButton)
    uint32_t pressed;  // buttons that went down since the last take
    uint32_t released;  // buttons that went up since the last take (those held when a pad leaves too)
    int16_t axes[PAD_AXES];  // now; all 0 without a pad
};

// Starts SDL's game controller support and opens the pads already plugged in,
// so that the first take sees them. Later calls only answer. False when SDL
// cannot start it (reported as "platform: no game controllers: ...").
OV_PLATFORM_API bool PlatformPadsStart();
// True once PlatformPadsStart has succeeded.
OV_PLATFORM_API bool PlatformPadsStarted();

// Copies the slot's state and clears its since-last-take parts. False (and a
// zeroed state) for a slot number outside 0 to PLATFORM_PADS - 1 or before
// PlatformPadsStart.
OV_PLATFORM_API bool PlatformPadTake(int slot, PlatformPadState* state);

// The pad's name as its driver gives it, in Latin-1 (characters beyond it
// dropped); "" for an empty slot.
OV_PLATFORM_API const char* PlatformPadName(int slot);

// True when the pad in the slot has rumble motors.
OV_PLATFORM_API bool PlatformPadCanRumble(int slot);
// Runs the low- and high-frequency motors at the given strengths (0 to
// 65535, 0 stops) for `milliseconds`; a later call replaces it. False for an
// empty slot or a pad without rumble (reported as
// "platform: cannot rumble: <pad name>: <cause>").
OV_PLATFORM_API bool PlatformPadRumble(int slot, uint16_t low, uint16_t high, uint32_t milliseconds);
