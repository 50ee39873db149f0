#include "ovcore/app/Input.h"
#include "ovcore/gui/controls/ReadyControls.h"
#include "ovcore/gui/controls/ReadyState.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace OvCore {

namespace {

constexpr int32_t kDefaultRow = 20;
constexpr size_t kMostRows = 1024;

class OV_LIST_STATE : public OV_READY_STATE {
public:
    std::vector<std::string> items;
    std::vector<OV_CONTROL*> rows;
    OV_STYLE* rowStyle = nullptr;
    OV_STYLE* selectedStyle = nullptr;
    int32_t rowHeight = kDefaultRow;
    int32_t selected = -1;
    int32_t scroll = 0;  // the item in the first row

    void Setup(OV_CONTROL& control, OV_GUI& gui) {
        FindLooks(control, gui);
        rowHeight = ReadySetting(control, "row", kDefaultRow);
        if (rowHeight < 1) rowHeight = 1;
        rowStyle = ThemeLook(gui, control.style, ".Row", nullptr);
        selectedStyle = ThemeLook(gui, control.style, ".Selected", rowStyle);
        const double fit = std::floor(control.size.y / rowHeight);
        const size_t count = fit < 0 ? 0 : fit > kMostRows ? kMostRows : static_cast<size_t>(fit);
        for (size_t i = 0; i < count; ++i) {
            OV_CONTROL* row =
                MakePart(gui, control, rowStyle, 0, static_cast<double>(i) * rowHeight, control.size.x, rowHeight);
            if (!row) break;
            rows.push_back(row);
        }
        SetItems(control, control.Text());
        SetValue(control, ReadySetting(control, "selected", -1));
    }

    // The items of "|"-separated text; the control's own text is emptied.
    void SetItems(OV_CONTROL& control, const char* text) {
        items.clear();
        for (const char* at = text; at && *at;) {
            const char* bar = std::strchr(at, '|');
            const size_t length = bar ? static_cast<size_t>(bar - at) : std::strlen(at);
            items.emplace_back(at, length);
            at = bar ? bar + 1 : nullptr;
        }
        if (text && *text && text[std::strlen(text) - 1] == '|') items.emplace_back();
        control.SetData("", 0);
        selected = -1;
        scroll = 0;
        ShowRows();
    }
    int32_t Count() const { return static_cast<int32_t>(items.size()); }
    int32_t Value() const override { return selected; }
    bool SetValue(OV_CONTROL&, int32_t value) override {
        selected = value >= 0 && value < Count() ? value : -1;
        if (selected >= 0 && selected < scroll) scroll = selected;
        if (selected >= scroll + static_cast<int32_t>(rows.size()))
            scroll = selected - static_cast<int32_t>(rows.size()) + 1;
        ShowRows();
        return true;
    }
    void Scroll(int32_t by) {
        const int32_t last = Count() - static_cast<int32_t>(rows.size());
        const int64_t wanted = static_cast<int64_t>(scroll) + by;
        scroll = static_cast<int32_t>(wanted > last ? (last > 0 ? last : 0) : wanted < 0 ? 0 : wanted);
        ShowRows();
    }
    // Each row shows its item (hidden past the last), the selected one in
    // its own style. Texts are set only when they change.
    void ShowRows() {
        for (size_t i = 0; i < rows.size(); ++i) {
            OV_CONTROL* row = rows[i];
            const int64_t item = static_cast<int64_t>(scroll) + static_cast<int64_t>(i);
            row->visible = item < Count();
            if (!row->visible) continue;
            const std::string& text = items[static_cast<size_t>(item)];
            if (text != row->Text()) row->SetData(text.data(), static_cast<uint32_t>(text.size()));
            row->style = item == selected ? selectedStyle : rowStyle;
        }
    }
};

}  // namespace

bool ListProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value, void* extra) {
    bool handled = false, click = false;
    OV_LIST_STATE* state = BeginReady<OV_LIST_STATE>(control, gui, type, aux, value, extra, handled, click);
    if (!state) return handled;
    const int32_t before = state->selected;
    switch (type) {
    case MSG_BUTTON_PRESSED:
        if (value == MOUSE_LEFT && aux == 0) {
            const double row = std::floor((gui->lastMouseY - control->corners[0].y) / state->rowHeight);
            if (row >= 0 && row < static_cast<double>(state->rows.size()) && state->scroll + row < state->Count())
                state->SetValue(*control, state->scroll + static_cast<int32_t>(row));
        }
        break;
    case MSG_BUTTON_HELD:
        if (value == MOUSE_WHEEL_UP) state->Scroll(-1);
        if (value == MOUSE_WHEEL_DOWN) state->Scroll(1);
        break;
    case MSG_KEY_PRESSED:
        if (state->hover && value == VK_UP && before > 0) state->SetValue(*control, before - 1);
        if (state->hover && value == VK_DOWN && before + 1 < state->Count()) state->SetValue(*control, before + 1);
        break;
    case MSG_SET_TEXT:
    case MSG_SET_DATA: state->SetItems(*control, control->Text()); break;
    default: break;
    }
    state->ShowLook(*control, false);
    if (state->selected != before) gui->Notify(control, NOTIFY_CHANGED, state->selected);
    return handled || state->selected != before;
}

bool SetListItems(OV_CONTROL* control, const char* items) {
    auto* state = ReadyStateIf<OV_LIST_STATE>(control);
    if (!state) return false;
    state->SetItems(*control, items);
    return true;
}

int32_t ListItemCount(const OV_CONTROL* control) {
    const auto* state = ReadyStateIf<OV_LIST_STATE>(control);
    return state ? state->Count() : 0;
}

const char* ListItem(const OV_CONTROL* control, int32_t index) {
    const auto* state = ReadyStateIf<OV_LIST_STATE>(control);
    if (!state || index < 0 || index >= state->Count()) return nullptr;
    return state->items[static_cast<size_t>(index)].c_str();
}

}  // namespace OvCore
