#pragma once

#include "ovcore/app/Core.h"
#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"
#include "ovcore/app/MessageLoop.h"
#include "ovcore/app/WindowProcedure.h"
#include "ovcore/foundation/Timer.h"
#include "ovcore/platform/Windows.h"

#include <gtest/gtest.h>

#include <functional>

namespace OvTest {

// A clock that moves on by a fixed step every time it is read.
struct FakeClock {
    static inline double now = 0.0, step = 0.0;
    static inline int reads = 0;
    static double Read() {
        ++reads;
        now += step;
        return now - step;
    }
    static void Start(double stepSeconds) {
        now = 0.0;
        step = stepSeconds;
        reads = 0;
        OvCore::SetTimerClock(Read);
    }
};

// Each test starts as a program does: no scenes or windows, an idle loop
// state, an empty input store and queue, the real clock.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset() {
        using namespace OvCore;
        for (auto it = core.windows.Begin(); !it.IsEnd(); it.Next())
            if (it.Value()->GetHandle()) it.Value()->Destroy();
        core.windows.Clear();
        core.scenes.list.Clear();
        core.scenes.current = core.scenes.list.End();
        core.scenes.advance = true;
        core.scenes.switchRequested = false;
        LoopState() = OV_LOOP_STATE{};
        InputStore() = OV_INPUT{};
        SetTimerClock(nullptr);
        MSG stale;
        while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) continue;
    }
};

// Runs a message loop over the posted messages for `frames` frames; `frame`
// gets the frame number (1, 2, ...) and may post the messages of the next.
inline void RunFrames(int frames, const std::function<void(int)>& frame) {
    struct Run {
        int count, limit;
        const std::function<void(int)>* frame;
    } run{0, frames, &frame};
    OvCore::RunMessageLoop(
        [](HWND, void* data) {
            auto* r = static_cast<Run*>(data);
            (*r->frame)(++r->count);
            if (r->count >= r->limit) OvCore::LoopState().running = false;
        },
        &run);
}

// A bare platform window whose messages go to the framework's window
// procedure: the loop and input without a render target.
struct ProcedureWindow {
    explicit ProcedureWindow(const char* className) : name(className) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OvCore::WindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
        hwnd =
            CreateWindowExA(0, name, name, WS_POPUP, 10, 10, 64, 48, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~ProcedureWindow() {
        DestroyWindow(hwnd);
        UnregisterClassA(name, GetModuleHandleA(nullptr));
    }
    void Post(UINT message, WPARAM wParam = 0) const { ASSERT_TRUE(PostMessageA(hwnd, message, wParam, 0)); }

    const char* name;
    HWND hwnd = nullptr;
};

}  // namespace OvTest
