#include "ovcore/gui/controls/ReadyControls.h"

namespace OvCore {

bool LabelProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    control->alignText = true;
    return OV_GUI::DefaultProcedure(control, gui, type, aux, value, extra);
}

}  // namespace OvCore
