#pragma once

#include "app/Core.h"
#include "app/Input.h"
#include "app/LoopState.h"
#include "app/MessageLoop.h"
#include "app/WindowProcedure.h"
#include "foundation/Timer.h"
#include "platform/Windows.h"

#include <cstring>
#include <gtest/gtest.h>

namespace OvTest {

// A clock that moves on by a fixed step every time it is read.
struct FakeClock {
    static inline double now = 0.0;
    static inline double step = 0.0;
    static inline int reads = 0;
    static double Read() {
        ++reads;
        const double t = now;
        now += step;
        return t;
    }
    static void Start(double stepSeconds) {
        now = 0.0;
        step = stepSeconds;
        reads = 0;
        OvCore::SetTimerClock(Read);
    }
};

// Puts the process-wide state that the tests touch back to how a program
// starts: no scenes, no windows, an idle loop state, an empty input store.
inline void ResetAppState() {
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
    while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAppState(); }
    void TearDown() override { ResetAppState(); }
};

// A bare platform window whose messages go to the framework's window
// procedure, for tests of the loop and input without a render target.
class ProcedureWindow {
public:
    explicit ProcedureWindow(const char* className) : name(className) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OvCore::WindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(WS_EX_APPWINDOW, name, name, WS_POPUP, 10, 10, 64, 48, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    }
    ~ProcedureWindow() {
        DestroyWindow(hwnd);
        UnregisterClassA(name, GetModuleHandleA(nullptr));
    }
    ProcedureWindow(const ProcedureWindow&) = delete;
    ProcedureWindow& operator=(const ProcedureWindow&) = delete;

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        ASSERT_TRUE(PostMessageA(hwnd, message, wParam, lParam));
    }

    const char* name;
    HWND hwnd = nullptr;
};

} // namespace OvTest
