#pragma once

#include "ovcore/platform/Gamepad.h"

#include <cstdint>

namespace OvCore {

// One game controller's part of the input store (OV_INPUT::pads), brought up
// to date at the start of every frame; the per-frame flags hold for that
// frame only, as the keys' do. Button numbers are PAD_A ... PAD_TOUCHPAD,
// axis numbers PAD_LEFT_X ... PAD_RIGHT_TRIGGER (ovcore/platform/Gamepad.h).
struct OV_GAMEPAD {
    static constexpr int kButtons = PAD_BUTTONS;  // buttons a pad has, numbered from 0
    static constexpr int kAxes = PAD_AXES;  // axes a pad has, numbered from 0

    uint8_t connected = 0;  // 1 while a pad is in this slot
    uint8_t joined = 0;  // 1 if a pad came into the slot this frame
    uint8_t left = 0;  // 1 if a pad left the slot this frame
    uint8_t held[kButtons] = {};  // 1 while the button is down
    uint8_t pressed[kButtons] = {};  // 1 if the button went down this frame
    uint8_t released[kButtons] = {};  // 1 if the button went up this frame
    int16_t axes[kAxes] = {};  // raw: sticks -32768..32767, triggers 0..32767
    char name[PLATFORM_PAD_NAME_CAPACITY] = {};  // Latin-1; "" while empty

    // Adds what the slot saw since the last frame.
    void Take(const PlatformPadState& state, const char* padName);
    // Clears the per-frame flags (the input store's end-of-frame reset).
    void EndFrame();
};

// Pads are numbered 0 to kGamepads - 1, in the order they were plugged in
// (a pad keeps its number until it is unplugged; the lowest free number goes
// to the next). Reading begins on the first call of any function below; the
// pads plugged in then are seen at once.
constexpr int kGamepads = PLATFORM_PADS;

// Starts reading pads now; false when the system offers no game controller
// support (every query then answers as for an empty slot).
bool StartGamepads();
// Brings the input store's pads up to date; the message loop calls it before
// every frame once reading has begun. False before that.
bool RefreshGamepads();

// False for a pad number outside 0 to kGamepads - 1 and for an empty slot.
bool GamepadConnected(int pad);
bool GamepadJoined(int pad);
bool GamepadLeft(int pad);
// Buttons 0 to PAD_BUTTONS - 1; other numbers give false.
bool GamepadHeld(int pad, int button);
bool GamepadPressed(int pad, int button);
bool GamepadReleased(int pad, int button);
// The axis past the dead zone: sticks -1 (left, up) to 1 (right, down),
// triggers 0 to 1; 0 inside the dead zone, then growing linearly from 0 at
// its edge to 1 at the axis' end. 0 for an empty slot or an axis number
// outside 0 to PAD_AXES - 1.
float GamepadAxis(int pad, int axis);
// The pad's name (Latin-1); "" for an empty slot or a bad number.
const char* GamepadName(int pad);
// True when the pad has rumble motors.
bool GamepadCanRumble(int pad);
// Runs the low- and high-frequency motors at strengths 0 to 1 (clamped; 0
// stops them) for `milliseconds`. False for an empty slot or a pad without
// rumble.
bool GamepadRumble(int pad, float low, float high, uint32_t milliseconds);
// The dead zone of every axis, as a share of the axis' half-range: 0 to 0.95,
// 0.25 at the start. Other values (NaN included) are refused: false, the zone
// unchanged.
bool SetGamepadDeadZone(float zone);
float GamepadDeadZone();

}  // namespace OvCore
