#include "ovcore/app/Input.h"
#include "ovcore/app/Window.h"
#include "ovcore/gui/ControlWalk.h"
#include "ovcore/gui/Gui.h"

namespace OvCore {

namespace {

constexpr int kMouseButtons = 5;

// Corners of a control from its parent's corner 0 (the origin for the root).
void PlaceControl(OV_CONTROL& control) {
    const OV_CONTROL* parent = control.Parent();
    const OV_VECTORF origin = parent ? parent->corners[0] : OV_VECTORF(0, 0, 0, 1);
    const auto x = static_cast<float>(control.position.x);
    const auto y = static_cast<float>(control.position.y);
    const auto z = static_cast<float>(control.position.z);
    const auto width = static_cast<float>(control.size.x);
    const auto height = static_cast<float>(control.size.y);
    control.corners[0] = OV_VECTORF(origin.x + x, origin.y + y, origin.z + z, 1);
    control.corners[1] = OV_VECTORF(origin.x + x + width, origin.y + y, origin.z + z, 1);
    control.corners[2] = OV_VECTORF(origin.x + x + width, origin.y + y + height, origin.z + z, 1);
    control.corners[3] = OV_VECTORF(origin.x + x, origin.y + y + height, origin.z + z, 1);
}

}  // namespace

void OV_GUI::Place() {
    WalkControls(root, [](OV_CONTROL* control) {
        PlaceControl(*control);
        return true;
    });
}

void OV_GUI::CollectKeyMessages() {
    keyMessageCount_ = 0;
    auto add = [this](int32_t type, int key) {
        keyMessages_[keyMessageCount_++] = OV_MESSAGE{nullptr, this, type, 0, key, nullptr};
    };
    for (int key = 1; key < OV_INPUT::kKeys; ++key) {
        if (KeyHeld(key)) add(MSG_KEY_HELD, key);
        if (KeyPressed(key)) add(MSG_KEY_PRESSED, key);
        if (KeyReleased(key)) add(MSG_KEY_RELEASED, key);
    }
}

void OV_GUI::InputStep() {
    CollectKeyMessages();
    const int mouseX = window ? CursorXIn(*window) : CursorX();
    const int mouseY = window ? CursorYIn(*window) : CursorY();
    WalkControls(root, [&](OV_CONTROL* control) {
        if (!control->active) return false;
        const OV_CONTROL* parent = control->Parent();
        control->shownForInput = control->visible && (!parent || parent->shownForInput);
        PostInput(control, mouseX, mouseY);
        return true;
    });
    lastMouseX = mouseX;
    lastMouseY = mouseY;
}

void OV_GUI::PostInput(OV_CONTROL* control, int mouseX, int mouseY) {
    Post(control, MSG_FRAME, CursorY(), CursorX());
    for (int i = 0; i < keyMessageCount_; ++i) {
        OV_MESSAGE message = keyMessages_[i];
        message.control = control;
        queue.Push(message);
    }
    const OV_TYPED_CHAR_QUEUE& typed = InputStore().typedChars;
    const char* chars = typed.Data();
    for (size_t i = 0; i < typed.Count(); ++i) Post(control, MSG_CHAR, 0, static_cast<unsigned char>(chars[i]));

    const OV_GUI_RECT own = OV_GUI_RECT::Of(*control);
    OV_GUI_RECT test = own;
    OV_GUI_RECT clip;
    if (control->cutArea && ClipFromParent(*control, &clip)) test = own.Intersect(clip);
    const auto x = static_cast<float>(mouseX);
    const auto y = static_cast<float>(mouseY);
    // A hidden control is never under the pointer.
    if (!control->shownForInput || !test.Contains(x, y)) {
        Post(control, MSG_MOUSE_OUTSIDE);
        if (control->pointerOver) {
            control->pointerOver = false;
            Post(control, MSG_MOUSE_LEFT);
        }
        return;
    }
    Post(control, MSG_MOUSE_OVER);
    const int32_t outsideOwn = own.Contains(x, y) ? 0 : 1;
    for (int button = 1; button <= kMouseButtons; ++button) {
        if (MouseHeld(button)) Post(control, MSG_BUTTON_HELD, outsideOwn, button);
        if (MousePressed(button)) Post(control, MSG_BUTTON_PRESSED, outsideOwn, button);
        if (MouseReleased(button)) Post(control, MSG_BUTTON_RELEASED, outsideOwn, button);
    }
    if (mouseX != lastMouseX || mouseY != lastMouseY)
        Post(control, MSG_MOUSE_MOVED, mouseY - lastMouseY, mouseX - lastMouseX);
    if (!control->pointerOver) {
        control->pointerOver = true;
        hovered_.push_back(control);
        Post(control, MSG_MOUSE_ENTERED);
    }
}

// Whether the control and every ancestor are active and visible and it
// hangs in the tree. Each check marks the controls it walked up through, so
// that a check over all hovered controls stays linear in the tree's depth.
bool OV_GUI::PointerMayStay(OV_CONTROL* control) {
    OV_CONTROL* up = control;
    bool ok = true;
    while (up && up->leaveCheck != leaveChecks_) {
        if (!up->active || !up->visible) {
            ok = false;
            break;
        }
        up = up->Parent();
    }
    if (ok && up) ok = up->leaveCheckOk;
    // The path walked, up to a failing control (included) or a checked one (not).
    OV_CONTROL* end = up && up->leaveCheck != leaveChecks_ ? up->Parent() : up;
    for (OV_CONTROL* mark = control; mark != end; mark = mark->Parent()) {
        mark->leaveCheck = leaveChecks_;
        mark->leaveCheckOk = ok;
    }
    return ok && control->InTree();
}

// Tells every hovered control that was hidden, deactivated or detached
// since the input step (itself or an ancestor) that the pointer left it:
// posted to a control in the tree, given at once to a detached one, whose
// messages the queue would drop. True when something was posted.
bool OV_GUI::TellLeaving() {
    if (hovered_.empty()) return false;
    ++leaveChecks_;
    size_t kept = 0;
    for (OV_CONTROL* control : hovered_) {
        if (!control->pointerOver) continue;
        if (PointerMayStay(control)) {
            hovered_[kept++] = control;
        } else {
            control->pointerOver = false;
            leaving_.push_back(control);
        }
    }
    hovered_.resize(kept);
    bool posted = false;
    // Taken off the front one at a time: a procedure that clears the GUI
    // empties the list, one that delivers again tells the rest itself.
    while (!leaving_.empty()) {
        OV_CONTROL* control = leaving_.front();
        leaving_.erase(leaving_.begin());
        if (control->InTree()) {
            Post(control, MSG_MOUSE_LEFT);
            posted = true;
        } else {
            OV_MESSAGE_PROC procedure = control->messageProc ? control->messageProc : DefaultProcedure;
            procedure(control, this, MSG_MOUSE_LEFT, 0, 0, nullptr);
        }
    }
    return posted;
}

}  // namespace OvCore
