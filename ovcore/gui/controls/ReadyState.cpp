#include "ovcore/gui/controls/ReadyState.h"

#include "ovcore/app/Input.h"
#include "ovcore/gui/controls/ReadyControls.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace OvCore {

OV_STYLE* ThemeLook(OV_GUI& gui, const OV_STYLE* base, const char* suffix, OV_STYLE* fallback) {
    const char* name = gui.StyleName(base);
    if (!name) return fallback;
    char key[OV_NAMED_LIST<OV_STYLE*>::kNameCapacity];
    const size_t length = std::strlen(name), extra = std::strlen(suffix);
    if (length + extra >= sizeof key) return fallback;
    std::memcpy(key, name, length);
    std::memcpy(key + length, suffix, extra + 1);
    OV_STYLE* look = gui.FindStyle(key);
    return look ? look : fallback;
}

int32_t ReadySetting(const OV_CONTROL& control, const char* key, int32_t fallback) {
    if (control.extendData.IsEmpty()) return fallback;
    const char* text = reinterpret_cast<const char*>(control.extendData.data);
    const char* end = text + control.extendData.capacity;
    const size_t keyLength = std::strlen(key);
    for (const char* word = text; word < end && *word;) {
        while (word < end && *word == ' ') ++word;
        const char* after = word;
        while (after < end && *after && *after != ' ') ++after;
        if (static_cast<size_t>(after - word) > keyLength && std::strncmp(word, key, keyLength) == 0 &&
            word[keyLength] == '=') {
            char digits[16] = {};
            const size_t n = static_cast<size_t>(after - word) - keyLength - 1;
            if (n == 0 || n >= sizeof digits) return fallback;
            std::memcpy(digits, word + keyLength + 1, n);
            char* stop = nullptr;
            const long number = std::strtol(digits, &stop, 10);
            if (*stop != 0 || number < INT32_MIN || number > INT32_MAX) return fallback;
            return static_cast<int32_t>(number);
        }
        word = after;
    }
    return fallback;
}

OV_CONTROL* MakePart(OV_GUI& gui, OV_CONTROL& owner, OV_STYLE* style, double x, double y, double w, double h) {
    OV_CONTROL* part = gui.CreateControl(&owner);
    if (!part) return nullptr;
    part->position = OV_VECTOR(x, y, 0, 1);
    part->size = OV_VECTOR(w, h, 0, 1);
    part->style = style;
    part->active = false;
    part->alignText = true;
    return part;
}

void OV_READY_STATE::FindLooks(OV_CONTROL& control, OV_GUI& gui, const char* pressedSuffix) {
    OV_STYLE* normal = control.style;
    looks[NORMAL] = normal;
    looks[HOVER] = ThemeLook(gui, normal, ".Hover", normal);
    looks[PRESSED] = ThemeLook(gui, normal, pressedSuffix, looks[HOVER]);
    looks[DISABLED] = ThemeLook(gui, normal, ".Disabled", normal);
}

void OV_READY_STATE::ShowLook(OV_CONTROL& control, bool pressedLook) const {
    Look look = NORMAL;
    if (!control.active)
        look = DISABLED;
    else if (pressedLook || (pressed && hover))
        look = PRESSED;
    else if (hover)
        look = HOVER;
    control.style = looks[look];
}

bool OV_READY_STATE::TrackPointer(OV_CONTROL& control, int32_t type, int32_t aux, int32_t value) {
    bool click = false;
    switch (type) {
    case MSG_MOUSE_ENTERED: hover = true; break;
    case MSG_MOUSE_LEFT:
        hover = false;
        pressed = false;
        break;
    case MSG_BUTTON_PRESSED:
        if (value == MOUSE_LEFT && aux == 0) pressed = true;
        break;
    case MSG_BUTTON_RELEASED:
        click = value == MOUSE_LEFT && aux == 0 && pressed;
        if (value == MOUSE_LEFT) pressed = false;
        break;
    case MSG_SET_ACTIVE:
        if (value == 0) pressed = false;
        break;
    default: break;
    }
    return click && control.active;
}

bool RegisterReadyControls(OV_GUI& gui) {
    const struct {
        const char* name;
        OV_MESSAGE_PROC procedure;
    } ready[] = {{"Label", LabelProcedure},   {"Button", ButtonProcedure},       {"CheckBox", CheckBoxProcedure},
                 {"Slider", SliderProcedure}, {"TextEntry", TextEntryProcedure}, {"List", ListProcedure}};
    for (const auto& entry : ready) {
        OV_MESSAGE_PROC* slot = gui.messageProcs.Get(entry.name, 0);
        if (!slot) return false;
        *slot = entry.procedure;
    }
    return true;
}

int32_t ReadyValue(const OV_CONTROL* control) { return control && control->state ? control->state->Value() : 0; }

bool SetReadyValue(OV_CONTROL* control, int32_t value) {
    return control && control->state && control->state->SetValue(*control, value);
}

}  // namespace OvCore
