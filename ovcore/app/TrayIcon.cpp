#include "ovcore/app/TrayIcon.h"

#include <cstring>

namespace OvCore {

namespace {

constexpr int kProgramIcon = 1;

// Tray icon ids are handed out once per window created with an icon.
UINT g_nextTrayIconId = 0;

void CopyTip(NOTIFYICONDATAA& icon, const char* title) {
    std::strncpy(icon.szTip, title, sizeof icon.szTip - 1);
    icon.szTip[sizeof icon.szTip - 1] = '\0';
}

}  // namespace

void AddTrayIcon(NOTIFYICONDATAA& icon, HWND window, HINSTANCE instance, const char* title) {
    icon.hWnd = window;
    icon.uID = g_nextTrayIconId++;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIcon));
    CopyTip(icon, title);
    Shell_NotifyIconA(NIM_ADD, &icon);
}

void UpdateTrayIcon(NOTIFYICONDATAA& icon, const char* title) {
    CopyTip(icon, title);
    Shell_NotifyIconA(NIM_MODIFY, &icon);
}

void RemoveTrayIcon(NOTIFYICONDATAA& icon) {
    if (!icon.hWnd) return;
    icon.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &icon);
    icon.hWnd = nullptr;
}

}  // namespace OvCore
