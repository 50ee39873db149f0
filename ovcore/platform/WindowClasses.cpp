// RegisterClassA / UnregisterClassA: one live class per name.
#include "ovcore/platform/WindowClasses.h"

#include "ovcore/platform/WindowRecord.h"

#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<WindowClassRecord>>& Classes() {
    static std::vector<std::unique_ptr<WindowClassRecord>> classes;
    return classes;
}

WORD g_nextAtom = 0xC000;

size_t FindIndex(LPCSTR className) {
    auto& classes = Classes();
    for (size_t i = 0; i < classes.size(); ++i) {
        const auto& record = *classes[i];
        bool match = IS_INTRESOURCE(className) ? record.atom == LOWORD(className) : record.name == className;
        if (match) return i;
    }
    return classes.size();
}

bool ClassHasWindows(const std::string& name) {
    bool found = false;
    WindowRegistryForEach([&](HWND hwnd) { found = found || hwnd->className == name; });
    return found;
}

}  // namespace

const WindowClassRecord* WindowClassFind(LPCSTR className) {
    if (!className) return nullptr;
    size_t index = FindIndex(className);
    return index < Classes().size() ? Classes()[index].get() : nullptr;
}

WORD RegisterClassA(const WNDCLASSA* windowClass) {
    if (!windowClass || !windowClass->lpszClassName || IS_INTRESOURCE(windowClass->lpszClassName) ||
        !windowClass->lpszClassName[0] || !windowClass->lpfnWndProc) {
        return 0;
    }
    if (WindowClassFind(windowClass->lpszClassName)) return 0;
    auto record = std::make_unique<WindowClassRecord>();
    record->name = windowClass->lpszClassName;
    record->atom = g_nextAtom++;
    if (g_nextAtom == 0) g_nextAtom = 0xC000;
    record->fields = *windowClass;
    record->fields.lpszClassName = nullptr;
    record->fields.lpszMenuName = nullptr;
    WORD atom = record->atom;
    Classes().push_back(std::move(record));
    return atom;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    if (!className) return FALSE;
    size_t index = FindIndex(className);
    auto& classes = Classes();
    if (index >= classes.size() || ClassHasWindows(classes[index]->name)) return FALSE;
    classes.erase(classes.begin() + static_cast<std::ptrdiff_t>(index));
    return TRUE;
}
