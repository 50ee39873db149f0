#pragma once

// Ready controls: message procedures a layout names with MessageProc once
// RegisterReadyControls has put them into the GUI's messageProcs. They work
// through the GUI's messages and draw through its styles only: the looks
// come from the theme, by the name of the control's style with a suffix
// (Button, Button.Hover, Button.Pressed, Button.Disabled; a missing look
// falls back to the plain style), and the parts they add (a check mark, a
// slider's thumb, a caret, a list's rows) are child controls with styles of
// the same kind of name. Settings come from the control's ExtendData as
// "key=value" words (unknown keys are left to the application). Every ready
// control places its text inside its rectangle by its style's alignment
// (alignText). What users do reaches the application through OV_GUI::notify.
//
//   name       looks (suffixes)                      parts (suffixes)     settings
//   Label      none                                  none                 none
//   Button     .Hover .Pressed .Disabled             none                 none
//   CheckBox   .Hover .Pressed .Disabled             .Mark                checked=0|1
//   Slider     .Hover .Pressed .Disabled             .Thumb               min= max= step= value=
//   TextEntry  .Hover .Focus .Disabled               .Caret               limit=
//   List       .Hover .Pressed .Disabled             .Row .Selected       row= selected=
//
// A control deactivated with message 16 takes its disabled look; one whose
// active field is changed directly does so at its next message.
#include "ovcore/gui/Gui.h"

#include <cstdint>

namespace OvCore {

class OV_GUI;
class OV_CONTROL;

// Registers the six procedures under the names above (a procedure the
// application registered under one of them before is replaced). False when
// the collection refuses a name (memory).
bool RegisterReadyControls(OV_GUI& gui);

// Shows its text placed by its style's alignment; no input of its own.
bool LabelProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra);
// Notifies NOTIFY_CLICKED when the left button is pressed on it and let go
// over it (Enter or Space while the pointer is over it does the same).
bool ButtonProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra);
// A click flips it (NOTIFY_CHANGED, 0 or 1). The mark is a square child of
// the control's height less 3 pixels a side at its left, shown while checked.
bool CheckBoxProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra);
// A horizontal slider from min (default 0) to max (default 100) in steps of
// step (default 1, at least 1), starting at value. Pressing the left button
// on it moves the thumb there and drags it (also outside the control) until
// the button is let go; the wheel and the Left and Right keys move it a
// step while the pointer is over it. NOTIFY_CHANGED with each new value.
// The thumb is as tall as the slider and half as wide (at least 4 pixels).
bool SliderProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra);
// One line of text in data, up to limit bytes (default 64, at most 4096).
// A left click into it gives it the keyboard, a left click elsewhere takes
// it away. Typed characters 32 to 255 but 127 are inserted at the caret;
// Backspace and Delete remove before and after it; Left, Right, Home and
// End move it. Each change notifies NOTIFY_CHANGED with the text's length,
// Enter NOTIFY_SUBMITTED. Nothing is typed while editable is off. The caret
// is a child 2 pixels wide, shown while the entry has the keyboard.
bool TextEntryProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra);
// A list of the items in data, separated by "|" (moved out of data, so not
// drawn as the list's own text). Rows of row pixels (default 20, at least
// 1) fill the control from its top, as child controls; the wheel scrolls by
// a row, a left click on a row selects its item and Up and Down move the
// selection while the pointer is over the list (NOTIFY_CHANGED with the
// item's index).
bool ListProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra);

// The value of a ready control (see OV_CONTROL_STATE::Value); 0 for a null
// control or one without a value.
int32_t ReadyValue(const OV_CONTROL* control);
// Sets it as a user would, without notifying; false for a control without
// a value. The control must have had its creation message.
bool SetReadyValue(OV_CONTROL* control, int32_t value);
// Replaces a list's items ("|"-separated text; null for none) and clears
// its selection; false when the control is no list.
bool SetListItems(OV_CONTROL* control, const char* items);
// The number of items of a list; 0 for a control that is none.
int32_t ListItemCount(const OV_CONTROL* control);
// The text of item index (from 0) of a list; null when the control is no
// list or the index is out of range.
const char* ListItem(const OV_CONTROL* control, int32_t index);

}  // namespace OvCore
