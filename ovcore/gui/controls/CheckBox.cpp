#include "ovcore/gui/controls/ReadyControls.h"
#include "ovcore/gui/controls/ReadyState.h"

namespace OvCore {

namespace {

constexpr double kMarkInset = 3;

class OV_CHECK_BOX_STATE : public OV_READY_STATE {
public:
    bool checked = false;
    OV_CONTROL* mark = nullptr;

    void Setup(OV_CONTROL& control, OV_GUI& gui) {
        FindLooks(control, gui);
        const double side = control.size.y - 2 * kMarkInset;
        mark = MakePart(gui, control, ThemeLook(gui, control.style, ".Mark", nullptr), kMarkInset, kMarkInset,
                        side > 0 ? side : 0, side > 0 ? side : 0);
        SetValue(control, ReadySetting(control, "checked", 0));
    }
    int32_t Value() const override { return checked ? 1 : 0; }
    bool SetValue(OV_CONTROL& control, int32_t value) override {
        checked = value != 0;
        if (mark) mark->visible = checked;
        ShowLook(control, false);
        return true;
    }
};

}  // namespace

bool CheckBoxProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    bool handled = false, click = false;
    OV_CHECK_BOX_STATE* state = BeginReady<OV_CHECK_BOX_STATE>(control, gui, type, aux, value, extra, handled, click);
    if (!state) return handled;
    if (click) state->SetValue(*control, state->checked ? 0 : 1);
    state->ShowLook(*control, false);
    if (click) gui->Notify(control, NOTIFY_CHANGED, state->Value());
    return handled || click;
}

}  // namespace OvCore
