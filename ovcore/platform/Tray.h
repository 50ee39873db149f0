#pragma once

#include "ovcore/platform/Windows.h"

// Drops the tray icons of a window being destroyed.
void TrayForgetWindow(HWND hwnd);
