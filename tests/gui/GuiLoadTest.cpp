// Themes and layouts read from files.
#include "GuiTestSupport.h"

#include <cstring>

using namespace OvCore;
using OvTest::WriteFile;

namespace {

bool Same(const OV_VECTORF& v, float x, float y, float z, float w) {
    return v.x == x && v.y == y && v.z == z && v.w == w;
}
bool Same(const OV_VECTOR& v, double x, double y, double z, double w) {
    return v.x == x && v.y == y && v.z == z && v.w == w;
}

const char* kTheme = R"(<Theme Name="Other"><Style Name="plain"><AsBorder Mode="On"/></Style></Theme>
<Theme Name="Main">
	<Style Name="plain" />
	<Style Name="styled">
		<AreaColors><0 Value="0.5:0.25"/><2 Value="0:0:1:0.5"/><7 Value="9:9:9:9"/><00 Value="9"/></AreaColors>
		<AreaCoords><1 Value="0.5:0:0:1"/></AreaCoords>
		<IconRect><2 Value="16:16"/></IconRect>
		<TextColor Value="1:0.5:0:1"/>
		<TextHalign Mode="center"/>
		<TextValign Mode="BOTTOM"/>
		<TextOffset Value="4:5"/>
		<TextScale Value="2:3"/>
		<AsBorder Mode="On"/>
		<AreaTexture Name="missing"/>
		<TextFont Name="nofont"/>
		<Unknown Value="1"/>
	</Style>
	<Style Name="aligned"><TextHalign Mode="CENTER"/><TextHalign Mode="RIGHT"/><TextValign Mode="MIDDLE"/><AsBorder Mode="on"/></Style>
	<Font Name="Mono" TexFile="@/courier_new.ovt" MapFile="@/courier_new.fnt" MinFilter="LINEAR"/>
	<Style Name="texty"><TextFont Name="Mono"/></Style>
</Theme>
<Theme Name="Main"><Style Name="late"/></Theme>
)";

}  // namespace

using GuiLoad = OvTest::GuiTargetFixture;

TEST_F(GuiLoad, ThemeStylesFromEveryKeyAndTheirDefaults) {
    const std::string path = WriteFile("theme.xml", OvTest::WithFonts(kTheme));
    ASSERT_TRUE(gui.LoadTheme(path.c_str(), "Main"));
    EXPECT_EQ(gui.styles.Count(), 4u);
    EXPECT_EQ(gui.styleList.size(), 4u);

    const OV_STYLE& plain = **gui.styles.Access(FIND, "plain", 0).Value();
    EXPECT_EQ(plain.gui, &gui);
    EXPECT_TRUE(IsEmptyHandle(plain.texture));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Same(plain.areaColors[i], 1, 1, 1, 1));
    EXPECT_TRUE(Same(plain.areaCoords[0], 0, 0, 0, 1) && Same(plain.areaCoords[1], 1, 0, 0, 1) &&
                Same(plain.areaCoords[2], 1, 1, 0, 1) && Same(plain.areaCoords[3], 0, 1, 0, 1));
    EXPECT_EQ(plain.textFont, nullptr);
    EXPECT_TRUE(Same(plain.textOffset, 0, 0, 0, 1) && Same(plain.textScale, 1, 1, 1, 1) &&
                Same(plain.textColor, 0, 0, 0, 1));
    EXPECT_EQ(plain.textHalign, -1);
    EXPECT_EQ(plain.textValign, -1);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Same(plain.iconRect[i], 0, 0, 0, 1));
    EXPECT_FALSE(plain.asBorder);

    const OV_STYLE& styled = **gui.styles.Access(FIND, "styled", 0).Value();
    EXPECT_TRUE(Same(styled.areaColors[0], 0.5f, 0.25f, 1, 1));
    EXPECT_TRUE(Same(styled.areaColors[1], 1, 1, 1, 1));
    EXPECT_TRUE(Same(styled.areaColors[2], 0, 0, 1, 0.5f));
    EXPECT_TRUE(Same(styled.areaCoords[1], 0.5f, 0, 0, 1));
    EXPECT_TRUE(Same(styled.iconRect[2], 16, 16, 0, 1));
    EXPECT_TRUE(Same(styled.textColor, 1, 0.5, 0, 1));
    EXPECT_EQ(styled.textHalign, -1);  // "center" is not "CENTER"
    EXPECT_EQ(styled.textValign, 1);
    EXPECT_TRUE(Same(styled.textOffset, 4, 5, 0, 1) && Same(styled.textScale, 2, 3, 1, 1));
    EXPECT_TRUE(styled.asBorder);
    // Unknown names make empty entries.
    EXPECT_TRUE(IsEmptyHandle(styled.texture));
    ASSERT_NE(gui.themeTextures.Access(FIND, "missing", 0).Value(), nullptr);
    EXPECT_EQ(styled.textFont, gui.themeFonts.Access(FIND, "nofont", 0).Value());
    EXPECT_FALSE(styled.textFont->loaded);

    const OV_STYLE& aligned = **gui.styles.Access(FIND, "aligned", 0).Value();
    EXPECT_EQ(aligned.textHalign, 1);
    EXPECT_EQ(aligned.textValign, 0);
    EXPECT_FALSE(aligned.asBorder);
    EXPECT_EQ(gui.styles.Access(FIND, "late", 0).Value(), nullptr);

    const OV_STYLE& texty = **gui.styles.Access(FIND, "texty", 0).Value();
    EXPECT_EQ(texty.textFont, gui.themeFonts.Access(FIND, "Mono", 0).Value());

    // A second load makes new styles and takes over the names.
    const OV_STYLE* before = &plain;
    ASSERT_TRUE(gui.LoadTheme(path.c_str(), "Other"));
    EXPECT_NE(*gui.styles.Access(FIND, "plain", 0).Value(), before);
    EXPECT_TRUE((*gui.styles.Access(FIND, "plain", 0).Value())->asBorder);
    EXPECT_EQ(gui.styleList.size(), 5u);

    EXPECT_FALSE(gui.LoadTheme(path.c_str(), "Absent"));
    EXPECT_FALSE(gui.LoadTheme(path.c_str(), nullptr));
    EXPECT_FALSE(gui.LoadTheme((path + ".none").c_str(), "Main"));
    EXPECT_FALSE(gui.LoadTheme(WriteFile("breaks.xml", "\r\n\r\n").c_str(), "Main"));
    EXPECT_FALSE(gui.LoadTheme(nullptr, "Main"));
    EXPECT_EQ(gui.styleList.size(), 5u);

    gui.ClearGui();
    EXPECT_EQ(gui.styles.Count() + gui.themeFonts.Count() + gui.themeTextures.Count(), 0u);
    EXPECT_TRUE(gui.styleList.empty());
}

TEST_F(GuiLoad, LayoutControlsFromEveryKey) {
    gui.messageProcs.Get("journal", 0)[0] = OvTest::Journal;
    ASSERT_TRUE(gui.LoadTheme(WriteFile("theme.xml", OvTest::WithFonts(kTheme)).c_str(), "Main"));
    const std::string path = WriteFile("layout.xml", R"(<Group Name="main"><Control Name="wrong"/></Group>
<Group Name="Other"><Control Name="wrong"/></Group>
<Group Name="Main" >
	<Control Name="panel">
		<Position Value="10:20"/><Size Value="200:100:0:1"/><Style Name="styled"/><CutArea Mode="Off"/>
		<MessageProc Name="journal"/><Data>  two words  </Data><ExtendData>extra</ExtendData>
	</Control>
	<Control Name="child" Parent="panel">
		<Active Mode="on"/><Visible Mode="Off"/><Edit Mode="No"/><Icon Name="icon"/><MessageProc Name="none"/>
		<Style Name="nostyle"/><Junk/>
	</Control>
	<Control Parent="ghost"><Active Mode="On"/><Visible Mode="On"/><Edit Mode="On"/><CutArea Mode="On"/></Control>
	<NotAControl Name="skipped"/>
	<Control Name="panel"><Data/></Control>
</Group>)");
    ASSERT_TRUE(gui.LoadLayout(path.c_str(), "Main"));
    EXPECT_EQ(gui.controls.Count(), 3u);  // panel, child, ghost

    OV_CONTROL* panel = *gui.controls.Access(FIND, "panel", 0).Value();
    OV_CONTROL* first = gui.root.firstChild->control;
    ASSERT_NE(first, panel);  // the second "panel" took over the name
    EXPECT_TRUE(Same(first->position, 10, 20, 0, 1) && Same(first->size, 200, 100, 0, 1));
    EXPECT_EQ(first->style, *gui.styles.Access(FIND, "styled", 0).Value());
    EXPECT_FALSE(first->cutArea);
    EXPECT_TRUE(first->active && first->visible && first->editable);
    EXPECT_EQ(first->messageProc, OvTest::Journal);
    EXPECT_STREQ(first->Text(), "two words");
    EXPECT_EQ(first->data.Position(), 0u);
    EXPECT_EQ(first->extendData.capacity, 6u);
    EXPECT_STREQ(reinterpret_cast<const char*>(first->extendData.data), "extra");

    OV_CONTROL* child = *gui.controls.Access(FIND, "child", 0).Value();
    EXPECT_EQ(child->Parent(), first);
    EXPECT_FALSE(child->active || child->visible || child->editable);
    EXPECT_TRUE(child->cutArea);
    EXPECT_EQ(child->messageProc, nullptr);
    EXPECT_EQ(child->style, nullptr);
    EXPECT_TRUE(IsEmptyHandle(child->icon));
    EXPECT_NE(gui.themeTextures.Access(FIND, "icon", 0).Value(), nullptr);

    // An unknown parent leaves the control at the top and an empty entry.
    OV_CONTROL** ghost = gui.controls.Access(FIND, "ghost", 0).Value();
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(*ghost, nullptr);
    OV_CONTROL* orphan = first->node.next->control;
    EXPECT_EQ(orphan->Parent(), nullptr);
    EXPECT_TRUE(orphan->active && orphan->visible && orphan->editable && orphan->cutArea);
    EXPECT_EQ(orphan->node.next->control, panel);
    EXPECT_STREQ(panel->Text(), "");

    // Every control was told it was made, in document order.
    gui.Deliver();
    EXPECT_EQ(OvTest::Joined(OvTest::Received()), " 12 0 0");

    EXPECT_FALSE(gui.LoadLayout(path.c_str(), "Absent"));
    EXPECT_FALSE(gui.LoadLayout((path + ".none").c_str(), "Main"));
    EXPECT_TRUE(gui.LoadLayout(path.c_str(), "Other"));
    EXPECT_EQ(gui.root.lastChild->control, *gui.controls.Access(FIND, "wrong", 0).Value());
}
