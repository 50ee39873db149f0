// Diagnostics: with OV_SAVE_FRAME=<file.png> in the environment, every
// presented frame is read back just before it is shown, and the last one is
// written to that file when the engine closes. A headless run can so show
// its final picture. Without the variable nothing is read back.
#pragma once

namespace ov {

// Reads the current target's back buffer into the capture (when enabled).
void CaptureFrameBeforePresent();
// Writes the last captured frame; false when capture is off, nothing was
// presented, or the file cannot be written.
bool WriteCapturedFrame();

}  // namespace ov
