#include "ovcore/app/Input.h"
#include "ovcore/gui/controls/ReadyControls.h"
#include "ovcore/gui/controls/ReadyState.h"

namespace OvCore {

namespace {

class OV_BUTTON_STATE : public OV_READY_STATE {
public:
    void Setup(OV_CONTROL& control, OV_GUI& gui) {
        FindLooks(control, gui);
        ShowLook(control, false);
    }
};

}  // namespace

bool ButtonProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    bool handled = false, click = false;
    OV_BUTTON_STATE* state = BeginReady<OV_BUTTON_STATE>(control, gui, type, aux, value, extra, handled, click);
    if (!state) return handled;
    if (type == MSG_KEY_PRESSED && (value == VK_RETURN || value == VK_SPACE) && state->hover) click = true;
    state->ShowLook(*control, false);
    // Last: the application may clear the GUI, and this control with it.
    if (click) gui->Notify(control, NOTIFY_CLICKED, 0);
    return handled || click;
}

}  // namespace OvCore
