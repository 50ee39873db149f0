#include "ovcore/render/Font.h"

#include "RenderTestSupport.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace OvCore;

namespace {

// FreeType's own rendering of text, laid out independently of the
// framework: glyphs in its default hinting, 8-bit coverage, the pen moving
// by each glyph's advance, lines one line height apart, the top of a line
// at the font's ascender.
class ReferenceText {
public:
    ReferenceText(const char* path, int pixelSize) {
        ok_ = FT_Init_FreeType(&library_) == 0 && FT_New_Face(library_, path, 0, &face_) == 0 &&
              FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize)) == 0;
    }
    ~ReferenceText() {
        if (face_) FT_Done_Face(face_);
        if (library_) FT_Done_FreeType(library_);
    }
    bool Ok() const { return ok_; }
    int Ascender() const { return static_cast<int>((face_->size->metrics.ascender + 63) >> 6); }
    int LineHeight() const { return static_cast<int>((face_->size->metrics.height + 63) >> 6); }
    int Advance(unsigned char c) {
        return FT_Load_Char(face_, c, FT_LOAD_DEFAULT) == 0 ? static_cast<int>(face_->glyph->advance.x >> 6) : 0;
    }
    int Width(const std::string& line) {
        int width = 0;
        for (unsigned char c : line) width += Advance(c);
        return width;
    }
    // Adds the line's coverage to a size x size grey image with the top-left
    // of the line at (x, y).
    void Draw(const std::string& line, int x, int y, std::vector<int>& image, int size) {
        for (unsigned char c : line) {
            ASSERT_EQ(FT_Load_Char(face_, c, FT_LOAD_DEFAULT), 0);
            ASSERT_EQ(FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL), 0);
            const FT_Bitmap& bitmap = face_->glyph->bitmap;
            const int left = x + face_->glyph->bitmap_left;
            const int top = y + Ascender() - face_->glyph->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                for (unsigned column = 0; column < bitmap.width; ++column) {
                    const int px = left + static_cast<int>(column), py = top + static_cast<int>(row);
                    if (px < 0 || py < 0 || px >= size || py >= size) continue;
                    image[static_cast<size_t>(py * size + px)] += bitmap.buffer[row * bitmap.pitch + column];
                }
            }
            x += static_cast<int>(face_->glyph->advance.x >> 6);
        }
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    bool ok_ = false;
};

class TrueTypeFontTest : public OvTest::RenderWindowTest {
protected:
    void SetUp() override {
        RenderWindowTest::SetUp();
        OvSetState(OV_STATE_BLENDING, 1);
        OvSetState(OV_STATE_BLEND_FACTORS, OV_BLEND_SRC_ALPHA, OV_BLEND_ONE_MINUS_SRC_ALPHA);
    }
    void TearDown() override {
        font.Release();
        RenderWindowTest::TearDown();
    }

    // White text on black shows each pixel's coverage in its red channel;
    // every pixel of the frame must match FreeType's within rounding.
    void ExpectFrame(const std::vector<int>& expected) {
        OvRenderScene(1);
        const std::vector<uint32_t> frame = Frame();
        int mismatches = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const int want = std::min(expected[static_cast<size_t>(y * kSize + x)], 255);
                const int got = static_cast<int>(OvTest::Channel(frame[static_cast<size_t>(y * kSize + x)], 0));
                if (std::abs(got - want) > 1 && ++mismatches <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << "): drawn " << got << ", FreeType " << want;
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
    std::vector<int> Blank() const { return std::vector<int>(static_cast<size_t>(kSize) * kSize, 0); }

    OV_FONT font;
};

TEST_F(TrueTypeFontTest, TheDefaultFontDrawsFreeTypesOwnGlyphs) {
    ASSERT_NE(OvFontDefaultPath(), nullptr) << OvLastError();
    ASSERT_TRUE(font.LoadDefault(20)) << OvLastError();
    ReferenceText reference(OvFontDefaultPath(), 20);
    ASSERT_TRUE(reference.Ok());
    // A control character and a byte above 127 (e acute) among the letters.
    const std::string text = "A\x01\xE9g";
    font.DrawText(text.c_str(), OV_VECTOR(5, 10), OV_VECTOR(1, 1), OV_ANGLES());
    std::vector<int> expected = Blank();
    reference.Draw("A\xE9g", 5, 10, expected, kSize);
    ExpectFrame(expected);
    EXPECT_EQ(font.glyphTable->glyphs[1].xadvance, 0.0f);
    EXPECT_EQ(font.glyphTable->lineHeight, static_cast<float>(reference.LineHeight()));
}

TEST_F(TrueTypeFontTest, MeasuringAndAlignedLinesFollowTheFontsMetrics) {
    ASSERT_TRUE(font.LoadDefault(14));
    ReferenceText reference(OvFontDefaultPath(), 14);
    ASSERT_TRUE(reference.Ok());
    const int height = reference.LineHeight();
    const OV_VECTOR size = font.MeasureText("Wij\nxy\n");
    EXPECT_EQ(size, OV_VECTOR(std::max(reference.Width("Wij"), reference.Width("xy")), 2 * height, 0, 1));
    // Right and bottom alignment: whole-pixel offsets, so pixels compare exactly.
    font.verticalAlign = 1;
    font.horizontalAlign = 1;
    font.DrawText("Wij\nxy", OV_VECTOR(60, 50), OV_VECTOR(1, 1), OV_ANGLES());
    std::vector<int> expected = Blank();
    reference.Draw("Wij", 60 - reference.Width("Wij"), 50 - 2 * height, expected, kSize);
    reference.Draw("xy", 60 - reference.Width("xy"), 50 - height, expected, kSize);
    ExpectFrame(expected);
}

TEST_F(TrueTypeFontTest, GlyphsAddedLaterKeepEarlierOnesWhenTheAtlasGrows) {
    const char* path = OvFontDefaultPath();
    ASSERT_NE(path, nullptr);
    ASSERT_TRUE(font.LoadTrueType(path, 48, '\n', TEXTURE_NEAREST, TEXTURE_NEAREST));
    ReferenceText reference(path, 48);
    ASSERT_TRUE(reference.Ok());
    font.DrawText("R", OV_VECTOR(4, -6), OV_VECTOR(1, 1), OV_ANGLES());
    const int firstHeight = *static_cast<const int*>(OvTextureGet(font.texture, OV_TEXTURE_HEIGHT));
    // Every printable character, drawn outside the window, fills the atlas.
    std::string all;
    for (int c = 33; c < 256; ++c) {
        if (c < 127 || c >= 160) all += static_cast<char>(c);
    }
    font.DrawText(all.c_str(), OV_VECTOR(0, 500), OV_VECTOR(1, 1), OV_ANGLES());
    EXPECT_GT(*static_cast<const int*>(OvTextureGet(font.texture, OV_TEXTURE_HEIGHT)), firstHeight);
    ClearFrame();
    font.DrawText("R\xDF", OV_VECTOR(4, -6), OV_VECTOR(1, 1), OV_ANGLES());
    std::vector<int> expected = Blank();
    reference.Draw("R\xDF", 4, -6, expected, kSize);
    ExpectFrame(expected);
}

TEST_F(TrueTypeFontTest, RefusedLoadsLeaveNoFontBehind) {
    const OvTest::TempFolder scratch;
    const std::string folder = scratch.Root();
    const std::string missing = folder + "/none.ttf";
    const auto expectNothing = [&](const char* cause) {
        EXPECT_FALSE(font.loaded);
        EXPECT_TRUE(IsEmptyHandle(font.texture));
        EXPECT_TRUE(IsEmptyHandle(font.font));
        EXPECT_EQ(font.glyphTable, nullptr);
        EXPECT_NE(std::strstr(OvLastError(), cause), nullptr) << OvLastError();
    };
    ASSERT_TRUE(font.LoadDefault(16));
    EXPECT_FALSE(font.LoadTrueType(missing.c_str(), 16, '\n', TEXTURE_LINEAR, TEXTURE_LINEAR));
    expectNothing(("engine: cannot open font file: " + missing + ": No such file").c_str());
    const std::string text = "not a font at all";
    EXPECT_FALSE(font.LoadTrueTypeFromMemory(text.data(), static_cast<uint32_t>(text.size()), 16, '\n', TEXTURE_LINEAR,
                                             TEXTURE_LINEAR));
    expectNothing("engine: font refused: memory: not a font FreeType reads");
    const std::string path = OvFontDefaultPath();
    for (int size : {OV_FONT_MIN_PIXELS - 1, OV_FONT_MAX_PIXELS + 1}) {
        EXPECT_FALSE(font.LoadTrueType(path.c_str(), size, '\n', TEXTURE_LINEAR, TEXTURE_LINEAR));
        expectNothing("pixel size");
    }
    EXPECT_FALSE(font.LoadTrueType(nullptr, 16, '\n', TEXTURE_LINEAR, TEXTURE_LINEAR));
    EXPECT_FALSE(font.LoadTrueTypeFromMemory(nullptr, 10, 16, '\n', TEXTURE_LINEAR, TEXTURE_LINEAR));
    // Engine level: the atlas needs a live texture, and grid fonts have no table to give.
    OvHandle engineFont{1, 0};
    EXPECT_EQ(OvFontLoad(&engineFont, OvHandle{0, 0x7FFFFFFF}, path.c_str(), 16, '\n'), 0);
    EXPECT_NE(std::strstr(OvLastError(), "no texture to hold its glyphs"), nullptr) << OvLastError();
    EXPECT_TRUE(IsEmptyHandle(engineFont));
    OvHandle grid{1, 0};
    OvGlyphTable table{};
    ASSERT_EQ(OvGenerateFont(&grid, nullptr), 1);
    EXPECT_EQ(OvFontGetTable(grid, &table), 0);
    EXPECT_EQ(OvFontGetTable(OvHandle{1, 0}, &table), 0);
    OvDisplaylistDestroy(grid);
}

}  // namespace
