// Display modes and the full-screen request that windows of its size take.
#pragma once

#include "ovcore/platform/Windows.h"

// Puts the window on the requested full-screen mode when its size is that
// mode's, and back to windowed otherwise.
void DisplayFitWindow(HWND hwnd);
