// The GUI drawn into a real window: quads, outlines, text, icons, clipping.
#include "tests/support/GlWindow.h"
#include "GuiTestSupport.h"

#include "ovcore/gui/controls/ReadyControls.h"
#include "ovcore/platform/Windows.h"

#include <memory>
#include <epoxy/gl.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

using namespace OvCore;
using OvTest::WriteFile;

namespace {

constexpr int kSize = 100;
constexpr const char* kClassName = "gui-tests";

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::string*>(context);
    out->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

// A PNG of 2 x 2 opaque texels of one colour.
std::string SolidPng(uint8_t r, uint8_t g, uint8_t b) {
    const uint8_t texel[4] = {r, g, b, 255};
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 4; ++i) pixels.insert(pixels.end(), texel, texel + 4);
    std::string png;
    stbi_write_png_to_func(AppendBytes, &png, 2, 2, 4, pixels.data(), 8);
    return png;
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) { return out << c.r << "," << c.g << "," << c.b; }

const Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

class GuiDraw : public OvTest::GuiFixture {
protected:
    std::unique_ptr<OvTest::GlWindow> window;

    void SetUp() override {
        GuiFixture::SetUp();
        window = std::make_unique<OvTest::GlWindow>(kClassName, kSize, kSize, 1.0, 100.0);
        ASSERT_TRUE(window->Created());
        ASSERT_TRUE(window->DrawInPixels(true));
        const std::string theme = R"(<Theme Name="T">
	<Texture Name="red" File="%red.png" MinFilter="LINEAR" WrapS="CLAMP" WrapT="clamp"/>
	<Font Name="Mono" TexFile="@/courier_new.ovt" MapFile="@/courier_new.fnt"/>
	<Style Name="red"><AreaColors><0 Value="1:0:0:1"/><1 Value="1:0:0:1"/><2 Value="1:0:0:1"/><3 Value="1:0:0:1"/></AreaColors></Style>
	<Style Name="green"><AreaColors><0 Value="0:1:0:1"/><1 Value="0:1:0:1"/><2 Value="0:1:0:1"/><3 Value="0:1:0:1"/></AreaColors></Style>
	<Style Name="frame"><AsBorder Mode="On"/></Style>
	<Style Name="half"><AreaColors><0 Value="1:0:0:0.5"/><1 Value="1:0:0:0.5"/><2 Value="0:0:1:0.5"/><3 Value="0:0:1:0.5"/></AreaColors></Style>
	<Style Name="textured"><AreaTexture Name="red"/><IconRect><1 Value="10:0"/><2 Value="10:10"/><3 Value="0:10"/></IconRect></Style>
	<Style Name="left"><AreaColors><0 Value="0:0:1"/><1 Value="0:0:1"/><2 Value="0:0:1"/><3 Value="0:0:1"/></AreaColors>
		<TextFont Name="Mono"/><TextColor Value="1:1:0:1"/><TextOffset Value="2:2"/></Style>
	<Style Name="right"><AreaColors><0 Value="0:0:1"/><1 Value="0:0:1"/><2 Value="0:0:1"/><3 Value="0:0:1"/></AreaColors>
		<TextFont Name="Mono"/><TextColor Value="1:1:0:1"/><TextOffset Value="98:2"/><TextHalign Mode="RIGHT"/></Style>
	<Style Name="centre"><AreaColors><0 Value="0:0:1"/><1 Value="0:0:1"/><2 Value="0:0:1"/><3 Value="0:0:1"/></AreaColors>
		<TextFont Name="Mono"/><TextColor Value="1:1:0:1"/><TextHalign Mode="CENTER"/><TextValign Mode="MIDDLE"/></Style>
	<Style Name="inright"><AreaColors><0 Value="0:0:1"/><1 Value="0:0:1"/><2 Value="0:0:1"/><3 Value="0:0:1"/></AreaColors>
		<TextFont Name="Mono"/><TextColor Value="1:1:0:1"/><TextOffset Value="-3:0"/><TextHalign Mode="RIGHT"/><TextValign Mode="BOTTOM"/></Style>
	<Style Name="left.Caret"><AreaColors><0 Value="0:1:0"/><1 Value="0:1:0"/><2 Value="0:1:0"/><3 Value="0:1:0"/></AreaColors></Style>
</Theme>)";
        WriteFile("red.png", SolidPng(255, 0, 0));
        std::string text = OvTest::WithFonts(theme);
        text.replace(text.find("%red.png"), 8, ::testing::TempDir() + "red.png");
        ASSERT_TRUE(gui.LoadTheme(WriteFile("draw-theme.xml", text).c_str(), "T"));
    }

    void TearDown() override {
        gui.ClearGui();
        window.reset();
        GuiFixture::TearDown();
    }

    OV_STYLE* Style(const char* name) { return *gui.styles.Access(FIND, name, 0).Value(); }

    OV_CONTROL* Styled(const char* style, OV_CONTROL* parent, double x, double y, double w, double h) {
        OV_CONTROL* control = Make(style, parent, x, y, w, h);
        control->style = Style(style);
        return control;
    }

    // The frame after one GUI placement and drawing over black.
    std::vector<Rgb> Render() {
        OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 1.0);
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
        gui.Place();
        gui.Draw();
        std::vector<uint8_t> rgba(kSize * kSize * 4);
        EXPECT_EQ(OvRenderTargetReadPixels(0, 0, kSize, kSize, rgba.data()), 1);
        std::vector<Rgb> frame(kSize * kSize);
        for (size_t i = 0; i < frame.size(); ++i) frame[i] = Rgb{rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2]};
        return frame;
    }
    static Rgb At(const std::vector<Rgb>& frame, int x, int y) { return frame[y * kSize + x]; }
};

}  // namespace

TEST_F(GuiDraw, ChildrenAreClippedToTheParentAndHiddenWithIt) {
    OV_CONTROL* parent = Styled("red", nullptr, 10, 10, 40, 40);
    OV_CONTROL* child = Styled("green", parent, 20, 20, 40, 40);
    std::vector<Rgb> frame = Render();
    EXPECT_EQ(At(frame, 11, 11), kRed);
    EXPECT_EQ(At(frame, 49, 29), kRed);
    EXPECT_EQ(At(frame, 31, 31), kGreen);
    EXPECT_EQ(At(frame, 49, 49), kGreen);
    EXPECT_EQ(At(frame, 51, 40), kBlack);
    EXPECT_EQ(At(frame, 40, 51), kBlack);
    EXPECT_EQ(At(frame, 65, 65), kBlack);
    EXPECT_EQ(At(frame, 5, 5), kBlack);
    // Clipping is off and the scissor rectangle as it was before the GUI.
    EXPECT_EQ(*static_cast<int*>(OvGetState(OV_STATE_CLIPPING)), 0);
    const int* scissor = static_cast<int*>(OvGetState(OV_STATE_CLIP_RECT));
    EXPECT_EQ(std::vector<int>(scissor, scissor + 4), (std::vector<int>{0, 0, 0, 0}));

    child->cutArea = false;
    EXPECT_EQ(At(Render(), 65, 65), kGreen);
    child->cutArea = true;
    parent->cutArea = false;
    frame = Render();
    EXPECT_EQ(At(frame, 65, 65), kGreen);
    EXPECT_EQ(At(frame, 11, 11), kRed);

    // An inactive control is drawn; an invisible one hides its children.
    parent->cutArea = true;
    parent->active = false;
    frame = Render();
    EXPECT_EQ(At(frame, 11, 11), kRed);
    EXPECT_EQ(At(frame, 31, 31), kGreen);
    parent->visible = false;
    frame = Render();
    EXPECT_EQ(At(frame, 11, 11), kBlack);
    EXPECT_EQ(At(frame, 31, 31), kBlack);
    parent->visible = true;
    child->visible = false;
    parent->style = nullptr;
    frame = Render();
    EXPECT_EQ(At(frame, 11, 11), kBlack);
    EXPECT_EQ(At(frame, 31, 31), kBlack);
}

TEST_F(GuiDraw, OutlineTexturedQuadAndIcon) {
    Styled("frame", nullptr, 20, 20, 30, 20);
    std::vector<Rgb> frame = Render();
    int white = 0;
    for (const Rgb& pixel : frame) white += pixel == kWhite;
    EXPECT_GE(white, 90);
    EXPECT_LE(white, 110);
    for (int y = 23; y < 37; ++y)
        for (int x = 23; x < 47; ++x) ASSERT_EQ(At(frame, x, y), kBlack) << x << "," << y;
    EXPECT_TRUE(At(frame, 35, 19) == kWhite || At(frame, 35, 20) == kWhite);
    EXPECT_TRUE(At(frame, 20, 30) == kWhite || At(frame, 21, 30) == kWhite);
    EXPECT_TRUE(At(frame, 35, 38) == kWhite || At(frame, 35, 39) == kWhite);

    gui.ClearGui();
    ASSERT_TRUE(gui.LoadTheme(WriteFile("icon-theme.xml", R"(<Theme Name="I">
	<Texture Name="green" File="@green.png"/>
	<Style Name="white"><IconRect><1 Value="10:0"/><2 Value="10:10"/><3 Value="0:10"/></IconRect></Style>
</Theme>)")
                                  .c_str(),
                              "I"));
    // The icon file name was not replaced, so the icon texture has no pixels:
    // load the green image into it here.
    const std::string png = SolidPng(0, 255, 0);
    OvHandle green = *gui.themeTextures.Access(FIND, "green", 0).Value();
    ASSERT_EQ(OvTextureLoadFromMemorySized(green, png.data(), static_cast<uint32_t>(png.size()), 1), 1);
    OV_CONTROL* iconic = Styled("white", nullptr, 60, 60, 30, 30);
    iconic->icon = green;
    frame = Render();
    EXPECT_EQ(At(frame, 61, 61), kGreen);
    EXPECT_EQ(At(frame, 68, 68), kGreen);
    EXPECT_EQ(At(frame, 75, 75), kWhite);
    EXPECT_EQ(At(frame, 61, 75), kWhite);
}

TEST_F(GuiDraw, ThemeTextureParametersAndTexturedStyle) {
    const OvHandle red = *gui.themeTextures.Access(FIND, "red", 0).Value();
    ASSERT_FALSE(IsEmptyHandle(red));
    EXPECT_EQ(Style("textured")->texture.word1, red.word1);
    const auto* name = static_cast<const uint32_t*>(OvTextureGet(red, OV_TEXTURE_GL_NAME));
    ASSERT_NE(name, nullptr);
    glBindTexture(GL_TEXTURE_2D, *name);
    GLint minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_NEAREST);
    EXPECT_EQ(wrapS, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrapT, GL_REPEAT);
    OvTextureUnactivate();

    Styled("textured", nullptr, 0, 0, 50, 50);
    const std::vector<Rgb> frame = Render();
    EXPECT_EQ(At(frame, 25, 25), kRed);
    EXPECT_EQ(At(frame, 75, 75), kBlack);
}

TEST_F(GuiDraw, TextInItsColourAlignedAboutTheOffset) {
    auto yellowColumns = [](const std::vector<Rgb>& frame, int* first, int* last) {
        *first = kSize;
        *last = -1;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < kSize; ++x) {
                const Rgb p = At(frame, x, y);
                if (p.r > 160 && p.g > 160 && p.b < 100) {
                    if (x < *first) *first = x;
                    if (x > *last) *last = x;
                }
            }
    };
    OV_CONTROL* label = Styled("left", nullptr, 0, 0, 100, 30);
    label->SetData("MMMM", 4);
    int first = 0, last = 0;
    std::vector<Rgb> frame = Render();
    yellowColumns(frame, &first, &last);
    EXPECT_GE(first, 2);
    EXPECT_LT(first, 10);
    EXPECT_LT(last, 60);
    EXPECT_EQ(At(frame, 95, 25), kBlue);
    EXPECT_EQ(Style("left")->textFont->horizontalAlign, -1);

    label->style = Style("right");
    yellowColumns(Render(), &first, &last);
    EXPECT_GT(first, 40);
    EXPECT_LE(last, 98);
    EXPECT_GT(last, 90);
    EXPECT_EQ(Style("right")->textFont->horizontalAlign, -1);

    // No text, no font: only the quad.
    label->SetData("", 0);
    yellowColumns(Render(), &first, &last);
    EXPECT_EQ(last, -1);
}

TEST_F(GuiDraw, DrawingBatchedBeforeAClipIsNotCutByIt) {
    // An unclipped control, then a clipped one, then an unclipped one again,
    // all in one batch: the clip applies to the middle one only.
    Styled("red", nullptr, 0, 0, 100, 30)->cutArea = false;
    OV_CONTROL* clipped = Styled("green", nullptr, 10, 40, 20, 20);
    Styled("green", clipped, -10, -10, 40, 40)->cutArea = true;
    Styled("red", nullptr, 0, 70, 100, 30)->cutArea = false;
    const std::vector<Rgb> frame = Render();
    EXPECT_EQ(At(frame, 1, 1), kRed);
    EXPECT_EQ(At(frame, 98, 28), kRed);
    EXPECT_EQ(At(frame, 1, 71), kRed);
    EXPECT_EQ(At(frame, 98, 98), kRed);
    EXPECT_EQ(At(frame, 10, 40), kGreen);
    EXPECT_EQ(At(frame, 29, 59), kGreen);
    EXPECT_EQ(At(frame, 5, 35), kBlack);  // the child, outside its parent
    EXPECT_EQ(At(frame, 35, 50), kBlack);
    EXPECT_EQ(At(frame, 50, 50), kBlack);
}

namespace {

// The engine states a game may leave behind, as numbers.
std::vector<double> GameStates() {
    std::vector<double> out;
    auto ints = [&](int id, int n) {
        const int* v = static_cast<const int*>(OvGetState(id));
        out.insert(out.end(), v, v + n);
    };
    ints(OV_STATE_BLENDING, 1);
    ints(OV_STATE_BLEND_FACTORS, 2);
    ints(OV_STATE_TEXTURING, 1);
    ints(OV_STATE_CLIPPING, 1);
    ints(OV_STATE_CLIP_RECT, 4);
    const double* colour = static_cast<const double*>(OvGetState(OV_STATE_DRAW_COLOR));
    out.insert(out.end(), colour, colour + 4);
    out.push_back(static_cast<const OvHandle*>(OvGetState(OV_STATE_BOUND_TEXTURE))->word1);
    return out;
}

}  // namespace

TEST_F(GuiDraw, TheMenuLooksTheSameWhateverTheGameLeftAndTheGameDrawsOnUnchanged) {
    // A menu: a half-transparent gradient panel, a textured child, a label
    // with text clipped to the panel, and an outline.
    OV_CONTROL* panel = Styled("half", nullptr, 0, 0, 64, 64);
    Styled("textured", panel, 4, 4, 20, 20)->icon = *gui.themeTextures.Access(FIND, "red", 0).Value();
    Styled("left", panel, 30, 30, 60, 20)->SetData("MM", 2);
    Styled("frame", nullptr, 2, 40, 20, 20);
    OvHandle green = EmptyHandle();
    ASSERT_EQ(OvTextureCreate(&green), 1);
    const std::string png = SolidPng(0, 255, 0);
    ASSERT_EQ(OvTextureLoadFromMemorySized(green, png.data(), static_cast<uint32_t>(png.size()), 1), 1);

    // What the game draws after the GUI: a quad in the bound texture and
    // the draw colour, below and right of the menu.
    auto frame = [&](const std::function<void()>& gameState, bool withGui, std::vector<double>* left) {
        OvSetState(OV_STATE_CLIPPING, 0);
        OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 1.0);
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
        OvSetState(OV_STATE_TEXTURING, 1);
        OvSetState(OV_STATE_BLENDING, 1);
        OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
        OvSetState(OV_STATE_CLIP_RECT, 0, 0, 0, 0);
        OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
        OvTextureUnactivate();
        gameState();
        const std::vector<double> before = GameStates();
        if (withGui) {
            gui.Place();
            gui.Draw();
        }
        if (left) *left = GameStates();
        EXPECT_EQ(GameStates(), before);
        const OV_VECTORF quad[4] = {{70, 70, 0, 1}, {95, 70, 0, 1}, {95, 95, 0, 1}, {70, 95, 0, 1}};
        const OV_VECTORF coords[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
        OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, quad, nullptr, coords, nullptr, nullptr, OV_COMPONENTS_FLOAT, 0, 0, 0, 0,
                   0, 0, 4, 0, 0, 0, 0, 0, 0, 0);
        OvRenderScene(OV_SCENE_FLUSH);
        std::vector<uint8_t> rgba(kSize * kSize * 4);
        EXPECT_EQ(OvRenderTargetReadPixels(0, 0, kSize, kSize, rgba.data()), 1);
        return rgba;
    };
    auto region = [](const std::vector<uint8_t>& rgba, int x0, int y0, int x1, int y1) {
        std::vector<uint8_t> out;
        for (int y = y0; y < y1; ++y)
            out.insert(out.end(), rgba.begin() + (y * kSize + x0) * 4, rgba.begin() + (y * kSize + x1) * 4);
        return out;
    };
    const std::vector<uint8_t> reference = frame([] {}, true, nullptr);
    // The panel blends: half red over black at its top.
    EXPECT_NEAR(reference[(1 * kSize + 50) * 4], 126, 5);
    const std::vector<std::pair<const char*, std::function<void()>>> games = {
        {"blending off", [] { OvSetState(OV_STATE_BLENDING, 0); }},
        {"additive", [] { OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_ONE, OV_BLEND_ONE); }},
        {"inverting", [] { OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_ONE_MINUS_DST_COLOR, OV_BLEND_ZERO); }},
        {"texturing off", [] { OvSetState(OV_STATE_TEXTURING, 0); }},
        {"dim colour", [] { OvSetState(OV_STATE_DRAW_COLOR, 0.2, 0.5, 0.3, 0.4); }},
        {"clipped",
         [] {
             OvSetState(OV_STATE_CLIP_RECT, 75, 10, 20, 20);
             OvSetState(OV_STATE_CLIPPING, 1);
         }},
        {"texture bound", [&] { OvTextureActivate(green); }},
        {"all at once",
         [&] {
             OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_DST_COLOR, OV_BLEND_ONE);
             OvSetState(OV_STATE_DRAW_COLOR, 0.7, 0.1, 0.9, 0.6);
             OvSetState(OV_STATE_CLIP_RECT, 72, 8, 16, 16);
             OvSetState(OV_STATE_CLIPPING, 1);
             OvTextureActivate(green);
         }},
    };
    for (const auto& [what, game] : games) {
        std::vector<double> left;
        const std::vector<uint8_t> withGui = frame(game, true, &left);
        const std::vector<uint8_t> without = frame(game, false, nullptr);
        EXPECT_EQ(region(withGui, 0, 0, 66, 66), region(reference, 0, 0, 66, 66)) << what;
        EXPECT_EQ(region(withGui, 66, 66, kSize, kSize), region(without, 66, 66, kSize, kSize)) << what;
        // The game's quad does show.
        const std::vector<uint8_t> drawn = region(without, 66, 66, kSize, kSize);
        EXPECT_GT(std::count_if(drawn.begin(), drawn.end(), [](uint8_t c) { return c > 100; }), 100) << what;
    }
    OvTextureDestroy(green);
}

TEST_F(GuiDraw, ReadyControlsPlaceTheirTextByTheStylesAlignmentAndTheCaretAfterIt) {
    // The box of yellow (text) pixels of a frame: first and last column and row.
    struct Box {
        int left = kSize, right = -1, top = kSize, bottom = -1;
    };
    auto yellow = [](const std::vector<Rgb>& frame) {
        Box box;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const Rgb p = At(frame, x, y);
                if (p.r > 160 && p.g > 160 && p.b < 100) {
                    box.left = std::min(box.left, x);
                    box.right = std::max(box.right, x);
                    box.top = std::min(box.top, y);
                    box.bottom = std::max(box.bottom, y);
                }
            }
        return box;
    };
    OV_CONTROL* label = Styled("centre", nullptr, 0, 20, 100, 60);
    label->messageProc = LabelProcedure;
    label->SetData("MM", 2);
    gui.Deliver();
    Box box = yellow(Render());
    ASSERT_GE(box.right, 0);
    EXPECT_NEAR((box.left + box.right) / 2.0, 50, 1.5);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 50, 3);
    label->style = Style("inright");
    box = yellow(Render());
    EXPECT_GE(box.right, 94);
    EXPECT_LE(box.right, 96);
    EXPECT_LE(box.bottom, 79);
    EXPECT_GE(box.bottom, 72);

    // A text entry with the keyboard: its caret right after its text.
    label->visible = false;
    OV_CONTROL* entry = Styled("left", nullptr, 0, 70, 100, 24);
    entry->messageProc = TextEntryProcedure;
    entry->SetData("MMM", 3);
    gui.Deliver();
    gui.Post(entry, MSG_BUTTON_PRESSED, 0, 1);
    gui.Deliver();
    const std::vector<Rgb> frame = Render();
    box = yellow(frame);
    int caret = -1;
    for (int x = kSize - 1; x >= 0; --x)
        if (At(frame, x, 80) == kGreen) caret = x;
    ASSERT_GE(box.right, 10);
    EXPECT_GE(caret, box.right);
    EXPECT_LE(caret, box.right + 3);
    EXPECT_EQ(At(frame, caret, 72), kGreen);
    EXPECT_EQ(At(frame, caret, 91), kGreen);
    EXPECT_EQ(At(frame, caret, 69), kBlack);
}
