// Registry keys and values, the file association, message boxes and the
// shell. The dialogs are in SystemDialogs.cpp.
#include "ovcore/system/System.h"
#include "ovcore/system/DesktopAssociation.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace OvCore {

namespace {

const BYTE* Bytes(const void* data) { return static_cast<const BYTE*>(data); }

bool SetDefaultString(HKEY root, const std::string& subKey, const char* text, OV_SYSTEM& system) {
    HKEY key = system.OpenKey(root, subKey.c_str(), OV_SYSTEM::OPEN_OR_CREATE);
    if (!key) return false;
    const char* value = text ? text : "";
    bool written = system.SetValue(key, "", REG_SZ, value, static_cast<DWORD>(std::strlen(value) + 1));
    system.CloseKey(key);
    return written;
}

}  // namespace

OV_WINDOW* OV_SYSTEM::FindWindow(const char* name, int id) const {
    if (!name || !core) return nullptr;
    return core->windows.Access(FIND, name, id).Value();
}

HWND OV_SYSTEM::OwnerOf(const char* name, int id) const {
    OV_WINDOW* window = FindWindow(name, id);
    return window ? window->GetHandle() : nullptr;
}

HKEY OV_SYSTEM::OpenKey(HKEY root, const char* subKey, int mode) {
    HKEY key = nullptr;
    LSTATUS status = ERROR_INVALID_PARAMETER;
    if (mode == OPEN_EXISTING) {
        status = RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key);
    } else if (mode == OPEN_OR_CREATE) {
        status = RegCreateKeyExA(root, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    }
    return status == ERROR_SUCCESS ? key : nullptr;
}

bool OV_SYSTEM::CloseKey(HKEY key) { return RegCloseKey(key) == ERROR_SUCCESS; }

bool OV_SYSTEM::DeleteKey(HKEY root, const char* subKey) { return RegDeleteKeyA(root, subKey) == ERROR_SUCCESS; }

bool OV_SYSTEM::SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
    return RegSetValueExA(key, name, 0, type, Bytes(data), size) == ERROR_SUCCESS;
}

bool OV_SYSTEM::QueryValue(HKEY key, const char* name, DWORD* type, void* data, DWORD* size) {
    return RegQueryValueExA(key, name, nullptr, type, static_cast<BYTE*>(data), size) == ERROR_SUCCESS;
}

bool OV_SYSTEM::ValueExists(HKEY key, const char* name) {
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool OV_SYSTEM::DeleteValue(HKEY key, const char* name) { return RegDeleteValueA(key, name) == ERROR_SUCCESS; }

bool OV_SYSTEM::AssociateFileType(const char* typeName, const char* extension, const char* openCommand,
                                  const char* icon) {
    if (!typeName || !*typeName || !extension || !*extension) return false;
    char subKey[1024];
    if (!SetDefaultString(HKEY_CLASSES_ROOT, extension, typeName, *this)) return false;
    std::snprintf(subKey, sizeof(subKey), "%s\\DefaultIcon", typeName);
    if (!SetDefaultString(HKEY_CLASSES_ROOT, subKey, icon, *this)) return false;
    std::snprintf(subKey, sizeof(subKey), "%s\\shell\\open\\command", typeName);
    if (!SetDefaultString(HKEY_CLASSES_ROOT, subKey, openCommand, *this)) return false;
    return WriteDesktopAssociation(typeName, extension, openCommand, icon);
}

int OV_SYSTEM::ShowMessage(const char* text, const char* caption, UINT style, const char* windowName, int windowId) {
    OV_WINDOW* window = FindWindow(windowName, windowId);
    if (!caption) caption = window && window->title.Get() ? window->title.Get() : DEFAULT_CAPTION;
    return MessageBoxA(window ? window->GetHandle() : nullptr, text, caption, style);
}

intptr_t OV_SYSTEM::ShellOpen(const char* file, const char* parameters, const char* windowName, int windowId) {
    OV_WINDOW* window = FindWindow(windowName, windowId);
    if (windowName && !window) return 1;
    HINSTANCE result = ShellExecuteA(window ? window->GetHandle() : nullptr, "OPEN", file, parameters, "", SW_SHOW);
    return reinterpret_cast<intptr_t>(result);
}

}  // namespace OvCore
