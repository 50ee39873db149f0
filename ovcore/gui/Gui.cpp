#include "ovcore/gui/Gui.h"

#include "ovcore/app/Core.h"

#include <cstring>

namespace OvCore {

namespace {

void ClearTheGui();
void GuiInputStep();
void GuiDrawStep();

constexpr OV_FRAME_STEP kSteps[] = {
    {OV_FRAME_PHASE::UPDATE, OV_GUI_INPUT_PLACE, GuiInputStep},
    {OV_FRAME_PHASE::OVERLAY, OV_GUI_DRAW_PLACE, GuiDrawStep},
};

// The GUI as a member of the core: made on first use, so after the core,
// and destroyed before it; it leaves the core on the way.
struct GuiMember {
    OV_GUI gui;
    GuiMember() { core.Join(OV_CLEAR_STAGE::GUI, ClearTheGui, kSteps); }
    ~GuiMember() { core.Leave(OV_CLEAR_STAGE::GUI, kSteps); }
};

GuiMember& Member() {
    static GuiMember member;
    return member;
}

void ClearTheGui() { Member().gui.ClearGui(); }
void GuiInputStep() { Member().gui.ProcessInput(); }
void GuiDrawStep() { Member().gui.Draw(); }

}  // namespace

OV_GUI& Gui() { return Member().gui; }

bool OV_MESSAGE_QUEUE::Pop(OV_MESSAGE& out) {
    if (head_ >= messages_.size()) return false;
    out = messages_[head_++];
    if (head_ == messages_.size()) Clear();
    return true;
}

void OV_MESSAGE_QUEUE::Clear() {
    messages_.clear();
    head_ = 0;
}

OV_GUI::~OV_GUI() { ClearGui(); }

OV_CONTROL* OV_GUI::CreateControl(OV_CONTROL* parent) {
    auto control = std::make_unique<OV_CONTROL>();
    control->gui = this;
    (parent ? parent->node : root).Append(&control->node);
    OV_CONTROL* made = control.get();
    controlList_.push_back(std::move(control));
    Post(made, MSG_CREATED);
    return made;
}

void OV_GUI::Post(OV_CONTROL* control, int32_t type, int32_t aux, int32_t value, void* extra) {
    queue.Push(OV_MESSAGE{control, this, type, aux, value, extra});
}

OV_CONTROL* OV_GUI::FindControl(const char* name) {
    OV_CONTROL** entry = controls.Access(FIND, name, 0).Value();
    return entry ? *entry : nullptr;
}

OV_STYLE* OV_GUI::FindStyle(const char* name) {
    OV_STYLE** entry = styles.Access(FIND, name, 0).Value();
    return entry ? *entry : nullptr;
}

const char* OV_GUI::StyleName(const OV_STYLE* style) {
    if (!style) return nullptr;
    for (auto it = styles.Begin(); !it.IsEnd(); it.Next())
        if (*it.Value() == style) return it.Key()->name;
    return nullptr;
}

void OV_GUI::ClearGui() {
    for (auto it = themeTextures.Begin(); !it.IsEnd(); it.Next())
        if (!IsEmptyHandle(*it.Value())) OvTextureDestroy(*it.Value());
    themeTextures.Clear();
    for (auto it = themeFonts.Begin(); !it.IsEnd(); it.Next()) it.Value()->Release();
    themeFonts.Clear();
    messageProcs.Clear();
    notify = nullptr;
    styles.Clear();
    controls.Clear();
    queue.Clear();
    hovered_.clear();
    leaving_.clear();
    while (root.firstChild) root.firstChild->Detach();
    controlList_.clear();
    styleList.clear();
}

void OV_GUI::ProcessInput() {
    Place();
    InputStep();
    Deliver();
}

void OV_GUI::Deliver() {
    OV_MESSAGE message;
    do {
        while (queue.Pop(message)) {
            if (!message.control || !message.gui || !message.control->InTree()) continue;
            OV_MESSAGE_PROC procedure = message.control->messageProc ? message.control->messageProc : DefaultProcedure;
            procedure(message.control, message.gui, message.type, message.aux, message.value, message.extra);
        }
    } while (TellLeaving());
}

bool OV_GUI::DefaultProcedure(OV_CONTROL* control, OV_GUI*, int32_t type, int32_t, int32_t value, void* extra) {
    switch (type) {
    case MSG_KEY_PRESSED: control->lastKey = static_cast<uint8_t>(value); return true;
    case MSG_KEY_RELEASED: control->lastKey = 0; return true;
    case MSG_BUTTON_PRESSED: control->lastButton = static_cast<uint8_t>(value); return true;
    case MSG_BUTTON_RELEASED: control->lastButton = 0; return true;
    case MSG_DETACH: control->node.Detach(); return true;
    case MSG_SET_VISIBLE: control->visible = value != 0; return true;
    case MSG_SET_EDITABLE: control->editable = value != 0; return true;
    case MSG_SET_ACTIVE: control->active = value != 0; return true;
    case MSG_SET_DATA: return control->editable && value >= 0 && control->SetData(extra, static_cast<uint32_t>(value));
    case MSG_SET_TEXT:
        return control->editable && extra &&
               control->SetData(extra, static_cast<uint32_t>(std::strlen(static_cast<const char*>(extra))));
    default: return false;
    }
}

}  // namespace OvCore
