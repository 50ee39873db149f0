// Translation of SDL input and window events to Windows messages.
#include "ovcore/platform/EventPump.h"

#include "ovcore/platform/Gamepad.h"
#include "ovcore/platform/KeyMap.h"
#include "ovcore/platform/MessageQueue.h"
#include "ovcore/platform/SdlBridge.h"
#include "ovcore/platform/Utf8Latin1.h"
#include "ovcore/platform/WindowRecord.h"

#include <SDL2/SDL.h>

namespace {

constexpr LPARAM kRepeatBit = LPARAM{1} << 30;
constexpr LPARAM kReleaseBits = (LPARAM{1} << 30) | (LPARAM{1} << 31);

HWND KeyTarget(Uint32 windowId) {
    HWND hwnd = WindowRegistryFindSdl(windowId);
    return hwnd ? hwnd : WindowRegistryKeyboardTarget();
}

WPARAM MouseKeyState() {
    Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
    SDL_Keymod modifiers = SDL_GetModState();
    WPARAM state = 0;
    if (buttons & SDL_BUTTON_LMASK) state |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK) state |= MK_RBUTTON;
    if (buttons & SDL_BUTTON_MMASK) state |= MK_MBUTTON;
    if (modifiers & KMOD_SHIFT) state |= MK_SHIFT;
    if (modifiers & KMOD_CTRL) state |= MK_CONTROL;
    return state;
}

void TranslateKey(const SDL_KeyboardEvent& key) {
    BYTE virtualKey = VirtualKeyOf(key.keysym);
    HWND hwnd = KeyTarget(key.windowID);
    if (!virtualKey || !hwnd) return;
    LPARAM lParam = 1;
    if (key.type == SDL_KEYUP) {
        lParam |= kReleaseBits;
    } else if (key.repeat) {
        lParam |= kRepeatBit;
    }
    MessageQueuePost(hwnd, key.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, virtualKey, lParam);
}

void TranslateText(const SDL_TextInputEvent& text) {
    HWND hwnd = KeyTarget(text.windowID);
    if (!hwnd) return;
    unsigned char characters[sizeof(text.text)];
    size_t count = Utf8ToLatin1(text.text, sizeof(text.text), characters, sizeof(characters));
    for (size_t i = 0; i < count; ++i) MessageQueuePost(hwnd, WM_CHAR, characters[i], 1);
}

UINT ButtonMessage(Uint8 button, bool down) {
    switch (button) {
    case SDL_BUTTON_LEFT: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case SDL_BUTTON_RIGHT: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case SDL_BUTTON_MIDDLE: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return 0;
    }
}

void TranslateButton(const SDL_MouseButtonEvent& button) {
    HWND hwnd = WindowRegistryFindSdl(button.windowID);
    UINT message = ButtonMessage(button.button, button.type == SDL_MOUSEBUTTONDOWN);
    if (!hwnd || !message) return;
    MessageQueuePost(hwnd, message, MouseKeyState(), MAKELPARAM(button.x, button.y));
}

void TranslateMotion(const SDL_MouseMotionEvent& motion) {
    HWND hwnd = WindowRegistryFindSdl(motion.windowID);
    if (!hwnd) return;
    MessageQueuePost(hwnd, WM_MOUSEMOVE, MouseKeyState(), MAKELPARAM(motion.x, motion.y));
}

// Whole notches; SDL's y > 0 turns away from the user, as a positive
// Windows delta does.
void TranslateWheel(const SDL_MouseWheelEvent& wheel) {
    HWND hwnd = WindowRegistryFindSdl(wheel.windowID);
    if (!hwnd || wheel.y == 0) return;
    int notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
    int delta = notches * WHEEL_DELTA;
    if (delta > 32767) delta = 32767;
    if (delta < -32768) delta = -32768;
    // The window's place as the server has it (a window manager may have
    // moved it since SDL last heard).
    RECT place{0, 0, 0, 0};
    GetWindowRect(hwnd, &place);
    WPARAM wParam = MAKEWPARAM(MouseKeyState(), static_cast<short>(delta));
    MessageQueuePost(hwnd, WM_MOUSEWHEEL, wParam, MAKELPARAM(place.left + wheel.mouseX, place.top + wheel.mouseY));
}

void TranslateWindowEvent(const SDL_WindowEvent& window) {
    if (window.event != SDL_WINDOWEVENT_CLOSE) return;
    if (HWND hwnd = WindowRegistryFindSdl(window.windowID)) MessageQueuePost(hwnd, WM_CLOSE, 0, 0);
}

}  // namespace

void TranslateSdlEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(event.key); break;
    case SDL_TEXTINPUT: TranslateText(event.text); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateButton(event.button); break;
    case SDL_MOUSEMOTION: TranslateMotion(event.motion); break;
    case SDL_MOUSEWHEEL: TranslateWheel(event.wheel); break;
    case SDL_WINDOWEVENT: TranslateWindowEvent(event.window); break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION: PlatformPadEvent(event); break;
    default: break;
    }
}

void PumpSdlEvents() {
    if (!PlatformEnsureVideo()) return;
    SDL_PumpEvents();
    SDL_Event batch[32];
    int count = 0;
    while ((count = SDL_PeepEvents(batch, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
        for (int i = 0; i < count; ++i) TranslateSdlEvent(batch[i]);
    }
}
