// OV_MESSAGE: the GUI's messages and message procedures.
#pragma once

#include <cstdint>

namespace OvCore {

class OV_CONTROL;
class OV_GUI;

// Message types. The input step makes 0 to 11 and 19, CreateControl 12; the
// application sends the commands 13 to 18.
enum OV_MESSAGE_TYPE : int32_t {
    MSG_KEY_PRESSED = 0,  // value: virtual key
    MSG_KEY_HELD = 1,  // value: virtual key
    MSG_KEY_RELEASED = 2,  // value: virtual key
    MSG_CHAR = 3,  // value: character code
    MSG_BUTTON_PRESSED = 4,  // value: button 1 to 5; aux 0 inside the control's own rectangle
    MSG_BUTTON_HELD = 5,  // as 4
    MSG_BUTTON_RELEASED = 6,  // as 4
    MSG_MOUSE_MOVED = 7,  // value: change of x, aux: change of y
    MSG_MOUSE_ENTERED = 8,  // no value
    MSG_MOUSE_LEFT = 9,  // no value
    MSG_MOUSE_OVER = 10,  // no value
    MSG_MOUSE_OUTSIDE = 11,  // no value
    MSG_CREATED = 12,  // no value
    MSG_DETACH = 13,  // the control leaves the tree
    MSG_SET_VISIBLE = 14,  // value non-zero: on
    MSG_SET_EDITABLE = 15,  // value non-zero: on
    MSG_SET_ACTIVE = 16,  // value non-zero: on
    MSG_SET_DATA = 17,  // value bytes at extra
    MSG_SET_TEXT = 18,  // zero-terminated text at extra
    MSG_FRAME = 19  // value: cursor x, aux: cursor y, on the screen
};

// What a ready control (ovcore/gui/controls/) tells the application,
// through OV_GUI::notify; value as listed.
enum OV_NOTIFY_KIND : int32_t {
    NOTIFY_CLICKED = 1,  // a button was pressed and let go over it; value 0
    NOTIFY_CHANGED = 2,  // a user changed the value (check box, slider, list, text entry); value: the new value
    NOTIFY_SUBMITTED = 3,  // Enter was pressed in a text entry; value: its text length
};

// The application's one callback for what ready controls report. It may
// post messages, change controls and clear the GUI.
using OV_NOTIFY_PROC = void (*)(OV_GUI* gui, OV_CONTROL* control, int32_t kind, int32_t value);

// Returns true when it handled the message.
using OV_MESSAGE_PROC = bool (*)(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value,
                                 void* extra);

// A message for a control: its type (OV_MESSAGE_TYPE) and arguments.
struct OV_MESSAGE {
    // The control, its GUI, the type, and the arguments as the type gives them:
    OV_CONTROL* control = nullptr;
    OV_GUI* gui = nullptr;
    int32_t type = 0;
    int32_t aux = 0;
    int32_t value = 0;
    void* extra = nullptr;
};

}  // namespace OvCore
