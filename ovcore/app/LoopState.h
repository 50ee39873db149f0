// OV_LOOP_STATE: the message loop's frame timing and control.
#pragma once

#include "ovcore/platform/Windows.h"

#include <cstdint>

namespace OvCore {

// A hook for WM_APP (hwnd, wParam, lParam), and one for other messages:
typedef void (*OV_APP_MESSAGE_HOOK)(HWND hwnd, WPARAM wParam, LPARAM lParam);
typedef void (*OV_MESSAGE_HOOK)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// How the message loop holds each frame to its limiter threshold (while
// frameMs > 0). Both end a frame at the same timer reading or later.
enum class OV_FRAME_LIMITER : int32_t {
    // Reads the timer until the threshold passes: one core busy all along.
    BUSY_WAIT,
    // Sleeps until shortly before the threshold, then reads the timer for
    // the rest. The margin follows how late the system wakes the thread
    // (0.1 to 2 ms), so frames end as evenly as with BUSY_WAIT while the
    // processor is mostly free.
    SLEEP,
};

// Frame timing and loop control shared by the message loop, the window
// procedure and anything that reads the frame times. Times are seconds,
// limiter thresholds milliseconds.
struct OV_LOOP_STATE {
    // The frame limiter's calibrated waits in milliseconds, for short and long frames:
    float waitShort = 0.0f;
    float waitLong = 0.0f;
    float lastTime = 0.0f;  // the previous frame's time
    float now = 0.0f;  // this frame's time
    float delta = 0.0f;  // seconds from the previous frame to this one
    float fps = 0.0f;  // frames a second, recounted each second
    float fpsTime = 0.0f;  // seconds counted toward the next fps
    int32_t frameMs = 0;  // the limiter's frame length in milliseconds; 0 turns the limiter off
    uint32_t frameCount = 0;  // frames counted toward the next fps
    bool resetInput = true;  // whether the frame end resets the input's per-frame flags
    bool flushChars = true;  // whether the frame end drops the typed characters
    MSG msg{};  // the message being handled
    bool running = true;  // false ends the loop
    OV_APP_MESSAGE_HOOK appMessageHook = nullptr;  // called for WM_APP
    OV_MESSAGE_HOOK userMessageHook = nullptr;  // called for WM_APP + 1 to 0xBFFE
    OV_MESSAGE_HOOK messageObserver = nullptr;  // called first for every message the window procedure gets
    OV_FRAME_LIMITER limiter = OV_FRAME_LIMITER::BUSY_WAIT;  // how frames wait; SLEEP is an opt-in
    float sleepMargin = 1.0f;  // milliseconds of each wait SLEEP leaves to reading the timer (0.1 to 2, learnt)
};

// The process-wide loop state, made on first use.
OV_LOOP_STATE& LoopState();

}  // namespace OvCore
