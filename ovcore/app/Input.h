#pragma once

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
    static constexpr int kKeys = 256;

    uint8_t keyHeld[kKeys] = {};
    uint8_t keyPressed[kKeys] = {};
    uint8_t keyReleased[kKeys] = {};
    uint8_t keyReleaseRequest[kKeys] = {};
    uint8_t mouseHeld[MOUSE_SLOTS] = {};
    uint8_t mousePressed[MOUSE_SLOTS] = {};
    uint8_t mouseReleased[MOUSE_SLOTS] = {};
    uint8_t mouseReleaseRequest[MOUSE_SLOTS] = {};
    int32_t wheelRemainder = 0;
    bool wheelUp = false;
    bool wheelDown = false;
    int32_t wheelSteps = 0;
    POINT cursor{};
    OV_TYPED_CHAR_QUEUE typedChars;
    uint8_t lastKey = 0;
    bool ignoreRepeat = false;

    // Recording, called by the window procedure. Codes of 256 or more are
    // not virtual keys and are ignored.
    void KeyDown(WPARAM key);
    void KeyUp(WPARAM key);
    void ButtonDown(OV_MOUSE_SLOT slot);
    void ButtonUp(OV_MOUSE_SLOT slot);
    void Wheel(int delta);
    void Char(WPARAM code) { typedChars.Push(static_cast<char>(code & 0xFF)); }

    // Forces requested keys and buttons up and clears the per-frame flags.
    void EndFrame();
};

// The input store, made on first use.
OV_INPUT& InputStore();

// Keys are virtual-key codes 1 to 255 (VK_A for the A key, VK_0 for the 0
// key above the letters, VK_ESCAPE, VK_LEFT, ..., in ovcore/platform/Windows.h);
// key 0 asks whether any key has the flag. Other numbers give false and are
// not stored. Letters are their capitals: 'A' is the A key, while 'a' (97) is
// VK_NUMPAD1.
bool KeyHeld(int key);
bool KeyPressed(int key);
bool KeyReleased(int key);
void SetKeyHeld(int key, uint8_t value);
void SetKeyPressed(int key, uint8_t value);
void SetKeyReleased(int key, uint8_t value);
bool ReleaseKeyAtFrameEnd(int key);

// Buttons (OV_MOUSE_BUTTON): 0 any, 1 left, 2 right, 3 middle; the held query
// and setter also take 4 wheel up and 5 wheel down. Other numbers give false
// and are not stored.
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
bool RefreshCursor();
OV_VECTOR CursorPosition();
bool SetCursorPosition(int x, int y);
int CursorX();
int CursorY();
int CursorXIn(const OV_WINDOW& window);
int CursorYIn(const OV_WINDOW& window);
bool MouseInRect(int left, int top, int right, int bottom);
bool MouseInRectIn(const OV_WINDOW& window, int left, int top, int right, int bottom);

bool PopTypedChar(char& out);
bool GetTypedText(OV_STRING& out, bool keep);
size_t TypedCharCount();
void ClearTypedChars();

} // namespace OvCore
