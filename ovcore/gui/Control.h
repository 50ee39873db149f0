// OV_CONTROL and OV_CONTROL_NODE: the controls of the GUI and their tree.
#pragma once

#include "ovcore/data/Buffer.h"
#include "ovcore/engine/OrvoCore.h"
#include "ovcore/foundation/EngineHandle.h"
#include "ovcore/foundation/String.h"
#include "ovcore/foundation/Vector.h"
#include "ovcore/foundation/VectorF.h"
#include "ovcore/gui/Message.h"
#include "ovcore/gui/Style.h"

#include <cstdint>
#include <memory>

namespace OvCore {

class OV_CONTROL;

// What a ready control (ovcore/gui/controls/) keeps beside the fields of
// its control: owned by the control, made by its procedure.
class OV_CONTROL_STATE {
public:
    virtual ~OV_CONTROL_STATE() = default;
    // The control's value: 0 or 1 for a check box, the position of a slider,
    // the selected row of a list (-1 for none), the text length of a text
    // entry; 0 for others.
    virtual int32_t Value() const { return 0; }
    // Sets the value as a user would, without telling the application;
    // false when the control has no value. Out-of-range values are clamped.
    virtual bool SetValue(OV_CONTROL& control, int32_t value) {
        (void)control;
        (void)value;
        return false;
    }
};

// A control's place in the GUI tree; the GUI's root is one without a control.
struct OV_CONTROL_NODE {
    OV_CONTROL* control = nullptr;  // the node's control; null for the root
    // The parent, the neighbouring siblings, and the first and last child (null when none):
    OV_CONTROL_NODE* parent = nullptr;
    OV_CONTROL_NODE* prev = nullptr;
    OV_CONTROL_NODE* next = nullptr;
    OV_CONTROL_NODE* firstChild = nullptr;
    OV_CONTROL_NODE* lastChild = nullptr;
    // True while the node hangs below a GUI's root (the root itself is), so
    // delivery tells detached controls apart without walking up the tree.
    bool attached = false;

    // Appends a node without children; it is attached when this node is.
    void Append(OV_CONTROL_NODE* child);
    // Takes this node (with its subtree) out of its parent's children; the
    // whole subtree is detached.
    void Detach();

private:
    void MarkDetached();
};

// A rectangle of the GUI: placed relative to its parent's corner 0, drawn
// with its style, holding its text in data. Made by OV_GUI::CreateControl
// and owned by the GUI until it is cleared.
class OV_CONTROL {
public:
    // Absolute corners 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left,
    // recomputed every frame.
    OV_VECTORF corners[4];
    OV_GUI* gui = nullptr;  // the GUI that made the control
    OV_CONTROL_NODE node;  // its place in the tree
    OV_VECTOR position{0, 0, 0, 1};  // corner 0 relative to the parent's corner 0, in pixels
    OV_VECTOR size{0, 0, 0, 1};  // width and height in pixels
    OV_STYLE* style = nullptr;  // null: the control itself is not drawn
    OV_BUFFER data;  // the control's text, zero-terminated
    OvHandle icon = EmptyHandle();  // a theme texture drawn in the style's icon rectangle; empty: none
    bool active = true;  // receives input messages (and so do its children)
    bool visible = true;  // drawn (and so are its children)
    bool editable = true;  // the default procedure accepts new data
    bool cutArea = true;  // drawing and mouse tests are clipped to the control
    uint8_t lastKey = 0;  // the default procedure's last pressed key (0 after its release)
    uint8_t lastButton = 0;  // the default procedure's last pressed button (0 after its release)
    // The procedure that gets the control's messages; null: DefaultProcedure.
    OV_MESSAGE_PROC messageProc = nullptr;
    OV_BUFFER extendData;  // the layout's ExtendData text, zero-terminated, for the procedure
    // True from the enter message (8) the GUI posted to the control until
    // its leave message (9): every enter is followed by exactly one leave,
    // also when the control is hidden, deactivated or detached while under
    // the pointer.
    bool pointerOver = false;

    // Set: the text is placed in the control's rectangle by the style's
    // alignment (left edge, centre or right edge; top, middle or bottom),
    // then moved by the style's text offset. Clear: at the text offset from
    // corner 0, aligned about that point. Ready controls set it.
    bool alignText = false;
    // The Name the layout gave the control ("" for none).
    OV_STRING name;
    // The state of a ready control; null for others.
    std::unique_ptr<OV_CONTROL_STATE> state;

    // Kept by the GUI's input step and its leave check; not for applications.
    bool shownForInput = true;  // this control and its ancestors are visible
    uint32_t leaveCheck = 0;  // the leave check that last looked at it
    bool leaveCheckOk = false;  // its verdict: the pointer may still be over it

    OV_CONTROL() { node.control = this; }
    OV_CONTROL(const OV_CONTROL&) = delete;
    OV_CONTROL& operator=(const OV_CONTROL&) = delete;

    // The text of data ("" when it is empty).
    const char* Text() const;
    // Replaces data by n bytes and a terminating zero, cursor after the n bytes.
    bool SetData(const void* bytes, uint32_t n);
    // True while the control hangs below its GUI's root.
    bool InTree() const;
    // The parent control; null below the root.
    OV_CONTROL* Parent() const { return node.parent ? node.parent->control : nullptr; }
};

}  // namespace OvCore
