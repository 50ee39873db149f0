#include "ovcore/app/Input.h"
#include "ovcore/gui/controls/ReadyControls.h"
#include "ovcore/gui/controls/ReadyState.h"
#include "ovcore/render/Font.h"

#include <string>

namespace OvCore {

namespace {

constexpr int32_t kDefaultLimit = 64, kLargestLimit = 4096;
constexpr double kCaretWidth = 2, kCaretInset = 2;

class OV_TEXT_ENTRY_STATE : public OV_READY_STATE {
public:
    std::string text;
    size_t caret = 0;  // bytes before the caret
    size_t limit = kDefaultLimit;
    bool focused = false;
    OV_CONTROL* caretPart = nullptr;
    std::string prefix;  // the text before the caret, for measuring

    void Setup(OV_CONTROL& control, OV_GUI& gui) {
        FindLooks(control, gui, ".Focus");
        const int32_t wanted = ReadySetting(control, "limit", kDefaultLimit);
        limit = static_cast<size_t>(wanted < 0 ? 0 : wanted > kLargestLimit ? kLargestLimit : wanted);
        const double height = control.size.y - 2 * kCaretInset;
        caretPart = MakePart(gui, control, ThemeLook(gui, control.style, ".Caret", nullptr), 0, kCaretInset,
                             kCaretWidth, height > 0 ? height : 0);
        TakeText(control);
        PlaceCaret(control);
    }
    int32_t Value() const override { return static_cast<int32_t>(text.size()); }

    // The text the control holds now, cut to the limit, the caret at its end.
    void TakeText(OV_CONTROL& control) {
        text = control.Text();
        if (text.size() > limit) {
            text.resize(limit);
            control.SetData(text.data(), static_cast<uint32_t>(text.size()));
        }
        caret = text.size();
    }
    void Store(OV_CONTROL& control) const { control.SetData(text.data(), static_cast<uint32_t>(text.size())); }

    // Applies a key or character; true when the text changed.
    bool Edit(OV_CONTROL& control, int32_t type, int32_t value) {
        if (type == MSG_CHAR) {
            if (value < ' ' || value == 127 || value > 255 || !control.editable || text.size() >= limit) return false;
            text.insert(caret++, 1, static_cast<char>(value));
            return true;
        }
        switch (value) {
        case VK_BACK:
            if (caret == 0 || !control.editable) return false;
            text.erase(--caret, 1);
            return true;
        case VK_DELETE:
            if (caret >= text.size() || !control.editable) return false;
            text.erase(caret, 1);
            return true;
        case VK_HOME: caret = 0; break;
        case VK_END: caret = text.size(); break;
        case VK_LEFT: caret -= caret > 0 ? 1 : 0; break;
        case VK_RIGHT: caret += caret < text.size() ? 1 : 0; break;
        default: break;
        }
        return false;
    }

    // The caret after the text before it, where the style's alignment and
    // offset put the text.
    void PlaceCaret(const OV_CONTROL& control) {
        if (!caretPart) return;
        caretPart->visible = focused;
        const OV_STYLE* style = control.style;
        if (!style) return;
        double start = style->textOffset.x;
        double before = 0;
        if (const OV_FONT* font = style->textFont) {
            const double whole = font->MeasureText(text.c_str()).x * style->textScale.x;
            prefix.assign(text, 0, caret);
            before = font->MeasureText(prefix.c_str()).x * style->textScale.x;
            const double share = style->textHalign == 0 ? 0.5 : style->textHalign == 1 ? 1.0 : 0.0;
            start += share * (control.size.x - whole);
        }
        caretPart->position.x = start + before;
    }
};

}  // namespace

bool TextEntryProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    bool handled = false, click = false;
    OV_TEXT_ENTRY_STATE* state = BeginReady<OV_TEXT_ENTRY_STATE>(control, gui, type, aux, value, extra, handled, click);
    if (!state) return handled;
    bool changed = false, submitted = false;
    const bool wasFocused = state->focused;
    const size_t caretBefore = state->caret;
    const OV_STYLE* lookBefore = control->style;
    switch (type) {
    case MSG_BUTTON_PRESSED:
        if (value == MOUSE_LEFT && aux == 0) state->focused = true;
        break;
    case MSG_MOUSE_OUTSIDE:
        if (MousePressed(MOUSE_LEFT)) state->focused = false;
        break;
    case MSG_CHAR:
    case MSG_KEY_PRESSED:
        if (!state->focused) break;
        submitted = type == MSG_KEY_PRESSED && value == VK_RETURN;
        changed = state->Edit(*control, type, value);
        if (changed) state->Store(*control);
        handled = true;
        break;
    case MSG_SET_TEXT:
    case MSG_SET_DATA: state->TakeText(*control); break;
    case MSG_SET_ACTIVE:
    case MSG_SET_VISIBLE:
    case MSG_DETACH:
        if (!control->active || !control->visible || type == MSG_DETACH) state->focused = false;
        break;
    default: break;
    }
    state->ShowLook(*control, state->focused);
    // Measured only when something moved it, not on every frame's messages.
    if (changed || type == MSG_CREATED || type == MSG_SET_TEXT || type == MSG_SET_DATA ||
        state->focused != wasFocused || state->caret != caretBefore || control->style != lookBefore)
        state->PlaceCaret(*control);
    // One notification, last: the application may clear the GUI.
    if (changed)
        gui->Notify(control, NOTIFY_CHANGED, state->Value());
    else if (submitted)
        gui->Notify(control, NOTIFY_SUBMITTED, state->Value());
    return handled;
}

}  // namespace OvCore
