#include "ovcore/app/Input.h"

#include "ovcore/app/Window.h"

#include <cstdlib>
#include <cstring>

namespace OvCore {

namespace {

constexpr int kWheelNotch = WHEEL_DELTA;
constexpr int kWheelUpButton = 4;
constexpr int kWheelDownButton = 5;

bool IsKey(int key) { return key >= 0 && key < OV_INPUT::kKeys; }

bool AnyKey(const uint8_t* flags) {
    for (int key = 1; key < OV_INPUT::kKeys; ++key)
        if (flags[key]) return true;
    return false;
}

bool KeyFlag(const uint8_t* flags, int key) {
    if (!IsKey(key)) return false;
    return key == 0 ? AnyKey(flags) : flags[key] != 0;
}

void StoreKey(uint8_t* flags, int key, uint8_t value) {
    if (IsKey(key)) flags[key] = value;
}

// Button number 1 left, 2 right, 3 middle to its slot; -1 for any other.
int SlotOf(int button) {
    switch (button) {
    case MOUSE_LEFT: return MOUSE_SLOT_LEFT;
    case MOUSE_RIGHT: return MOUSE_SLOT_RIGHT;
    case MOUSE_MIDDLE: return MOUSE_SLOT_MIDDLE;
    default: return -1;
    }
}

bool AnyButton(const uint8_t* flags) {
    for (int slot = 0; slot < MOUSE_SLOTS; ++slot)
        if (flags[slot]) return true;
    return false;
}

bool ButtonFlag(const uint8_t* flags, int button) {
    if (button == 0) return AnyButton(flags);
    const int slot = SlotOf(button);
    return slot >= 0 && flags[slot] != 0;
}

void StoreButton(uint8_t* flags, int button, uint8_t value) {
    const int slot = SlotOf(button);
    if (slot >= 0) flags[slot] = value;
}

}  // namespace

void OV_INPUT::KeyDown(WPARAM key) {
    if (key >= static_cast<WPARAM>(kKeys)) return;
    if (ignoreRepeat && keyHeld[key]) return;
    keyHeld[key] = 1;
    keyPressed[key] = 1;
    lastKey = static_cast<uint8_t>(key);
}

void OV_INPUT::KeyUp(WPARAM key) {
    if (key >= static_cast<WPARAM>(kKeys)) return;
    keyHeld[key] = 0;
    keyReleased[key] = 1;
}

void OV_INPUT::ButtonDown(OV_MOUSE_SLOT slot) {
    mouseHeld[slot] = 1;
    mousePressed[slot] = 1;
}

void OV_INPUT::ButtonUp(OV_MOUSE_SLOT slot) {
    mouseHeld[slot] = 0;
    mouseReleased[slot] = 1;
}

void OV_INPUT::Wheel(int delta) {
    wheelRemainder += delta;
    if (std::abs(wheelRemainder) < kWheelNotch) return;
    wheelSteps = wheelRemainder / kWheelNotch;
    if (wheelRemainder > 0) wheelUp = true;
    if (wheelRemainder < 0) wheelDown = true;
    wheelRemainder %= kWheelNotch;
}

void OV_INPUT::EndFrame() {
    for (int key = 0; key < kKeys; ++key) {
        if (!keyReleaseRequest[key]) continue;
        keyReleaseRequest[key] = 0;
        keyHeld[key] = 0;
    }
    std::memset(keyPressed, 0, sizeof keyPressed);
    std::memset(keyReleased, 0, sizeof keyReleased);
    // A button's release request is withdrawn once served, as a key's is.
    for (int slot = 0; slot < MOUSE_SLOTS; ++slot) {
        if (!mouseReleaseRequest[slot]) continue;
        mouseReleaseRequest[slot] = 0;
        mouseHeld[slot] = 0;
    }
    std::memset(mousePressed, 0, sizeof mousePressed);
    std::memset(mouseReleased, 0, sizeof mouseReleased);
    wheelUp = false;
    wheelDown = false;
    for (OV_GAMEPAD& pad : pads) pad.EndFrame();
}

OV_INPUT& InputStore() {
    static OV_INPUT input;
    return input;
}

bool KeyHeld(int key) { return KeyFlag(InputStore().keyHeld, key); }
bool KeyPressed(int key) { return KeyFlag(InputStore().keyPressed, key); }
bool KeyReleased(int key) { return KeyFlag(InputStore().keyReleased, key); }
void SetKeyHeld(int key, uint8_t value) { StoreKey(InputStore().keyHeld, key, value); }
void SetKeyPressed(int key, uint8_t value) { StoreKey(InputStore().keyPressed, key, value); }
void SetKeyReleased(int key, uint8_t value) { StoreKey(InputStore().keyReleased, key, value); }

bool ReleaseKeyAtFrameEnd(int key) {
    if (!IsKey(key)) return false;
    InputStore().keyReleaseRequest[key] = 1;
    return true;
}

bool MouseHeld(int button) {
    const OV_INPUT& input = InputStore();
    switch (button) {
    case 0: return AnyButton(input.mouseHeld) || input.wheelUp || input.wheelDown;
    case kWheelUpButton: return input.wheelUp;
    case kWheelDownButton: return input.wheelDown;
    default: return ButtonFlag(input.mouseHeld, button);
    }
}

bool MousePressed(int button) { return ButtonFlag(InputStore().mousePressed, button); }
bool MouseReleased(int button) { return ButtonFlag(InputStore().mouseReleased, button); }

void SetMouseHeld(int button, uint8_t value) {
    OV_INPUT& input = InputStore();
    if (button == kWheelUpButton)
        input.wheelUp = value != 0;
    else if (button == kWheelDownButton)
        input.wheelDown = value != 0;
    else
        StoreButton(input.mouseHeld, button, value);
}

void SetMousePressed(int button, uint8_t value) { StoreButton(InputStore().mousePressed, button, value); }
void SetMouseReleased(int button, uint8_t value) { StoreButton(InputStore().mouseReleased, button, value); }

bool ReleaseButtonAtFrameEnd(int button) {
    const int slot = SlotOf(button);
    if (slot < 0) return false;
    InputStore().mouseReleaseRequest[slot] = 1;
    return true;
}

void ResetInput(bool clearHeld) {
    OV_INPUT& input = InputStore();
    if (clearHeld) {
        std::memset(input.keyHeld, 0, sizeof input.keyHeld);
        std::memset(input.mouseHeld, 0, sizeof input.mouseHeld);
    }
    input.EndFrame();
}

bool RefreshCursor() { return GetCursorPos(&InputStore().cursor) != FALSE; }

OV_VECTOR CursorPosition() {
    if (!RefreshCursor()) return OV_VECTOR(0.0, 0.0);
    const POINT& cursor = InputStore().cursor;
    return OV_VECTOR(cursor.x, cursor.y);
}

bool SetCursorPosition(int x, int y) {
    InputStore().cursor = POINT{x, y};
    return SetCursorPos(x, y) != FALSE;
}

int CursorX() { return InputStore().cursor.x; }
int CursorY() { return InputStore().cursor.y; }
int CursorXIn(const OV_WINDOW& window) { return CursorX() - window.x; }
int CursorYIn(const OV_WINDOW& window) { return CursorY() - window.y; }

bool MouseInRect(int left, int top, int right, int bottom) {
    const int x = CursorX();
    const int y = CursorY();
    return left <= x && x <= right && top <= y && y <= bottom;
}

bool MouseInRectIn(const OV_WINDOW& window, int left, int top, int right, int bottom) {
    const int x = CursorXIn(window);
    const int y = CursorYIn(window);
    return left <= x && x <= right && top <= y && y <= bottom;
}

bool PopTypedChar(char& out) { return InputStore().typedChars.Pop(out); }

bool GetTypedText(OV_STRING& out, bool keep) {
    OV_TYPED_CHAR_QUEUE& queue = InputStore().typedChars;
    if (queue.Empty()) return false;
    out.Assign(queue.Data(), queue.Count());
    if (!keep) queue.Clear();
    return true;
}

size_t TypedCharCount() { return InputStore().typedChars.Count(); }
void ClearTypedChars() { InputStore().typedChars.Clear(); }

}  // namespace OvCore
