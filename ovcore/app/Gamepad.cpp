#include "ovcore/app/Gamepad.h"

#include "ovcore/app/Input.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace OvCore {

namespace {

constexpr float kMaxDeadZone = 0.95f;
constexpr float kAxisHalfRange = 32767.0f;
constexpr float kMotorFull = 65535.0f;

enum class Reading { NotStarted, Running, Unavailable };
Reading g_reading = Reading::NotStarted;

// Starts reading on first use; false when pads cannot be read.
bool Readable() { return g_reading == Reading::Running || StartGamepads(); }

const OV_GAMEPAD* Pad(int pad) {
    if (pad < 0 || pad >= kGamepads || !Readable()) return nullptr;
    return &InputStore().pads[pad];
}

template <size_t N>
bool Flag(int pad, int button, uint8_t const (OV_GAMEPAD::*flags)[N]) {
    const OV_GAMEPAD* found = Pad(pad);
    if (!found || button < 0 || button >= static_cast<int>(N)) return false;
    return (found->*flags)[button] != 0;
}

void FromBits(uint32_t bits, uint8_t* flags) {
    for (int button = 0; button < OV_GAMEPAD::kButtons; ++button)
        if (bits & (1u << button)) flags[button] = 1;
}

uint16_t MotorStrength(float share) {
    if (!(share > 0.0f)) return 0;  // NaN too
    return static_cast<uint16_t>(std::lround(std::min(share, 1.0f) * kMotorFull));
}

}  // namespace

void OV_GAMEPAD::Take(const PlatformPadState& state, const char* padName) {
    connected = state.connected ? 1 : 0;
    joined |= state.joined ? 1 : 0;
    left |= state.left ? 1 : 0;
    for (int button = 0; button < kButtons; ++button) held[button] = (state.held >> button) & 1u;
    FromBits(state.pressed, pressed);
    FromBits(state.released, released);
    std::memcpy(axes, state.axes, sizeof axes);
    std::snprintf(name, sizeof name, "%s", connected ? padName : "");
}

void OV_GAMEPAD::EndFrame() {
    joined = 0;
    left = 0;
    std::memset(pressed, 0, sizeof pressed);
    std::memset(released, 0, sizeof released);
}

bool StartGamepads() {
    if (g_reading == Reading::Running) return true;
    if (g_reading == Reading::Unavailable) return false;
    g_reading = PlatformPadsStart() ? Reading::Running : Reading::Unavailable;
    return RefreshGamepads();
}

bool RefreshGamepads() {
    if (g_reading != Reading::Running) return false;
    OV_INPUT& input = InputStore();
    PlatformPadState state;
    for (int pad = 0; pad < kGamepads; ++pad) {
        PlatformPadTake(pad, &state);
        input.pads[pad].Take(state, PlatformPadName(pad));
    }
    return true;
}

bool GamepadConnected(int pad) {
    const OV_GAMEPAD* found = Pad(pad);
    return found && found->connected;
}

bool GamepadJoined(int pad) {
    const OV_GAMEPAD* found = Pad(pad);
    return found && found->joined;
}

bool GamepadLeft(int pad) {
    const OV_GAMEPAD* found = Pad(pad);
    return found && found->left;
}

bool GamepadHeld(int pad, int button) { return Flag(pad, button, &OV_GAMEPAD::held); }
bool GamepadPressed(int pad, int button) { return Flag(pad, button, &OV_GAMEPAD::pressed); }
bool GamepadReleased(int pad, int button) { return Flag(pad, button, &OV_GAMEPAD::released); }

float GamepadAxis(int pad, int axis) {
    const OV_GAMEPAD* found = Pad(pad);
    if (!found || axis < 0 || axis >= OV_GAMEPAD::kAxes) return 0.0f;
    const float value = std::clamp(found->axes[axis] / kAxisHalfRange, -1.0f, 1.0f);
    const float zone = InputStore().padDeadZone;
    const float beyond = std::fabs(value) - zone;
    if (beyond <= 0.0f) return 0.0f;
    return std::copysign(beyond / (1.0f - zone), value);
}

const char* GamepadName(int pad) {
    const OV_GAMEPAD* found = Pad(pad);
    return found ? found->name : "";
}

bool GamepadCanRumble(int pad) { return Pad(pad) && PlatformPadCanRumble(pad); }

bool GamepadRumble(int pad, float low, float high, uint32_t milliseconds) {
    return Pad(pad) && PlatformPadRumble(pad, MotorStrength(low), MotorStrength(high), milliseconds);
}

bool SetGamepadDeadZone(float zone) {
    if (!(zone >= 0.0f && zone <= kMaxDeadZone)) return false;
    InputStore().padDeadZone = zone;
    return true;
}

float GamepadDeadZone() { return InputStore().padDeadZone; }

}  // namespace OvCore
