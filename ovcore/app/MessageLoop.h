// The message loop: messages, the frame limiter and the frame times.
#pragma once

#include "ovcore/platform/Windows.h"

namespace OvCore {

// Called once a frame with the window of the last message taken from the
// queue (possibly stale or null) and the loop's user data.
typedef void (*OV_FRAME_FUNC)(HWND hwnd, void* userData);

// Runs frames until the loop state's running flag is cleared or WM_QUIT
// arrives; pending messages are always drained before a frame. Sets running
// again on the way out, so the next loop can run. Always true.
bool RunMessageLoop(OV_FRAME_FUNC frameFunction, void* userData);

// Measures the busy-wait thresholds that hold frames to the loop state's
// frameMs; with frameMs 0 or less both thresholds are 0 (no limiting).
void CalibrateFrameLimiter();

}  // namespace OvCore
