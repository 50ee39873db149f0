#pragma once

#include "ovcore/gui/Control.h"
#include "ovcore/gui/Gui.h"

#include <cstdint>
#include <memory>

namespace OvCore {

// What every ready control keeps: its looks and whether the pointer is over
// it and the left button went down on it. The controls derive their own.
class OV_READY_STATE : public OV_CONTROL_STATE {
public:
    enum Look { NORMAL = 0, HOVER = 1, PRESSED = 2, DISABLED = 3, LOOKS = 4 };

    OV_STYLE* looks[LOOKS] = {};
    bool hover = false;
    bool pressed = false;

    // Takes the control's style as the normal look and finds the others in
    // the theme by its name and the suffixes (PRESSED's may be ".Focus").
    void FindLooks(OV_CONTROL& control, OV_GUI& gui, const char* pressedSuffix = ".Pressed");
    // Gives the control the look of its state; pressedLook forces PRESSED.
    void ShowLook(OV_CONTROL& control, bool pressedLook) const;
    // Follows hover, press and release of the left button and the commands
    // that change visibility and activity. True when the left button was
    // let go over the control after going down on it: a click.
    bool TrackPointer(OV_CONTROL& control, int32_t type, int32_t aux, int32_t value);
};

// The style stored under the name of base followed by suffix; fallback
// when there is none (or base has no name).
OV_STYLE* ThemeLook(OV_GUI& gui, const OV_STYLE* base, const char* suffix, OV_STYLE* fallback);

// The integer after "key=" among the words of the control's extendData;
// fallback when the key is missing or its value is no number.
int32_t ReadySetting(const OV_CONTROL& control, const char* key, int32_t fallback);

// A part of a ready control: an inactive child at (x, y) of size (w, h)
// with the style, placed and drawn like any control. Null when memory runs out.
OV_CONTROL* MakePart(OV_GUI& gui, OV_CONTROL& owner, OV_STYLE* style, double x, double y, double w, double h);

// The control's state as S, made (and set up with S::Setup(control, gui))
// when the control has none or one of another kind. Null when memory runs out.
template <class S>
S* ReadyStateOf(OV_CONTROL& control, OV_GUI& gui) {
    if (auto* state = dynamic_cast<S*>(control.state.get())) return state;
    auto made = std::unique_ptr<S>(new (std::nothrow) S());
    if (!made) return nullptr;
    S* state = made.get();
    control.state = std::move(made);
    control.alignText = true;
    state->Setup(control, gui);
    return state;
}

// The start of every ready procedure: the control's state S (made on its
// first message), the default procedure's answer in handled and whether the
// message completed a click in click. A null state (memory ran out) leaves
// the control to the default procedure alone.
template <class S>
S* BeginReady(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra, bool& handled,
              bool& click) {
    S* state = ReadyStateOf<S>(*control, *gui);
    handled = OV_GUI::DefaultProcedure(control, gui, type, aux, value, extra);
    click = state && state->TrackPointer(*control, type, aux, value);
    return state;
}

// The state of a ready control of kind S; null for any other control.
template <class S>
S* ReadyStateIf(const OV_CONTROL* control) {
    return control ? dynamic_cast<S*>(control->state.get()) : nullptr;
}

}  // namespace OvCore
