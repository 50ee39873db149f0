#include "ovcore/app/Input.h"
#include "ovcore/gui/controls/ReadyControls.h"
#include "ovcore/gui/controls/ReadyState.h"

#include <cmath>
#include <cstdint>

namespace OvCore {

namespace {

class OV_SLIDER_STATE : public OV_READY_STATE {
public:
    int32_t minimum = 0, maximum = 100, step = 1, value = 0;
    bool dragging = false;
    OV_CONTROL* thumb = nullptr;

    void Setup(OV_CONTROL& control, OV_GUI& gui) {
        FindLooks(control, gui);
        minimum = ReadySetting(control, "min", 0);
        maximum = ReadySetting(control, "max", 100);
        if (maximum < minimum) maximum = minimum;
        step = ReadySetting(control, "step", 1);
        if (step < 1) step = 1;
        thumb = MakePart(gui, control, ThemeLook(gui, control.style, ".Thumb", nullptr), 0, 0, ThumbWidth(control),
                         control.size.y);
        SetValue(control, ReadySetting(control, "value", minimum));
    }
    static double ThumbWidth(const OV_CONTROL& control) {
        const double half = std::floor(control.size.y / 2);
        return half < 4 ? 4 : half;
    }
    int32_t Value() const override { return value; }
    bool SetValue(OV_CONTROL& control, int32_t wanted) override {
        const double span = static_cast<double>(maximum) - minimum;
        double steps = std::round((static_cast<double>(wanted) - minimum) / step);
        if (steps < 0) steps = 0;
        value = static_cast<int32_t>(std::fmin(minimum + steps * step, maximum));
        if (thumb) {
            const double travel = control.size.x - ThumbWidth(control);
            thumb->position.x = span > 0 && travel > 0 ? std::floor((value - minimum) / span * travel) : 0;
        }
        return true;
    }
    // The value under the pointer's x in window pixels.
    int32_t ValueAt(const OV_CONTROL& control, int x) const {
        const double travel = control.size.x - ThumbWidth(control);
        if (travel <= 0) return minimum;
        const double share = (x - control.corners[0].x - ThumbWidth(control) / 2) / travel;
        return static_cast<int32_t>(
            std::lround(minimum + std::fmin(std::fmax(share, 0.0), 1.0) * (static_cast<double>(maximum) - minimum)));
    }
};

}  // namespace

bool SliderProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    bool handled = false, click = false;
    OV_SLIDER_STATE* state = BeginReady<OV_SLIDER_STATE>(control, gui, type, aux, value, extra, handled, click);
    if (!state) return handled;
    const int32_t before = state->value;
    int64_t wanted = before;  // a step past either end is clamped, not wrapped
    switch (type) {
    case MSG_BUTTON_PRESSED:
        if (value == MOUSE_LEFT && aux == 0) {
            state->dragging = true;
            wanted = state->ValueAt(*control, gui->lastMouseX);
        }
        break;
    case MSG_FRAME:
        // The drag goes on outside the control until the button is let go.
        if (state->dragging && !MouseHeld(MOUSE_LEFT)) state->dragging = false;
        if (state->dragging) wanted = state->ValueAt(*control, gui->lastMouseX);
        break;
    case MSG_BUTTON_HELD:
        if (value == MOUSE_WHEEL_UP) wanted = before + state->step;
        if (value == MOUSE_WHEEL_DOWN) wanted = before - state->step;
        break;
    case MSG_KEY_PRESSED:
        if (state->hover && value == VK_LEFT) wanted = before - state->step;
        if (state->hover && value == VK_RIGHT) wanted = before + state->step;
        break;
    case MSG_SET_ACTIVE:
    case MSG_SET_VISIBLE:
    case MSG_DETACH:
        if (!control->active || !control->visible || type == MSG_DETACH) state->dragging = false;
        break;
    default: break;
    }
    if (wanted != before) {
        if (wanted < state->minimum) wanted = state->minimum;
        if (wanted > state->maximum) wanted = state->maximum;
        state->SetValue(*control, static_cast<int32_t>(wanted));
    }
    state->ShowLook(*control, state->dragging);
    if (state->value != before) gui->Notify(control, NOTIFY_CHANGED, state->value);
    return handled || state->value != before;
}

}  // namespace OvCore
