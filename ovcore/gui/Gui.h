// OV_GUI: the GUI, its theme, layouts, messages and frame work.
#pragma once

#include "ovcore/foundation/NamedList.h"
#include "ovcore/gui/Control.h"
#include "ovcore/gui/Message.h"
#include "ovcore/gui/Style.h"
#include "ovcore/render/Font.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace OvCore {

class OV_WINDOW;
class OV_DOCUMENT;
struct OV_NODE;

// Queued messages, first in first out. The storage is kept between frames,
// so a steady GUI posts and delivers without allocating.
class OV_MESSAGE_QUEUE {
public:
    void Push(const OV_MESSAGE& message) { messages_.push_back(message); }  // queues a message
    bool Pop(OV_MESSAGE& out);  // takes the oldest; false when empty
    size_t Count() const { return messages_.size() - head_; }  // messages queued
    void Clear();  // drops every message

private:
    std::vector<OV_MESSAGE> messages_;
    size_t head_ = 0;
};

// The GUI: a tree of controls over the game world, the theme's textures,
// fonts and styles, and the message procedures that layouts name.
//
// Once a frame, inside the world's frame step, the controls are placed, the
// input store is turned into messages for every active control and the
// queue is delivered (ProcessInput); after the world is drawn the tree is
// drawn (Draw). Gui() gives the program's one GUI, which joins the frame
// step and OV_CORE::Clear when it is made.
class OV_GUI {
public:
    // The cursor at the last input step, in the GUI window's pixels:
    int32_t lastMouseX = 0;
    int32_t lastMouseY = 0;
    OV_MESSAGE_QUEUE queue;  // messages waiting for delivery
    OV_CONTROL_NODE root;  // the tree's root; top-level controls are its children
    std::vector<std::unique_ptr<OV_STYLE>> styleList;  // every style, owned
    // The window whose input the GUI reads; null reads the screen.
    OV_WINDOW* window = nullptr;
    // The theme's textures, fonts, the message procedures layouts name, the
    // styles and the controls, each by name:
    OV_NAMED_LIST<OvHandle> themeTextures;
    OV_NAMED_LIST<OV_FONT> themeFonts;
    OV_NAMED_LIST<OV_MESSAGE_PROC> messageProcs;
    OV_NAMED_LIST<OV_STYLE*> styles;
    OV_NAMED_LIST<OV_CONTROL*> controls;
    // Called by the ready controls for clicks and changes; null: not told.
    OV_NOTIFY_PROC notify = nullptr;

    OV_GUI() { root.attached = true; }
    ~OV_GUI();
    OV_GUI(const OV_GUI&) = delete;
    OV_GUI& operator=(const OV_GUI&) = delete;

    // Reads the first Theme element named themeName (compared exactly, case
    // included) of the file: its textures, fonts and styles. False, with the
    // reason in the diagnostics, when the file cannot be read or parsed, when
    // it holds no such theme ("gui: cannot load theme: <name>: no Theme of
    // that name in <path>", naming a theme that differs only in case), and
    // when a Font of the theme does not load ("gui: cannot load theme font:
    // <TexFile>: ..."); the rest of the theme is applied all the same then. A
    // Texture whose file does not load is reported ("gui: cannot load theme
    // texture: <File>: ...") and kept as an empty texture; it fails nothing.
    bool LoadTheme(const char* path, const char* themeName);
    // Creates the controls of the first Group named groupName (compared
    // exactly) of the file. False, with the reason in the diagnostics, when
    // the file cannot be read or parsed or holds no such group ("gui: cannot
    // load layout: <name>: no Group of that name in <path>").
    bool LoadLayout(const char* path, const char* groupName);
    // The same from a document already read ("the document" stands for the
    // path in the reasons).
    bool ApplyTheme(OV_DOCUMENT& document, const char* themeName);
    // The same from a document already read; false without such a group.
    bool ApplyLayout(OV_DOCUMENT& document, const char* groupName);

    // A control with the defaults as the last child of parent (of the root
    // for null); posts MSG_CREATED to it. Null when memory runs out.
    OV_CONTROL* CreateControl(OV_CONTROL* parent);
    // Queue a message, whole or from its parts:
    void Post(const OV_MESSAGE& message) { queue.Push(message); }
    void Post(OV_CONTROL* control, int32_t type, int32_t aux = 0, int32_t value = 0, void* extra = nullptr);
    // Calls notify when it is set.
    void Notify(OV_CONTROL* control, int32_t kind, int32_t value) {
        if (notify) notify(this, control, kind, value);
    }
    // The control stored under name in controls; null when there is none.
    OV_CONTROL* FindControl(const char* name);
    // The style stored under name in styles; null when there is none.
    OV_STYLE* FindStyle(const char* name);
    // The name a style is stored under in styles; null when it is none of them.
    const char* StyleName(const OV_STYLE* style);
    // Destroys the theme textures, releases the fonts, empties every
    // collection and the queue, and deletes every control and style; forgets
    // notify.
    void ClearGui();

    // The GUI's part of the frame step before drawing: Place, InputStep, Deliver.
    void ProcessInput();
    // Places every control (corners from positions and sizes), turns the input
    // store into messages, and delivers the queue to controls still in the tree:
    void Place();
    void InputStep();
    // Delivers the queue until it is empty. Then every control that had the
    // pointer over it and was since hidden, deactivated or detached (itself
    // or an ancestor) gets its leave message, and what that posts is
    // delivered in turn.
    void Deliver();
    // Draws every visible control, parents before children.
    void Draw();

    // What a control without a procedure gets.
    static bool DefaultProcedure(OV_CONTROL* control, OV_GUI* gui, int32_t type, int32_t aux, int32_t value,
                                 void* extra);

private:
    std::vector<std::unique_ptr<OV_CONTROL>> controlList_;
    // The controls the pointer is over (pointerOver set), in entering order.
    std::vector<OV_CONTROL*> hovered_;
    std::vector<OV_CONTROL*> leaving_;
    uint32_t leaveChecks_ = 0;
    // The key messages of this frame, in key order, shared by every control.
    OV_MESSAGE keyMessages_[3 * 255];
    int keyMessageCount_ = 0;

    // source: the file's path for failure reports.
    bool ApplyThemeFrom(OV_DOCUMENT& document, const char* themeName, const char* source);
    bool ApplyLayoutFrom(OV_DOCUMENT& document, const char* groupName, const char* source);
    // Both report a file that does not load; LoadFont returns false then.
    void LoadTexture(const OV_NODE& element, const char* themeName);
    bool LoadFont(const OV_NODE& element, const char* themeName);
    void LoadStyle(const OV_NODE& element);
    void LoadControl(const OV_NODE& element);
    void CollectKeyMessages();
    void PostInput(OV_CONTROL* control, int mouseX, int mouseY);
    bool PointerMayStay(OV_CONTROL* control);
    bool TellLeaving();
    void DrawControl(OV_CONTROL* control, int targetHeight);
};

// The program's GUI, made on first use.
OV_GUI& Gui();

// The GUI's places in the core frame step: its input after the render
// entries' update (UPDATE), its drawing over the world (OVERLAY):
inline constexpr int OV_GUI_INPUT_PLACE = 40;
inline constexpr int OV_GUI_DRAW_PLACE = 10;

}  // namespace OvCore
