// The ready controls driven through the input store and the GUI's frame:
// looks, notifications, values, and the parts they add.
#include "GuiTestSupport.h"

#include "ovcore/gui/controls/ReadyControls.h"

using namespace OvCore;
using OvTest::Joined;

namespace {

std::vector<std::string>& Told() {
    static std::vector<std::string> told;
    return told;
}

void Record(OV_GUI*, OV_CONTROL* control, int32_t kind, int32_t value) {
    Told().push_back(std::string(control->name.Get()) + " " + std::to_string(kind) + " " + std::to_string(value));
}

class ReadyControls : public OvTest::GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        Told().clear();
        ASSERT_TRUE(RegisterReadyControls(gui));
        gui.notify = Record;
        const std::string theme = R"(<Theme Name="T">
	<Style Name="B"/><Style Name="B.Hover"/><Style Name="B.Pressed"/><Style Name="B.Disabled"/>
	<Style Name="B.Mark"/><Style Name="B.Thumb"/><Style Name="B.Caret"/><Style Name="B.Focus"/>
	<Style Name="B.Row"/><Style Name="B.Selected"/>
	<Style Name="Plain"/>
</Theme>)";
        const std::string layout = R"(<Group Name="G">
	<Control Name="button"><Position Value="0:0"/><Size Value="100:20"/><Style Name="B"/><MessageProc Name="Button"/></Control>
	<Control Name="check"><Position Value="0:30"/><Size Value="100:20"/><Style Name="B"/><MessageProc Name="CheckBox"/>
		<ExtendData>checked=1</ExtendData></Control>
	<Control Name="slider"><Position Value="0:60"/><Size Value="110:20"/><Style Name="B"/><MessageProc Name="Slider"/>
		<ExtendData>min=10 max=60 step=5 value=23 other=x</ExtendData></Control>
	<Control Name="entry"><Position Value="0:90"/><Size Value="100:20"/><Style Name="B"/><MessageProc Name="TextEntry"/>
		<Data>abc</Data><ExtendData>limit=5</ExtendData></Control>
	<Control Name="list"><Position Value="0:120"/><Size Value="100:50"/><Style Name="B"/><MessageProc Name="List"/>
		<Data>zero|one|two|three|four</Data><ExtendData>row=20</ExtendData></Control>
	<Control Name="plain"><Position Value="0:200"/><Size Value="100:20"/><Style Name="Plain"/><MessageProc Name="Button"/></Control>
</Group>)";
        ASSERT_TRUE(gui.LoadTheme(OvTest::WriteFile("ready-theme.xml", theme).c_str(), "T"));
        ASSERT_TRUE(gui.LoadLayout(OvTest::WriteFile("ready-layout.xml", layout).c_str(), "G"));
        InputStore().cursor = POINT{500, 500};
        Frame();
        gui.Place();  // the parts made in the first delivery
    }

    OV_STYLE* Look(const char* name) { return gui.FindStyle(name); }
    OV_CONTROL* Named(const char* name) { return gui.FindControl(name); }

    void Frame() {
        gui.ProcessInput();
        ResetInput(false);
        ClearTypedChars();
    }
    void Point(int x, int y) {
        InputStore().cursor = POINT{x, y};
        Frame();
    }
    void Press() {
        SetMouseHeld(1, 1);
        SetMousePressed(1, 1);
        Frame();
    }
    void Release() {
        SetMouseHeld(1, 0);
        SetMouseReleased(1, 1);
        Frame();
    }
    void Key(int key) {
        SetKeyPressed(key, 1);
        Frame();
    }
    void Type(const char* text) {
        for (const char* c = text; *c; ++c) InputStore().Char(static_cast<unsigned char>(*c));
        Frame();
    }
    std::string TakeTold() {
        const std::string told = Joined(Told());
        Told().clear();
        return told;
    }
};

}  // namespace

TEST_F(ReadyControls, ButtonLooksFollowThePointerAndOnlyAClickInsideIsTold) {
    OV_CONTROL* button = Named("button");
    EXPECT_EQ(button->style, Look("B"));
    EXPECT_TRUE(button->alignText);
    Point(50, 10);
    EXPECT_EQ(button->style, Look("B.Hover"));
    Press();
    EXPECT_EQ(button->style, Look("B.Pressed"));
    Release();
    EXPECT_EQ(TakeTold(), "button 1 0");
    EXPECT_EQ(button->style, Look("B.Hover"));

    // Pressed, dragged out and let go outside, then back: no click.
    Press();
    Point(150, 10);
    EXPECT_EQ(button->style, Look("B"));
    Release();
    Point(50, 10);
    Release();
    EXPECT_EQ(TakeTold(), "");
    // Pressed outside, let go inside: no click either.
    Point(150, 10);
    Press();
    Point(50, 10);
    Release();
    EXPECT_EQ(TakeTold(), "");
    // Enter over it clicks.
    Key(13);
    EXPECT_EQ(TakeTold(), "button 1 0");

    // Deactivated under the pointer: disabled look, and no clicks.
    gui.Post(button, MSG_SET_ACTIVE, 0, 0);
    Frame();
    EXPECT_EQ(button->style, Look("B.Disabled"));
    Press();
    Release();
    EXPECT_EQ(TakeTold(), "");
    gui.Post(button, MSG_SET_ACTIVE, 0, 1);
    Frame();
    EXPECT_EQ(button->style, Look("B"));
    Frame();  // entered again
    EXPECT_EQ(button->style, Look("B.Hover"));

    // A style without looks keeps itself; a click still tells.
    OV_CONTROL* plain = Named("plain");
    Point(50, 210);
    Press();
    EXPECT_EQ(plain->style, Look("Plain"));
    Release();
    EXPECT_EQ(TakeTold(), "plain 1 0");

    // The application clears the GUI when told: nothing is touched after.
    gui.notify = [](OV_GUI* owner, OV_CONTROL*, int32_t, int32_t) { owner->ClearGui(); };
    Press();
    Release();
    EXPECT_EQ(gui.root.firstChild, nullptr);
}

TEST_F(ReadyControls, CheckBoxAndSliderValues) {
    OV_CONTROL* check = Named("check");
    ASSERT_NE(check->node.firstChild, nullptr);
    OV_CONTROL* mark = check->node.firstChild->control;
    EXPECT_EQ(mark->style, Look("B.Mark"));
    EXPECT_FLOAT_EQ(mark->corners[0].x, 3);
    EXPECT_FLOAT_EQ(mark->corners[2].y, 47);
    EXPECT_EQ(ReadyValue(check), 1);
    EXPECT_TRUE(mark->visible);
    Point(50, 40);
    Press();
    Release();
    EXPECT_EQ(ReadyValue(check), 0);
    EXPECT_FALSE(mark->visible);
    Press();
    Release();
    EXPECT_EQ(TakeTold(), "check 2 0|check 2 1");
    EXPECT_TRUE(SetReadyValue(check, 0));
    EXPECT_FALSE(mark->visible);
    EXPECT_EQ(TakeTold(), "");

    // 10 to 60 in steps of 5 over 110 pixels, the thumb 10 wide: 100 pixels
    // of travel, 2 pixels a unit. 23 rounds to 25.
    OV_CONTROL* slider = Named("slider");
    OV_CONTROL* thumb = slider->node.firstChild->control;
    EXPECT_EQ(ReadyValue(slider), 25);
    EXPECT_EQ(thumb->position.x, 30);
    EXPECT_EQ(thumb->size.x, 10);
    Point(5 + 40, 70);  // the thumb's centre at 40 of travel: 30
    Press();
    EXPECT_EQ(ReadyValue(slider), 30);
    EXPECT_EQ(slider->style, Look("B.Pressed"));
    Point(5 + 51, 70);  // 35.5 rounds to 35
    EXPECT_EQ(ReadyValue(slider), 35);
    Point(400, 300);  // dragged far outside: the end
    EXPECT_EQ(ReadyValue(slider), 60);
    EXPECT_EQ(thumb->position.x, 100);
    Release();
    Point(0, 70);  // no longer dragging
    EXPECT_EQ(ReadyValue(slider), 60);
    InputStore().wheelDown = true;
    Frame();
    Key(37);
    EXPECT_EQ(ReadyValue(slider), 50);
    Key(39);
    Key(39);
    Key(39);
    EXPECT_EQ(ReadyValue(slider), 60);
    EXPECT_EQ(TakeTold(), "slider 2 30|slider 2 35|slider 2 60|slider 2 55|slider 2 50|slider 2 55|slider 2 60");
    EXPECT_TRUE(SetReadyValue(slider, -1000));
    EXPECT_EQ(ReadyValue(slider), 10);
    EXPECT_FALSE(SetReadyValue(Named("button"), 1));
}

TEST_F(ReadyControls, TextEntryEditsAtItsCaretWithinItsLimit) {
    OV_CONTROL* entry = Named("entry");
    OV_CONTROL* caret = entry->node.firstChild->control;
    EXPECT_FALSE(caret->visible);
    Type("x");  // not focused yet
    EXPECT_STREQ(entry->Text(), "abc");
    Point(50, 100);
    Press();
    Release();
    EXPECT_TRUE(caret->visible);
    EXPECT_EQ(entry->style, Look("B.Focus"));
    Type(
        "de\x7f"
        "fg");  // 127 is no character; the limit of 5 stops "g"
    EXPECT_STREQ(entry->Text(), "abcde");
    Key(36);  // Home
    Key(46);  // Delete
    Key(39);  // Right
    Key(8);  // Backspace
    EXPECT_STREQ(entry->Text(), "cde");
    Key(8);  // at the start: nothing
    Key(35);  // End
    Type("Z");
    EXPECT_STREQ(entry->Text(), "cdeZ");
    Key(37);  // Left
    Type("Y");
    EXPECT_STREQ(entry->Text(), "cdeYZ");
    Key(13);
    EXPECT_EQ(TakeTold(), "entry 2 4|entry 2 5|entry 2 4|entry 2 3|entry 2 4|entry 2 5|entry 3 5");
    // Read-only: keys move the caret but change nothing.
    entry->editable = false;
    Key(8);
    Type("q");
    EXPECT_STREQ(entry->Text(), "cdeYZ");
    entry->editable = true;
    // Text set by the application is cut to the limit.
    gui.Post(entry, MSG_SET_TEXT, 0, 0, const_cast<char*>("123456789"));
    Frame();
    EXPECT_STREQ(entry->Text(), "12345");
    // A click elsewhere takes the keyboard away.
    Point(300, 300);
    Press();
    Release();
    EXPECT_FALSE(caret->visible);
    EXPECT_EQ(entry->style, Look("B"));
    Type("w");
    EXPECT_STREQ(entry->Text(), "12345");
    EXPECT_EQ(ReadyValue(entry), 5);
}

TEST_F(ReadyControls, ListSelectsAndScrollsItsRows) {
    OV_CONTROL* list = Named("list");
    EXPECT_STREQ(list->Text(), "");
    ASSERT_EQ(ListItemCount(list), 5);
    EXPECT_STREQ(ListItem(list, 4), "four");
    EXPECT_EQ(ListItem(list, 5), nullptr);
    std::vector<OV_CONTROL*> rows;
    for (OV_CONTROL_NODE* node = list->node.firstChild; node; node = node->next) rows.push_back(node->control);
    ASSERT_EQ(rows.size(), 2u);  // 50 pixels hold two rows of 20
    EXPECT_STREQ(rows[1]->Text(), "one");
    EXPECT_EQ(ReadyValue(list), -1);

    Point(50, 145);  // the second row
    Press();
    EXPECT_EQ(ReadyValue(list), 1);
    EXPECT_EQ(rows[1]->style, Look("B.Selected"));
    EXPECT_EQ(rows[0]->style, Look("B.Row"));
    for (int i = 0; i < 5; ++i) {
        InputStore().wheelDown = true;
        Frame();
    }
    // Scrolled to the end: three, four.
    EXPECT_STREQ(rows[0]->Text(), "three");
    EXPECT_STREQ(rows[1]->Text(), "four");
    EXPECT_EQ(rows[0]->style, Look("B.Row"));
    Press();
    EXPECT_EQ(ReadyValue(list), 4);
    Key(38);
    Key(38);  // up to two: scrolled into view
    EXPECT_STREQ(rows[0]->Text(), "two");
    Point(50, 165);  // below the rows, inside the list
    Press();
    EXPECT_EQ(ReadyValue(list), 2);
    EXPECT_EQ(TakeTold(), "list 2 1|list 2 4|list 2 3|list 2 2");

    ASSERT_TRUE(SetListItems(list, "only|"));
    EXPECT_EQ(ListItemCount(list), 2);
    EXPECT_EQ(ReadyValue(list), -1);
    EXPECT_TRUE(rows[1]->visible);
    ASSERT_TRUE(SetListItems(list, nullptr));
    EXPECT_FALSE(rows[0]->visible);
    EXPECT_FALSE(SetListItems(Named("button"), "a"));
}
