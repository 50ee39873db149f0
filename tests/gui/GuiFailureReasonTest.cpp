// Themes and layouts that do not load say what failed.
#include "GuiTestSupport.h"

#include "ovcore/data/Document.h"
#include "ovcore/platform/Diagnostics.h"

using namespace OvCore;
using OvTest::WriteFile;

namespace {

const char* kReasonTheme = R"(<Theme Name="Slate">
	<Font Name="Mono" TexFile="@/courier_new.ovt" MapFile="@/courier_new.fnt"/>
	<Style Name="plain"/>
</Theme>
<Theme Name="Broken">
	<Texture Name="wall" File="/nonexistent/wall.ovt"/>
	<Font Name="Title" TexFile="/nonexistent/title.ovt" MapFile="/nonexistent/title.fnt"/>
	<Style Name="after"><TextFont Name="Title"/></Style>
</Theme>
<Theme Name="Walls"><Texture Name="wall" File="/nonexistent/wall.ovt"/><Style Name="wall"/></Theme>
<Group Name="Main"><Control Name="only"/></Group>
)";

std::string Last() { return PlatformLastFailure(); }

}  // namespace

using GuiReasons = OvTest::GuiTargetFixture;

TEST_F(GuiReasons, UnknownThemesAndGroupsAreNamedWithTheirFileAndAnyCaseMismatch) {
    const std::string path = WriteFile("reason-theme.xml", OvTest::WithFonts(kReasonTheme));
    EXPECT_FALSE(gui.LoadTheme(path.c_str(), "slate"));
    EXPECT_EQ(Last(), "gui: cannot load theme: slate: no Theme of that name in " + path +
                          " (names are case-sensitive: it has \"Slate\")");
    EXPECT_FALSE(gui.LoadTheme(path.c_str(), "Granite"));
    EXPECT_EQ(Last(), "gui: cannot load theme: Granite: no Theme of that name in " + path);
    EXPECT_FALSE(gui.LoadLayout(path.c_str(), "MAIN"));
    EXPECT_EQ(Last(), "gui: cannot load layout: MAIN: no Group of that name in " + path +
                          " (names are case-sensitive: it has \"Main\")");
    EXPECT_EQ(gui.styles.Count() + gui.controls.Count(), 0u) << "nothing applied";

    OV_DOCUMENT document;
    ASSERT_TRUE(document.Parse("<Group Name=\"Main\"/>", 20, " ", true));
    EXPECT_FALSE(gui.ApplyLayout(document, "Other"));
    EXPECT_EQ(Last(), "gui: cannot load layout: Other: no Group of that name in the document");
    EXPECT_TRUE(gui.LoadTheme(path.c_str(), "Slate"));
}

TEST_F(GuiReasons, AFontThatDoesNotLoadFailsTheThemeAMissingTextureOnlySaysSo) {
    const std::string path = WriteFile("reason-theme.xml", OvTest::WithFonts(kReasonTheme));
    std::vector<std::string> seen;
    PlatformSetLogCallback(
        [](const char* reason, void* user) {
            if (std::string(reason).rfind("gui: ", 0) == 0)
                static_cast<std::vector<std::string>*>(user)->push_back(reason);
        },
        &seen);
    const bool broken = gui.LoadTheme(path.c_str(), "Broken");
    const bool walls = gui.LoadTheme(path.c_str(), "Walls");
    PlatformSetLogCallback(nullptr, nullptr);
    EXPECT_FALSE(broken);
    EXPECT_TRUE(walls);
    const std::string texture = "gui: cannot load theme texture: /nonexistent/wall.ovt: texture \"wall\" of theme ";
    EXPECT_EQ(seen, (std::vector<std::string>{
                        texture + "\"Broken\"",
                        "gui: cannot load theme font: /nonexistent/title.ovt: font \"Title\" of theme \"Broken\" "
                        "(glyphs /nonexistent/title.fnt)",
                        texture + "\"Walls\""}));
    // The rest of the failed theme is there all the same.
    ASSERT_NE(gui.FindStyle("after"), nullptr);
    EXPECT_EQ(gui.FindStyle("after")->textFont, gui.themeFonts.Access(FIND, "Title", 0).Value());
    EXPECT_FALSE(gui.FindStyle("after")->textFont->loaded);
    ASSERT_NE(gui.themeTextures.Access(FIND, "wall", 0).Value(), nullptr);
}
