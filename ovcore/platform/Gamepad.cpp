// Game controllers in fixed slots, fed by SDL's controller events.
#include "ovcore/platform/Gamepad.h"

#include "ovcore/platform/Diagnostics.h"
#include "ovcore/platform/EventPump.h"
#include "ovcore/platform/Utf8Latin1.h"

#include <SDL2/SDL.h>

#include <cstring>

namespace {

struct Slot {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID instance = -1;
    PlatformPadState state{};
    char name[PLATFORM_PAD_NAME_CAPACITY] = {};
};

struct Pads {
    bool started = false;
    Slot slots[PLATFORM_PADS];
};

Pads& ThePads() {
    static Pads pads;
    return pads;
}

Slot* SlotOf(SDL_JoystickID instance) {
    for (Slot& slot : ThePads().slots)
        if (slot.controller && slot.instance == instance) return &slot;
    return nullptr;
}

Slot* FreeSlot() {
    for (Slot& slot : ThePads().slots)
        if (!slot.controller) return &slot;
    return nullptr;
}

Slot* Occupied(int number) {
    if (number < 0 || number >= PLATFORM_PADS) return nullptr;
    Slot& slot = ThePads().slots[number];
    return slot.controller ? &slot : nullptr;
}

// Opens the controller at a device index into a free slot, unless it is open
// already or every slot is taken.
void Open(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    if (SlotOf(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return;
    Slot* slot = FreeSlot();
    if (!slot) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) {
        PlatformReportFailure("platform: cannot open game controller: %d: %s", deviceIndex, SDL_GetError());
        return;
    }
    slot->controller = controller;
    slot->instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    const char* name = SDL_GameControllerName(controller);
    const size_t length = Utf8ToLatin1(name ? name : "", name ? std::strlen(name) : 0,
                                       reinterpret_cast<unsigned char*>(slot->name), sizeof slot->name - 1);
    slot->name[length] = '\0';
    PlatformPadState& state = slot->state;
    state.connected = true;
    state.joined = true;
    state.held = 0;
    // The state it is in now: buttons already down count as pressed.
    for (int button = 0; button < PAD_BUTTONS; ++button) {
        if (SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(button)))
            state.held |= 1u << button;
    }
    state.pressed |= state.held;
    for (int axis = 0; axis < PAD_AXES; ++axis)
        state.axes[axis] = SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(axis));
}

void Close(Slot& slot) {
    SDL_GameControllerClose(slot.controller);
    slot.controller = nullptr;
    slot.instance = -1;
    slot.name[0] = '\0';
    PlatformPadState& state = slot.state;
    state.released |= state.held;
    state.held = 0;
    state.connected = false;
    state.left = true;
    std::memset(state.axes, 0, sizeof state.axes);
}

// Pads that waited for a free slot.
void OpenWaiting() {
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count && FreeSlot(); ++index) Open(index);
}

void Button(const SDL_ControllerButtonEvent& event) {
    Slot* slot = SlotOf(event.which);
    if (!slot || event.button >= PAD_BUTTONS) return;
    const uint32_t bit = 1u << event.button;
    PlatformPadState& state = slot->state;
    if (event.state == SDL_PRESSED) {
        if (state.held & bit) return;
        state.held |= bit;
        state.pressed |= bit;
    } else {
        if (!(state.held & bit)) return;
        state.held &= ~bit;
        state.released |= bit;
    }
}

void Axis(const SDL_ControllerAxisEvent& event) {
    Slot* slot = SlotOf(event.which);
    if (slot && event.axis < PAD_AXES) slot->state.axes[event.axis] = event.value;
}

void Removed(SDL_JoystickID instance) {
    Slot* slot = SlotOf(instance);
    if (!slot) return;
    Close(*slot);
    OpenWaiting();
}

}  // namespace

bool PlatformPadsStart() {
    Pads& pads = ThePads();
    if (pads.started) return true;
    // Like keys and the mouse of a single-window game, pads are read while the
    // program is in the background too; the environment may say otherwise.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        PlatformReportFailure("platform: no game controllers: SDL: %s", SDL_GetError());
        return false;
    }
    pads.started = true;
    OpenWaiting();
    return true;
}

bool PlatformPadsStarted() { return ThePads().started; }

bool PlatformPadTake(int number, PlatformPadState* state) {
    if (!state) return false;
    *state = PlatformPadState{};
    if (number < 0 || number >= PLATFORM_PADS || !ThePads().started) return false;
    PlatformPadState& kept = ThePads().slots[number].state;
    *state = kept;
    kept.joined = false;
    kept.left = false;
    kept.pressed = 0;
    kept.released = 0;
    return true;
}

const char* PlatformPadName(int number) {
    const Slot* slot = Occupied(number);
    return slot ? slot->name : "";
}

bool PlatformPadCanRumble(int number) {
    const Slot* slot = Occupied(number);
    return slot && SDL_GameControllerHasRumble(slot->controller);
}

bool PlatformPadRumble(int number, uint16_t low, uint16_t high, uint32_t milliseconds) {
    const Slot* slot = Occupied(number);
    if (!slot) {
        PlatformReportFailure("platform: cannot rumble: pad %d: no pad in that slot", number);
        return false;
    }
    if (SDL_GameControllerRumble(slot->controller, low, high, milliseconds) != 0) {
        PlatformReportFailure("platform: cannot rumble: %s: %s", slot->name, SDL_GetError());
        return false;
    }
    return true;
}

void PlatformPadEvent(const SDL_Event& event) {
    if (!ThePads().started) return;
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: Removed(event.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: Button(event.cbutton); break;
    case SDL_CONTROLLERAXISMOTION: Axis(event.caxis); break;
    default: break;
    }
}
