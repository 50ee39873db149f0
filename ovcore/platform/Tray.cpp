// Notification-area icons kept by (window, id); notifications reach the
// window as its icon's callback message.
#include "ovcore/platform/Tray.h"

#include "ovcore/platform/MessageQueue.h"
#include "ovcore/platform/WindowRecord.h"
#include "ovcore/platform/Platform.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<PlatformTrayIcon>& Icons() {
    static std::vector<PlatformTrayIcon> icons;
    return icons;
}

PlatformTrayIcon* Find(HWND hwnd, UINT uID) {
    for (auto& icon : Icons()) {
        if (icon.hWnd == hwnd && icon.uID == uID) return &icon;
    }
    return nullptr;
}

void CopyFields(const NOTIFYICONDATAA& data, PlatformTrayIcon* icon) {
    icon->uFlags |= data.uFlags;
    if (data.uFlags & NIF_MESSAGE) icon->uCallbackMessage = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON) icon->hIcon = data.hIcon;
    if (data.uFlags & NIF_TIP) {
        size_t length = strnlen(data.szTip, sizeof(data.szTip) - 1);
        std::memcpy(icon->szTip, data.szTip, length);
        icon->szTip[length] = '\0';
    }
}

BOOL Add(const NOTIFYICONDATAA& data) {
    if (!WindowRegistryContains(data.hWnd) || Find(data.hWnd, data.uID)) return FALSE;
    PlatformTrayIcon icon{};
    icon.hWnd = data.hWnd;
    icon.uID = data.uID;
    CopyFields(data, &icon);
    icon.uFlags = data.uFlags;
    Icons().push_back(icon);
    return TRUE;
}

BOOL Modify(const NOTIFYICONDATAA& data) {
    PlatformTrayIcon* icon = Find(data.hWnd, data.uID);
    if (!icon) return FALSE;
    CopyFields(data, icon);
    return TRUE;
}

BOOL Delete(const NOTIFYICONDATAA& data) {
    PlatformTrayIcon* icon = Find(data.hWnd, data.uID);
    if (!icon) return FALSE;
    Icons().erase(Icons().begin() + (icon - Icons().data()));
    return TRUE;
}

}  // namespace

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
    if (!data) return FALSE;
    switch (message) {
    case NIM_ADD: return Add(*data);
    case NIM_MODIFY: return Modify(*data);
    case NIM_DELETE: return Delete(*data);
    default: return FALSE;
    }
}

const std::vector<PlatformTrayIcon>& PlatformTrayIcons() { return Icons(); }

bool PlatformPostTrayNotification(HWND hwnd, UINT uID, LPARAM event) {
    const PlatformTrayIcon* icon = Find(hwnd, uID);
    if (!icon || !(icon->uFlags & NIF_MESSAGE) || !WindowRegistryContains(hwnd)) return false;
    MessageQueuePost(hwnd, icon->uCallbackMessage, uID, event);
    return true;
}

void TrayForgetWindow(HWND hwnd) {
    auto& icons = Icons();
    icons.erase(
        std::remove_if(icons.begin(), icons.end(), [hwnd](const PlatformTrayIcon& icon) { return icon.hWnd == hwnd; }),
        icons.end());
}
