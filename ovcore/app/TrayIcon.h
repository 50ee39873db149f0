// A window's icon in the system tray: its NOTIFYICONDATAA record filled in,
// added, brought up to date and taken out again.
#pragma once

#include "ovcore/platform/Windows.h"

namespace OvCore {

// Puts the program's icon (resource 1 of instance) for window in the tray,
// with title (at most 127 characters) as its tip and a new id from the tray
// counter; clicks arrive at the window as WM_APP.
void AddTrayIcon(NOTIFYICONDATAA& icon, HWND window, HINSTANCE instance, const char* title);
// Gives the icon's tip the title again, when the icon is in the tray.
void UpdateTrayIcon(NOTIFYICONDATAA& icon, const char* title);
// Takes the icon out of the tray; nothing when it is not in it.
void RemoveTrayIcon(NOTIFYICONDATAA& icon);

}  // namespace OvCore
