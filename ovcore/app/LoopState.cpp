#include "ovcore/app/LoopState.h"

namespace OvCore {

OV_LOOP_STATE& LoopState() {
    static OV_LOOP_STATE state;
    return state;
}

}  // namespace OvCore
