#pragma once

#include "ovcore/platform/Windows.h"

#include <cstdint>

namespace OvCore {

typedef void (*OV_APP_MESSAGE_HOOK)(HWND hwnd, WPARAM wParam, LPARAM lParam);
typedef void (*OV_MESSAGE_HOOK)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Frame timing and loop control shared by the message loop, the window
// procedure and anything that reads the frame times. Times are seconds,
// limiter thresholds milliseconds.
struct OV_LOOP_STATE {
    float waitShort = 0.0f;
    float waitLong = 0.0f;
    float lastTime = 0.0f;
    float now = 0.0f;
    float delta = 0.0f;
    float fps = 0.0f;
    float fpsTime = 0.0f;
    int32_t frameMs = 0;
    uint32_t frameCount = 0;
    bool resetInput = true;
    bool flushChars = true;
    MSG msg{};
    bool running = true;
    OV_APP_MESSAGE_HOOK appMessageHook = nullptr;
    OV_MESSAGE_HOOK userMessageHook = nullptr;
    OV_MESSAGE_HOOK messageObserver = nullptr;
};

// The process-wide loop state, made on first use.
OV_LOOP_STATE& LoopState();

} // namespace OvCore
