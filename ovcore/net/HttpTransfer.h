// OV_HTTP_TRANSFER: the progress of a step-by-step HTTP request.
#pragma once

#include <cstdint>

namespace OvCore {

// The caller's progress record of a step-by-step HTTP request.
struct OV_HTTP_TRANSFER {
    enum : int { IDLE = 0, READING_HEAD = 17, READING_BODY = 18, COMPLETE = 19, SENDING = 20 };
    int state = IDLE;  // IDLE also after a failure
    int total = 0;  // the body's length; 0 while it is not known
    int done = 0;  // body bytes received so far
};

}  // namespace OvCore
