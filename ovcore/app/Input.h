// OV_INPUT: the keyboard, mouse and typed-text input, and the queries on it.
#pragma once

#include "ovcore/app/Gamepad.h"
#include "ovcore/app/TypedCharQueue.h"
#include "ovcore/foundation/String.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/platform/Windows.h"

#include <cstddef>
#include <cstdint>

namespace OvCore {

class OV_WINDOW;

// Mouse buttons as the queries (MouseHeld, MousePressed, MouseReleased and
// their setters) number them. MOUSE_ANY asks whether any of the three buttons
// has the flag; the wheel flags answer only MouseHeld and SetMouseHeld.
enum OV_MOUSE_BUTTON : int {
    MOUSE_ANY = 0,
    MOUSE_LEFT = 1,
    MOUSE_RIGHT = 2,
    MOUSE_MIDDLE = 3,
    MOUSE_WHEEL_UP = 4,
    MOUSE_WHEEL_DOWN = 5,
};

// Where each button's flags sit in the store's mouse arrays (an order of the
// store's own, not the buttons' numbers).
enum OV_MOUSE_SLOT { MOUSE_SLOT_LEFT = 0, MOUSE_SLOT_MIDDLE = 1, MOUSE_SLOT_RIGHT = 2, MOUSE_SLOTS = 3 };

// The process-wide input store: what the window procedure saw, as held flags
// and flags for the current frame only.
struct OV_INPUT {
    static constexpr int kKeys = 256;  // virtual-key codes are below this

    // Per key: held down, went down this frame, went up this frame, let go at frame end (1 or 0):
    uint8_t keyHeld[kKeys] = {};
    uint8_t keyPressed[kKeys] = {};
    uint8_t keyReleased[kKeys] = {};
    uint8_t keyReleaseRequest[kKeys] = {};
    // Per mouse slot (OV_MOUSE_SLOT), the same four flags:
    uint8_t mouseHeld[MOUSE_SLOTS] = {};
    uint8_t mousePressed[MOUSE_SLOTS] = {};
    uint8_t mouseReleased[MOUSE_SLOTS] = {};
    uint8_t mouseReleaseRequest[MOUSE_SLOTS] = {};
    int32_t wheelRemainder = 0;  // wheel delta short of a notch (WHEEL_DELTA), kept for the next message
    // The wheel moved up / down this frame:
    bool wheelUp = false;
    bool wheelDown = false;
    int32_t wheelSteps = 0;  // notches of the last wheel message that reached one, signed
    POINT cursor{};  // the cursor in screen pixels, as of the last RefreshCursor
    OV_TYPED_CHAR_QUEUE typedChars;  // characters typed since the last flush
    uint8_t lastKey = 0;  // the last key that went down
    bool ignoreRepeat = false;  // when true, auto-repeated key-downs of a held key are dropped
    OV_GAMEPAD pads[kGamepads];  // game controllers (Gamepad.h)
    float padDeadZone = 0.25f;  // share of an axis' half-range read as 0

    // Recording, called by the window procedure. Codes of 256 or more are
    // not virtual keys and are ignored. Char queues the low byte of code:
    void KeyDown(WPARAM key);
    void KeyUp(WPARAM key);
    void ButtonDown(OV_MOUSE_SLOT slot);
    void ButtonUp(OV_MOUSE_SLOT slot);
    void Wheel(int delta);
    void Char(WPARAM code) { typedChars.Push(static_cast<char>(code & 0xFF)); }

    // Forces requested keys and buttons up and clears the per-frame flags
    // (the pads' too).
    void EndFrame();
};

// The input store, made on first use.
OV_INPUT& InputStore();

// Keys are virtual-key codes 1 to 255 (VK_A for the A key, VK_0 for the 0
// key above the letters, VK_ESCAPE, VK_LEFT, ..., in ovcore/platform/Windows.h);
// key 0 asks whether any key has the flag. Other numbers give false and are
// not stored. Letters are their capitals: 'A' is the A key, while 'a' (97) is
// VK_NUMPAD1. Held, pressed this frame, released this frame; the setters
// store a flag; ReleaseKeyAtFrameEnd lets the key go at the end of the frame
// (false for a number that is not a key):
bool KeyHeld(int key);
bool KeyPressed(int key);
bool KeyReleased(int key);
void SetKeyHeld(int key, uint8_t value);
void SetKeyPressed(int key, uint8_t value);
void SetKeyReleased(int key, uint8_t value);
bool ReleaseKeyAtFrameEnd(int key);

// Buttons (OV_MOUSE_BUTTON): 0 any, 1 left, 2 right, 3 middle; the held query
// and setter also take 4 wheel up and 5 wheel down. Other numbers give false
// and are not stored. The queries, setters and frame-end release as for keys:
bool MouseHeld(int button);
bool MousePressed(int button);
bool MouseReleased(int button);
void SetMouseHeld(int button, uint8_t value);
void SetMousePressed(int button, uint8_t value);
void SetMouseReleased(int button, uint8_t value);
bool ReleaseButtonAtFrameEnd(int button);

// The end-of-frame reset; with clearHeld every key and button is let go first.
void ResetInput(bool clearHeld);

// Reads the cursor into the store; the message loop does this every frame.
// False when the position cannot be read.
bool RefreshCursor();
// The cursor: as a vector (read afresh; (0, 0) when it cannot be read), moved
// to screen x, y (false when it cannot be), the stored screen x and y, the
// same relative to a window's record, and whether it lies in a rectangle
// (borders included) of the screen or of the window:
OV_VECTOR CursorPosition();
bool SetCursorPosition(int x, int y);
int CursorX();
int CursorY();
int CursorXIn(const OV_WINDOW& window);
int CursorYIn(const OV_WINDOW& window);
bool MouseInRect(int left, int top, int right, int bottom);
bool MouseInRectIn(const OV_WINDOW& window, int left, int top, int right, int bottom);

// Typed characters, oldest first: take one (false when none), the text of all
// (false when none; with keep they stay queued), how many, and drop them all:
bool PopTypedChar(char& out);
bool GetTypedText(OV_STRING& out, bool keep);
size_t TypedCharCount();
void ClearTypedChars();

}  // namespace OvCore
