// The input step, delivery and the default procedure, from the input store.
#include "GuiTestSupport.h"

#include "ovcore/app/Window.h"

#include <cstring>

using namespace OvCore;
using OvTest::Joined;
using OvTest::Received;

namespace {

class GuiMessages : public OvTest::GuiFixture {
protected:
    // Delivers what is queued (the creation messages) and forgets it.
    void Settle() {
        gui.Deliver();
        Received().clear();
    }
    void Frame() {
        gui.ProcessInput();
        ResetInput(false);
    }
    static void Cursor(int x, int y) { InputStore().cursor = POINT{x, y}; }
};

}  // namespace

TEST_F(GuiMessages, EveryInputMessageInItsOrder) {
    Make("a", nullptr, 10, 10, 20, 20);
    Settle();
    Cursor(15, 16);
    SetKeyHeld(65, 1);
    SetKeyPressed(65, 1);
    SetKeyReleased(66, 1);
    InputStore().Char('x');
    InputStore().Char('y');
    SetMouseHeld(1, 1);
    SetMousePressed(1, 1);
    SetMouseReleased(2, 1);
    InputStore().wheelUp = true;
    Frame();
    EXPECT_EQ(Joined(Received()),
              "a 19 16 15|a 1 0 65|a 0 0 65|a 2 0 66|a 3 0 120|a 3 0 121|a 10 0 0|a 5 0 1|a 4 0 1|a 6 0 2|"
              "a 5 0 4|a 7 16 15|a 8 0 0");
    EXPECT_EQ(gui.lastMouseX, 15);
    EXPECT_EQ(gui.lastMouseY, 16);

    // Still, then leaving; the borders belong to the control.
    ClearTypedChars();
    SetKeyHeld(65, 0);
    SetMouseHeld(1, 0);
    Received().clear();
    Frame();
    EXPECT_EQ(Joined(Received()), "a 19 16 15|a 10 0 0");
    Received().clear();
    Cursor(30, 30);
    Frame();
    EXPECT_EQ(Joined(Received()), "a 19 30 30|a 10 0 0|a 7 14 15");
    Received().clear();
    Cursor(31, 30);
    Frame();
    EXPECT_EQ(Joined(Received()), "a 19 30 31|a 11 0 0|a 9 0 0");
    Received().clear();
    Frame();
    EXPECT_EQ(Joined(Received()), "a 19 30 31|a 11 0 0");

    // Relative to the GUI's window; message 19 stays on the screen.
    OV_WINDOW window;
    window.x = 20;
    window.y = 20;
    gui.window = &window;
    Received().clear();
    Frame();
    EXPECT_EQ(Joined(Received()), "a 19 30 31|a 10 0 0|a 7 -20 -20|a 8 0 0");
    EXPECT_EQ(gui.lastMouseX, 11);
}

TEST_F(GuiMessages, InactiveControlsAndTheirChildrenGetNoInputAndKeysReachEveryone) {
    OV_CONTROL* a = Make("a", nullptr, 0, 0, 10, 10);
    Make("a1", a, 0, 0, 5, 5);
    OV_CONTROL* b = Make("b", nullptr, 0, 0, 10, 10);
    Make("b1", b, 0, 0, 5, 5);
    Make("c", nullptr, 0, 0, 10, 10);
    b->active = false;
    Settle();
    Cursor(500, 500);
    SetKeyPressed(13, 1);
    Frame();
    EXPECT_EQ(Joined(Received()),
              "a 19 500 500|a 0 0 13|a 11 0 0|a1 19 500 500|a1 0 0 13|a1 11 0 0|"
              "c 19 500 500|c 0 0 13|c 11 0 0");
    EXPECT_EQ(a->lastKey, 13);
}

TEST_F(GuiMessages, MouseTestsAreClippedToACuttingParent) {
    OV_CONTROL* parent = Make("p", nullptr, 10, 10, 40, 40);
    OV_CONTROL* child = Make("k", parent, 30, 30, 30, 30);
    Settle();
    gui.Place();
    EXPECT_FLOAT_EQ(child->corners[2].x, 70);
    EXPECT_FLOAT_EQ(child->corners[3].y, 70);
    auto childSaw = [&](int x, int y) {
        Cursor(x, y);
        gui.lastMouseX = x;
        gui.lastMouseY = y;
        Received().clear();
        Frame();
        for (const std::string& line : Received())
            if (line == "k 10 0 0" || line == "k 11 0 0") return line.substr(2, 2);
        return std::string("none");
    };
    EXPECT_EQ(childSaw(60, 60), "11");
    EXPECT_EQ(childSaw(50, 50), "10");
    child->cutArea = false;
    EXPECT_EQ(childSaw(60, 60), "10");
    child->cutArea = true;
    parent->cutArea = false;
    EXPECT_EQ(childSaw(60, 60), "10");
    parent->active = false;
    EXPECT_EQ(childSaw(60, 60), "none");
}

TEST_F(GuiMessages, DefaultProcedureCommandsAndTheirRefusals) {
    OV_CONTROL* c = gui.CreateControl(nullptr);
    auto send = [&](int32_t type, int32_t value, const void* extra = nullptr) {
        return OV_GUI::DefaultProcedure(c, &gui, type, 0, value, const_cast<void*>(extra));
    };
    EXPECT_TRUE(send(MSG_SET_TEXT, 0, "hello"));
    EXPECT_STREQ(c->Text(), "hello");
    EXPECT_EQ(c->data.capacity, 6u);
    EXPECT_TRUE(send(MSG_SET_DATA, 2, "xyz"));
    EXPECT_STREQ(c->Text(), "xy");
    EXPECT_FALSE(send(MSG_SET_DATA, -1, "xyz"));
    EXPECT_FALSE(send(MSG_SET_TEXT, 0, nullptr));
    EXPECT_TRUE(send(MSG_SET_EDITABLE, 0));
    EXPECT_FALSE(send(MSG_SET_TEXT, 0, "refused"));
    EXPECT_FALSE(send(MSG_SET_DATA, 3, "abc"));
    EXPECT_STREQ(c->Text(), "xy");
    EXPECT_TRUE(send(MSG_SET_VISIBLE, 0));
    EXPECT_TRUE(send(MSG_SET_ACTIVE, 0));
    EXPECT_FALSE(c->visible || c->active || c->editable);
    EXPECT_TRUE(send(MSG_SET_VISIBLE, 7));
    EXPECT_TRUE(c->visible);
    EXPECT_TRUE(send(MSG_KEY_PRESSED, 65));
    EXPECT_TRUE(send(MSG_BUTTON_PRESSED, 2));
    EXPECT_EQ(c->lastKey + c->lastButton * 1000, 2065);
    EXPECT_TRUE(send(MSG_KEY_RELEASED, 65));
    EXPECT_TRUE(send(MSG_BUTTON_RELEASED, 2));
    EXPECT_EQ(c->lastKey + c->lastButton, 0);
    for (int32_t type : std::initializer_list<int32_t>{MSG_KEY_HELD, MSG_CHAR, MSG_BUTTON_HELD, MSG_MOUSE_MOVED,
                                                       MSG_MOUSE_ENTERED, MSG_MOUSE_LEFT, MSG_MOUSE_OVER,
                                                       MSG_MOUSE_OUTSIDE, MSG_CREATED, MSG_FRAME, 20, -1})
        EXPECT_FALSE(send(type, 1)) << type;
}

TEST_F(GuiMessages, DeliveryDropsDetachedControlsAndRunsWhatIsPostedMeanwhile) {
    OV_CONTROL* parent = Make("p", nullptr, 0, 0, 10, 10);
    OV_CONTROL* child = Make("k", parent, 0, 0, 10, 10);
    static OV_CONTROL* s_echoTo = nullptr;
    parent->messageProc = [](OV_CONTROL* control, OV_GUI* owner, int32_t type, int32_t aux, int32_t value,
                             void* extra) {
        OvTest::Journal(control, owner, type, aux, value, extra);
        if (type == MSG_CREATED) owner->Post(s_echoTo, MSG_SET_ACTIVE, 0, 0);
        return true;
    };
    s_echoTo = child;
    gui.Post(OV_MESSAGE{nullptr, &gui, MSG_SET_VISIBLE, 0, 0, nullptr});
    gui.Post(OV_MESSAGE{child, nullptr, MSG_SET_VISIBLE, 0, 0, nullptr});
    gui.Deliver();
    EXPECT_EQ(Joined(Received()), "p 12 0 0|k 12 0 0|k 16 0 0");
    EXPECT_FALSE(child->active);
    EXPECT_TRUE(child->visible);
    EXPECT_EQ(gui.queue.Count(), 0u);

    Received().clear();
    gui.Post(parent, MSG_DETACH);
    gui.Post(parent, MSG_SET_VISIBLE, 0, 0);
    gui.Post(child, MSG_SET_VISIBLE, 0, 0);
    gui.Deliver();
    EXPECT_EQ(Joined(Received()), "p 13 0 0");
    EXPECT_TRUE(parent->visible && child->visible);
    EXPECT_FALSE(parent->InTree() || child->InTree());
    EXPECT_EQ(gui.root.firstChild, nullptr);
    // A control made below a detached one is out of the tree from the start.
    OV_CONTROL* late = Make("l", child, 0, 0, 1, 1);
    EXPECT_FALSE(late->InTree());
    Received().clear();
    gui.Deliver();
    EXPECT_EQ(Joined(Received()), "");

    // Clearing the GUI from a procedure ends the delivery.
    OV_CONTROL* clearing = gui.CreateControl(nullptr);
    clearing->messageProc = [](OV_CONTROL*, OV_GUI* owner, int32_t, int32_t, int32_t, void*) {
        owner->ClearGui();
        return true;
    };
    gui.Post(clearing, MSG_SET_VISIBLE);
    gui.Deliver();
    EXPECT_EQ(gui.queue.Count(), 0u);
    EXPECT_EQ(gui.root.firstChild, nullptr);
}

TEST_F(GuiMessages, AControlUnderThePointerIsToldItWasLeftHoweverItGoes) {
    OV_CONTROL* panel = Make("p", nullptr, 0, 0, 50, 50);
    OV_CONTROL* button = Make("b", panel, 10, 10, 20, 20);
    Make("c", nullptr, 0, 0, 50, 50);
    Settle();
    // Only the hover messages: enter and leave.
    auto hover = [] {
        std::vector<std::string> lines;
        for (const std::string& line : Received()) {
            const std::string type = line.substr(2, line.find(' ', 2) - 2);
            if (type == "8" || type == "9" || type == "13" || type == "14") lines.push_back(line);
        }
        Received().clear();
        return Joined(lines);
    };
    Cursor(15, 15);
    Frame();
    EXPECT_EQ(hover(), "p 8 0 0|b 8 0 0|c 8 0 0");

    // Hidden by a message during delivery: told in the same delivery, once.
    gui.Post(panel, MSG_SET_VISIBLE, 0, 0);
    gui.Deliver();
    EXPECT_EQ(hover(), "p 14 0 0|p 9 0 0|b 9 0 0");
    Frame();
    EXPECT_EQ(hover(), "");
    gui.Post(panel, MSG_SET_VISIBLE, 0, 1);
    Frame();  // shown after this frame's input step: entered in the next
    EXPECT_EQ(hover(), "p 14 0 1");
    Frame();
    EXPECT_EQ(hover(), "p 8 0 0|b 8 0 0");

    // Hidden or deactivated by a field between frames: told in the next input
    // step (the hidden one is still walked; the inactive one only told).
    panel->visible = false;
    Frame();
    EXPECT_EQ(hover(), "p 9 0 0|b 9 0 0");
    panel->visible = true;
    Frame();
    EXPECT_EQ(hover(), "p 8 0 0|b 8 0 0");
    panel->active = false;
    Frame();
    EXPECT_EQ(hover(), "p 9 0 0|b 9 0 0");
    panel->active = true;
    Frame();
    EXPECT_EQ(hover(), "p 8 0 0|b 8 0 0");

    // Detached: the leave reaches it although its other messages are dropped.
    gui.Post(panel, MSG_DETACH);
    gui.Post(button, MSG_SET_VISIBLE, 0, 0);
    gui.Deliver();
    EXPECT_EQ(hover(), "p 13 0 0|p 9 0 0|b 9 0 0");
    EXPECT_TRUE(button->visible);
    Frame();
    EXPECT_EQ(hover(), "");
    EXPECT_FALSE(panel->pointerOver || button->pointerOver);

    // A procedure that clears the GUI when told it was left ends the check.
    OV_CONTROL* clearing = gui.CreateControl(nullptr);
    clearing->size = OV_VECTOR(50, 50);
    Frame();
    clearing->messageProc = [](OV_CONTROL*, OV_GUI* owner, int32_t type, int32_t, int32_t, void*) {
        if (type == MSG_MOUSE_LEFT) owner->ClearGui();
        return true;
    };
    OV_CONTROL* second = gui.CreateControl(nullptr);
    second->size = OV_VECTOR(50, 50);
    Frame();
    clearing->node.Detach();
    second->node.Detach();
    gui.Deliver();
    EXPECT_EQ(gui.root.firstChild, nullptr);
}
