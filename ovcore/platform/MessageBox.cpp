// Message boxes as SDL message boxes, owned by the window when it is live.
// The buttons follow the Windows box type; Enter presses the default button
// and Escape the cancelling one.
#include "ovcore/platform/Latin1Utf8.h"
#include "ovcore/platform/SdlBridge.h"

#include <SDL2/SDL.h>

#include <string>

namespace {

struct ButtonSet {
    int count;
    int ids[3];
    const char* labels[3];
    int escapeId;  // 0: Escape presses nothing
};

const ButtonSet& ButtonsFor(UINT type) {
    static const ButtonSet sets[] = {
        {1, {IDOK}, {"OK"}, IDOK},
        {2, {IDOK, IDCANCEL}, {"OK", "Cancel"}, IDCANCEL},
        {3, {IDABORT, IDRETRY, IDIGNORE}, {"Abort", "Retry", "Ignore"}, 0},
        {3, {IDYES, IDNO, IDCANCEL}, {"Yes", "No", "Cancel"}, IDCANCEL},
        {2, {IDYES, IDNO}, {"Yes", "No"}, 0},
        {2, {IDRETRY, IDCANCEL}, {"Retry", "Cancel"}, IDCANCEL},
        {3, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, {"Cancel", "Try Again", "Continue"}, IDCANCEL},
    };
    UINT index = type & MB_TYPEMASK;
    return sets[index < sizeof(sets) / sizeof(sets[0]) ? index : 0];
}

Uint32 SdlIconFlag(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONQUESTION:
    case MB_ICONEXCLAMATION: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
    }
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    const ButtonSet& set = ButtonsFor(type);
    int defaultIndex = static_cast<int>((type & MB_DEFMASK) >> 8);
    if (defaultIndex >= set.count) defaultIndex = 0;
    SDL_MessageBoxButtonData buttons[3] = {};
    for (int i = 0; i < set.count; ++i) {
        buttons[i].buttonid = set.ids[i];
        buttons[i].text = set.labels[i];
        if (i == defaultIndex) buttons[i].flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (set.ids[i] == set.escapeId) buttons[i].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    }
    std::string utf8Text = Latin1ToUtf8(text);
    std::string utf8Caption = Latin1ToUtf8(caption ? caption : "Error");
    SDL_MessageBoxData box = {};
    box.flags = SdlIconFlag(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    box.window = PlatformWindowSdl(owner);
    box.title = utf8Caption.c_str();
    box.message = utf8Text.c_str();
    box.numbuttons = set.count;
    box.buttons = buttons;
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return 0;
    // Closed by the window manager: the cancelling answer.
    if (pressed < 0) return set.escapeId ? set.escapeId : IDCANCEL;
    return pressed;
}
