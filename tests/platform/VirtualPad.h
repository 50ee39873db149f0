// A game controller made by SDL itself (a virtual joystick laid out as a
// controller): plugged in on construction, unplugged on destruction; its
// buttons and axes change at the next event pump, as a real pad's would.
#pragma once

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

class VirtualPad {
public:
    explicit VirtualPad(const char* name, bool rumble = false) {
        SDL_VirtualJoystickDesc pad{};
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        pad.naxes = SDL_CONTROLLER_AXIS_MAX;
        pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        pad.name = name;
        pad.userdata = this;
        if (rumble) pad.Rumble = Rumble;
        const int index = SDL_JoystickAttachVirtualEx(&pad);
        joystick_ = index < 0 ? nullptr : SDL_JoystickOpen(index);
        EXPECT_NE(joystick_, nullptr) << SDL_GetError();
    }
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void Button(int button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0); }
    void Axis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick_, axis, value); }
    void Unplug() {
        if (!joystick_) return;
        const SDL_JoystickID instance = SDL_JoystickInstanceID(joystick_);
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == instance) SDL_JoystickDetachVirtual(index);
    }

    Uint16 low = 0, high = 0;  // the last motor strengths asked for

private:
    static int SDLCALL Rumble(void* self, Uint16 low, Uint16 high) {
        auto* pad = static_cast<VirtualPad*>(self);
        pad->low = low;
        pad->high = high;
        return 0;
    }

    SDL_Joystick* joystick_ = nullptr;
};
