#include "ovcore/render/Font.h"

#include "RenderTestSupport.h"
#include "ovcore/app/Core.h"
#include "ovcore/render/FontCollection.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace OvCore;
using OvTest::Bytes;

namespace {

constexpr uint32_t kBlack = OvTest::Rgba(0, 0, 0);
constexpr uint32_t kWhite = OvTest::Rgba(255, 255, 255);

// Every glyph that the descriptions below name is a solid 8 x 8 square.
const std::string kSquares =
    "common lineHeight=8 scaleW=16 scaleH=16\n"
    "char id=88 x=0 y=0 width=8 height=8 xoffset=0 yoffset=0 xadvance=8\n";

// (0, 0, 0, 1) layout: a glyph table font measured without any drawing.
OV_FONT TableFont(float xadvance, float lineHeight) {
    OV_FONT font;
    font.glyphTable = std::make_unique<OV_GLYPH_TABLE>();
    for (auto& glyph : font.glyphTable->glyphs) glyph.xadvance = xadvance;
    font.glyphTable->lineHeight = lineHeight;
    return font;
}

void ExpectSize(const OV_VECTOR& size, double width, double height) { EXPECT_EQ(size, OV_VECTOR(width, height, 0, 1)); }

TEST(FontMeasureTest, LinesAddUpAndEmptyLinesAddNothing) {
    OV_FONT font = TableFont(9.0f, 16.0f);
    ExpectSize(font.MeasureText("ab\ncd"), 18, 32);
    ExpectSize(font.MeasureText("abc\nd\n"), 27, 32);
    ExpectSize(font.MeasureText("a\n\nb"), 9, 32);
    ExpectSize(font.MeasureText(""), 0, 0);
    ExpectSize(font.MeasureText("\n"), 0, 0);
    ExpectSize(font.MeasureText(nullptr), 0, 0);
    font.glyphTable->letterSpacing = 1.0f;
    font.glyphTable->lineSpacing = 2.0f;
    ExpectSize(font.MeasureText("ab\ncd"), 20, 36);
    font.glyphTable->lineBreak = '|';
    ExpectSize(font.MeasureText("ab|c\nd"), 30, 36);
}

TEST(FontMeasureTest, BytesAbove127UseTheirOwnRecords) {
    OV_FONT font = TableFont(1.0f, 4.0f);
    font.glyphTable->glyphs[0xC8].xadvance = 5.0f;
    font.glyphTable->glyphs[0xC8 - 0x80].xadvance = 50.0f;
    font.glyphTable->glyphs[0xFF].xadvance = 7.0f;
    ExpectSize(font.MeasureText("\xC8\xFF"), 12, 4);
}

TEST(FontMeasureTest, GridFontsMeasureWithTheTextStates) {
    OV_FONT grid;
    OvSetState(OV_STATE_CHARACTER_WIDTH, 10.0);
    OvSetState(OV_STATE_CHARACTER_HEIGHT, 12.0);
    OvSetState(OV_STATE_CHARACTER_SPACING, 2.0);
    OvSetState(OV_STATE_LINE_SPACING, 3.0);
    OvSetState(OV_STATE_LINE_BREAK, '|');
    ExpectSize(grid.MeasureText("abc|d"), 36, 30);
    ExpectSize(grid.MeasureText("ab\nc"), 48, 15);
    OvSetState(OV_STATE_CHARACTER_WIDTH, 16.0);
    OvSetState(OV_STATE_CHARACTER_HEIGHT, 16.0);
    OvSetState(OV_STATE_CHARACTER_SPACING, 0.0);
    OvSetState(OV_STATE_LINE_SPACING, 0.0);
    OvSetState(OV_STATE_LINE_BREAK, '\n');
    ExpectSize(grid.MeasureText("ab\nc"), 32, 32);
}

struct Box {
    int left = -1, top = -1, right = -1, bottom = -1;  // right and bottom exclusive
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.left << ", " << box.top << ") - (" << box.right << ", " << box.bottom << ")";
}

class FontTest : public OvTest::RenderWindowTest {
protected:
    void TearDown() override {
        font.Release();
        RenderWindowTest::TearDown();
    }

    // A white texture, or one whose 16 x 16 grid cells of 2 x 2 texels each
    // have a colour of their own.
    static Bytes WhitePng() { return OvTest::EncodePng(16, 16, Bytes(16 * 16 * 4, 255)); }
    static uint32_t CellColour(int c) { return OvTest::Rgba((c % 16) * 16, (c / 16) * 16, 99); }
    static Bytes GridPng() {
        Bytes rgba(32 * 32 * 4);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                for (int c = 0; c < 4; ++c)
                    rgba[(y * 32 + x) * 4 + c] = OvTest::Channel(CellColour(y / 2 * 16 + x / 2), c);
        return OvTest::EncodePng(32, 32, rgba);
    }

    bool LoadSquares(const std::string& description = kSquares) {
        png = WhitePng();
        return font.LoadFromMemory(png.data(), description.data(), static_cast<uint32_t>(description.size()), '\n',
                                   TEXTURE_NEAREST, TEXTURE_NEAREST);
    }
    // The bounding box of the pixels that are not black.
    Box Lit() {
        OvRenderScene(OV_SCENE_FLUSH);
        const std::vector<uint32_t> frame = Frame();
        Box box;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (frame[static_cast<size_t>(y * kSize + x)] == kBlack) continue;
                if (box.left < 0 || x < box.left) box.left = x;
                if (box.top < 0) box.top = y;
                box.right = std::max(box.right, x + 1);
                box.bottom = y + 1;
            }
        }
        return box;
    }
    Box DrawAligned(int vertical, int horizontal, const char* text) {
        ClearFrame();
        font.verticalAlign = vertical;
        font.horizontalAlign = horizontal;
        font.DrawText(text, OV_VECTOR(32, 32), OV_VECTOR(1, 1), OV_ANGLES());
        return Lit();
    }

    OV_FONT font;
    Bytes png;
};

TEST_F(FontTest, AlignmentPlacesEachLineAboutThePosition) {
    ASSERT_TRUE(LoadSquares());
    EXPECT_EQ(DrawAligned(-1, -1, "XX\nXX"), (Box{32, 32, 48, 48}));
    EXPECT_EQ(DrawAligned(0, 0, "XX\nXX"), (Box{24, 24, 40, 40}));
    EXPECT_EQ(Pixel(32, 23), kBlack);
    EXPECT_EQ(Pixel(32, 24), kWhite);
    EXPECT_EQ(Pixel(32, 39), kWhite);
    EXPECT_EQ(DrawAligned(1, 1, "XX\nXX"), (Box{16, 16, 32, 32}));
    EXPECT_EQ(DrawAligned(-1, 1, "XXXX\nX"), (Box{0, 32, 32, 48}));
    EXPECT_EQ(Pixel(16, 40), kBlack);  // the short line ends at the position too
    EXPECT_EQ(Pixel(24, 40), kWhite);
    EXPECT_EQ(DrawAligned(5, 0, "X"), (Box{28, 32, 36, 40}));  // unknown values: no offset
    EXPECT_EQ(font.verticalAlign, 5);
}

TEST_F(FontTest, ScaleAppliesBeforeRotation) {
    ASSERT_TRUE(LoadSquares());
    font.DrawText("X", OV_VECTOR(20, 10), OV_VECTOR(2, 1), OV_ANGLES(90, 0, 0, 0));
    // 16 x 8 after scaling, then turned a quarter about the screen normal.
    EXPECT_EQ(Lit(), (Box{12, 10, 20, 26}));
}

TEST_F(FontTest, GridFontDrawsTheCellOfEachCharacter) {
    png = GridPng();
    ASSERT_TRUE(font.LoadFromMemory(png.data(), "ignored", 0, '#', TEXTURE_NEAREST, TEXTURE_NEAREST));
    EXPECT_EQ(font.glyphTable, nullptr);
    OvSetState(OV_STATE_CHARACTER_WIDTH, 4.0);
    OvSetState(OV_STATE_CHARACTER_HEIGHT, 4.0);
    font.DrawText("A\xF3#\x01", OV_VECTOR(8, 8), OV_VECTOR(1, 1), OV_ANGLES());
    OvRenderScene(OV_SCENE_FLUSH);
    EXPECT_EQ(Pixel(9, 9), CellColour('A'));
    EXPECT_EQ(Pixel(13, 9), CellColour(0xF3));
    EXPECT_EQ(Pixel(9, 13), CellColour(1));
    EXPECT_EQ(Lit(), (Box{8, 8, 16, 16}));
    OvSetState(OV_STATE_CHARACTER_WIDTH, 16.0);
    OvSetState(OV_STATE_CHARACTER_HEIGHT, 16.0);
    OvSetState(OV_STATE_LINE_BREAK, '\n');
}

TEST_F(FontTest, InvalidTexturesAndTextsDrawNothing) {
    ASSERT_TRUE(LoadSquares());
    font.DrawText(nullptr, OV_VECTOR(0, 0), OV_VECTOR(1, 1), OV_ANGLES());
    const OvHandle texture = font.texture;
    font.texture = EmptyHandle();
    font.DrawText("X", OV_VECTOR(0, 0), OV_VECTOR(1, 1), OV_ANGLES());
    font.texture = texture;
    // A destroyed font texture must not draw with whatever is bound instead.
    OV_TEXTURE other;
    ASSERT_TRUE(other.LoadEmpty(4, 4, TEXTURE_NEAREST, TEXTURE_NEAREST, 0, 0, -1, -1, 0, 0));
    ASSERT_TRUE(OvTest::PaintTexture(other, [](int, int) { return kWhite; }));
    OvTextureDestroy(font.texture);
    OvTextureActivate(other.GetCurrentFrame());
    font.DrawText("X", OV_VECTOR(0, 0), OV_VECTOR(1, 1), OV_ANGLES());
    EXPECT_EQ(Lit(), Box{});
    other.Release(false);
}

TEST_F(FontTest, ReleaseIsSafeTwiceAndTheFontLoadsAgain) {
    ASSERT_TRUE(LoadSquares());
    const OvHandle texture = font.texture;
    font.Release();
    font.Release();
    EXPECT_FALSE(font.loaded);
    EXPECT_TRUE(IsEmptyHandle(font.texture));
    EXPECT_TRUE(IsEmptyHandle(font.font));
    EXPECT_EQ(font.glyphTable, nullptr);
    EXPECT_EQ(OvTextureGet(texture, TEXTURE_QUERY_WIDTH), nullptr);
    font.DrawText("X", OV_VECTOR(0, 0), OV_VECTOR(1, 1), OV_ANGLES());
    EXPECT_EQ(Lit(), Box{});

    ASSERT_TRUE(LoadSquares());
    ASSERT_TRUE(LoadSquares());  // loading over a loaded font releases the old one first
    font.DrawText("X", OV_VECTOR(0, 0), OV_VECTOR(1, 1), OV_ANGLES());
    EXPECT_EQ(Lit(), (Box{0, 0, 8, 8}));
}

TEST_F(FontTest, FailedLoadsLeaveNothingBehind) {
    EXPECT_FALSE(font.Load(nullptr, nullptr, '\n', TEXTURE_NEAREST, TEXTURE_NEAREST));
    EXPECT_FALSE(font.LoadFromMemory(nullptr, nullptr, 0, '\n', TEXTURE_NEAREST, TEXTURE_NEAREST));
    const OvTest::TempFolder scratch;
    const std::string folder = scratch.Root();
    EXPECT_FALSE(font.Load((folder + "/none.png").c_str(), nullptr, '\n', TEXTURE_NEAREST, TEXTURE_NEAREST));
    EXPECT_TRUE(IsEmptyHandle(font.texture));

    const std::string png = folder + "/font.png";
    ASSERT_TRUE(OvTest::WriteBytes(png, WhitePng()));
    EXPECT_FALSE(font.Load(png.c_str(), (folder + "/none.fnt").c_str(), '\n', TEXTURE_NEAREST, TEXTURE_NEAREST));
    EXPECT_FALSE(LoadSquares("\r\n"));
    EXPECT_FALSE(font.loaded);
    EXPECT_TRUE(IsEmptyHandle(font.texture));
    EXPECT_TRUE(IsEmptyHandle(font.font));
    EXPECT_EQ(font.glyphTable, nullptr);

    const std::string fnt = folder + "/font.fnt";
    ASSERT_TRUE(OvTest::WriteBytes(fnt, Bytes(kSquares.begin(), kSquares.end())));
    ASSERT_TRUE(font.Load(png.c_str(), fnt.c_str(), '\n', TEXTURE_NEAREST, TEXTURE_NEAREST));
    ASSERT_NE(font.glyphTable, nullptr);
    EXPECT_EQ(font.glyphTable->glyphs['X'].xadvance, 8.0f);
    ExpectSize(font.MeasureText("XX"), 16, 8);
}

TEST_F(FontTest, CoreClearReleasesTheFontCollection) {
    OV_FONT* held = Fonts().Get("font", 0);
    png = WhitePng();
    ASSERT_TRUE(held->LoadFromMemory(png.data(), kSquares.data(), static_cast<uint32_t>(kSquares.size()), '\n',
                                     TEXTURE_NEAREST, TEXTURE_NEAREST));
    const OvHandle texture = held->texture;
    core.Clear();
    EXPECT_EQ(Fonts().Count(), 0u);
    EXPECT_EQ(OvTextureGet(texture, TEXTURE_QUERY_WIDTH), nullptr);
}

}  // namespace
