#include "ovcore/app/WindowProcedure.h"

#include "ovcore/app/Input.h"
#include "ovcore/app/LoopState.h"

namespace OvCore {

namespace {

constexpr UINT kFirstUserMessage = WM_APP + 1;
constexpr UINT kLastUserMessage = 0xBFFE;
// The low four bits of a system command are used by the system itself.
constexpr WPARAM kSystemCommandMask = 0xFFF0;

LRESULT Default(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (OV_MESSAGE_HOOK observer = LoopState().messageObserver) observer(hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool IsSwallowedCommand(WPARAM command) {
    const WPARAM kind = command & kSystemCommandMask;
    return kind == SC_SCREENSAVE || kind == SC_MONITORPOWER;
}

bool RecordInput(UINT message, WPARAM wParam) {
    OV_INPUT& input = InputStore();
    switch (message) {
    case WM_KEYDOWN: input.KeyDown(wParam); return true;
    case WM_KEYUP: input.KeyUp(wParam); return true;
    case WM_CHAR: input.Char(wParam); return true;
    case WM_LBUTTONDOWN: input.ButtonDown(MOUSE_SLOT_LEFT); return true;
    case WM_LBUTTONUP: input.ButtonUp(MOUSE_SLOT_LEFT); return true;
    case WM_RBUTTONDOWN: input.ButtonDown(MOUSE_SLOT_RIGHT); return true;
    case WM_RBUTTONUP: input.ButtonUp(MOUSE_SLOT_RIGHT); return true;
    case WM_MBUTTONDOWN: input.ButtonDown(MOUSE_SLOT_MIDDLE); return true;
    case WM_MBUTTONUP: input.ButtonUp(MOUSE_SLOT_MIDDLE); return true;
    case WM_MOUSEWHEEL: input.Wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return true;
    default: return false;
    }
}

}  // namespace

LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (RecordInput(message, wParam)) return 0;
    const OV_LOOP_STATE& loop = LoopState();
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_SYSCOMMAND && IsSwallowedCommand(wParam)) return 0;
    if (message == WM_APP) {
        if (loop.appMessageHook) loop.appMessageHook(hwnd, wParam, lParam);
        return 0;
    }
    if (message >= kFirstUserMessage && message <= kLastUserMessage && loop.userMessageHook) {
        loop.userMessageHook(hwnd, message, wParam, lParam);
        return 0;
    }
    return Default(hwnd, message, wParam, lParam);
}

}  // namespace OvCore
