#pragma once

#include "ovcore/platform/Windows.h"

namespace OvCore {

// The window procedure of every framework window: records keyboard, mouse
// and typed input in the input store, turns a close request into the end of
// the running message loop, and hands the tray message and the application's
// message range to the loop state's hooks.
LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace OvCore
