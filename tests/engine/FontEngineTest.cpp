#include "EngineWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr int kAtlas = 64;  // 16 x 16 cells of 4 x 4 pixels

using Rgb = std::array<int, 3>;

// Cell (column, row) of the atlas is coloured (column * 16, row * 16, 200).
Rgb CellColour(int c) { return {(c % 16) * 16, (c / 16) * 16, 200}; }

class FontEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Created());
        ASSERT_EQ(OvRenderTargetActivate(window_.Target()), 1);
        OvSetState(OV_STATE_BLENDING, 0);
        OvSetState(OV_STATE_TEXTURING, 1);
        OvSetState(OV_STATE_DRAW_COLOR, 1.0, 1.0, 1.0, 1.0);
        OvSetState(OV_STATE_CHARACTER_WIDTH, 16.0);
        OvSetState(OV_STATE_CHARACTER_HEIGHT, 16.0);
        OvSetState(OV_STATE_CHARACTER_SPACING, 0.0);
        OvSetState(OV_STATE_LINE_SPACING, 0.0);
        OvSetState(OV_STATE_LINE_BREAK, '\n');
        OvMatrixMode(OV_MATRIX_MODELVIEW);
        OvCameraOrtho(0, 0, kWidth, kHeight, 0);
        OvSetState(OV_STATE_CLEAR_COLOR, 0.0, 0.0, 0.0, 1.0);
        OvRenderScene(OV_SCENE_FLUSH | OV_SCENE_CLEAR_COLOR);
        ASSERT_EQ(OvTextureCreate(&atlas_), 1);
        ASSERT_EQ(OvTextureLoadEmpty(atlas_, kAtlas, kAtlas, 0), 1);
        auto* pixels = static_cast<uint8_t*>(OvTextureLock(atlas_, 0));
        ASSERT_NE(pixels, nullptr);
        for (int y = 0; y < kAtlas; ++y) {
            for (int x = 0; x < kAtlas; ++x) {
                const Rgb colour = CellColour((y / 4) * 16 + x / 4);
                uint8_t* p = pixels + (y * kAtlas + x) * 4;
                p[0] = static_cast<uint8_t>(colour[0]);
                p[1] = static_cast<uint8_t>(colour[1]);
                p[2] = static_cast<uint8_t>(colour[2]);
                p[3] = 255;
            }
        }
        OvTextureUnlock(atlas_, 1);
        OvTextureActivate(atlas_);
        OvTextureParameter(OV_TEXTURE_MIN_FILTER, OV_TEXTURE_NEAREST);
        OvTextureParameter(OV_TEXTURE_MAG_FILTER, OV_TEXTURE_NEAREST);
        OvRenderStatistics(nullptr, nullptr);
    }
    void TearDown() override {
        OvTextureUnactivate();
        OvTextureDestroy(atlas_);
        OvSetState(OV_STATE_CHARACTER_WIDTH, 16.0);
        OvSetState(OV_STATE_CHARACTER_HEIGHT, 16.0);
        OvSetState(OV_STATE_LINE_BREAK, '\n');
    }

    static Rgb Pixel(int x, int y) {
        unsigned char p[4] = {};
        EXPECT_EQ(OvRenderTargetReadPixels(x, y, 1, 1, p), 1);
        return {p[0], p[1], p[2]};
    }
    // Glyph c of the table samples the middle of atlas cell `cell`.
    static void SetGlyph(OvGlyphTable& table, unsigned char c, int cell, float size, float xoffset, float yoffset,
                         float xadvance) {
        const float s = static_cast<float>(cell % 16 * 4 + 1) / kAtlas;
        const float t = static_cast<float>(cell / 16 * 4 + 1) / kAtlas;
        table.glyphs[c] = {size, size, xoffset, yoffset, xadvance, s, t, s + 2.0f / kAtlas, t + 2.0f / kAtlas};
    }

    EngineWindow window_{"fonts", kWidth, kHeight};
    OvHandle atlas_{1, 0};
};

TEST_F(FontEngineTest, TableFontPlacesGlyphsByOffsetAdvanceSpacingAndLineBreak) {
    OvGlyphTable table{};
    table.lineBreak = '|';
    table.lineHeight = 12.0f;
    table.lineSpacing = 2.0f;
    table.letterSpacing = 1.0f;
    SetGlyph(table, 'A', 17, 4.0f, 1.0f, 2.0f, 6.0f);
    SetGlyph(table, 200, 34, 4.0f, 0.0f, 0.0f, 6.0f);
    OvHandle font{1, 0};
    ASSERT_EQ(OvGenerateFont(&font, &table), 1);
    table.glyphs['A'] = {};  // the engine keeps its own copy

    OvMatrixPush();
    OvMatrixTranslate(10, 4, 0);
    OvDrawFont(font, "A\xC8|A\n");
    OvMatrixPop();

    // 'A' at pen 0: (10 + 1, 4 + 2) .. (15, 10); byte 200 at pen 7: (17, 4) .. (21, 8).
    EXPECT_EQ(Pixel(11, 6), CellColour(17));
    EXPECT_EQ(Pixel(14, 9), CellColour(17));
    EXPECT_EQ(Pixel(15, 6), (Rgb{0, 0, 0}));
    EXPECT_EQ(Pixel(17, 4), CellColour(34));
    EXPECT_EQ(Pixel(16, 4), (Rgb{0, 0, 0}));
    // After the break the pen is back at x 0, 14 lower; '\n' has no glyph here.
    EXPECT_EQ(Pixel(11, 20), CellColour(17));
    EXPECT_EQ(Pixel(11, 19), (Rgb{0, 0, 0}));
    EXPECT_EQ(Pixel(18, 20), (Rgb{0, 0, 0}));
    OvDisplaylistDestroy(font);
}

TEST_F(FontEngineTest, GridFontDrawsCellOfEachCharacterWithStateMetrics) {
    OvHandle font{1, 0};
    ASSERT_EQ(OvGenerateFont(&font, nullptr), 1);
    OvSetState(OV_STATE_CHARACTER_WIDTH, 8.0);
    OvSetState(OV_STATE_CHARACTER_HEIGHT, 6.0);
    OvSetState(OV_STATE_CHARACTER_SPACING, 2.0);
    OvSetState(OV_STATE_LINE_SPACING, 4.0);
    OvSetState(OV_STATE_LINE_BREAK, '#');

    OvDrawFont(font, "A\xF3#\x01");

    EXPECT_EQ(Pixel(0, 0), CellColour('A'));
    EXPECT_EQ(Pixel(7, 5), CellColour('A'));
    EXPECT_EQ(Pixel(8, 0), (Rgb{0, 0, 0}));  // the spacing gap
    EXPECT_EQ(Pixel(10, 0), CellColour(0xF3));
    EXPECT_EQ(Pixel(0, 6), (Rgb{0, 0, 0}));  // the line spacing gap
    EXPECT_EQ(Pixel(0, 10), CellColour(1));
    EXPECT_EQ(Pixel(0, 15), CellColour(1));
    EXPECT_EQ(Pixel(0, 16), (Rgb{0, 0, 0}));
    OvDisplaylistDestroy(font);
}

TEST_F(FontEngineTest, TextIsOnePrimitiveInTheBatch) {
    OvHandle font{1, 0};
    ASSERT_EQ(OvGenerateFont(&font, nullptr), 1);
    OvSetState(OV_STATE_CHARACTER_WIDTH, 1.0);
    OvSetState(OV_STATE_CHARACTER_HEIGHT, 1.0);
    std::vector<char> text(2000, 'x');
    text.back() = '\0';
    OvDrawFont(font, text.data());
    OvRenderScene(OV_SCENE_FLUSH);
    int drawCalls = 0;
    int vertices = 0;
    OvRenderStatistics(&drawCalls, &vertices);
    EXPECT_EQ(drawCalls, 1);
    EXPECT_EQ(vertices, 1999 * 4);
    OvDisplaylistDestroy(font);
}

TEST_F(FontEngineTest, EmptyUnknownAndDestroyedFontsDrawNothing) {
    EXPECT_EQ(OvGenerateFont(nullptr, nullptr), 0);
    OvHandle font{1, 0};
    ASSERT_EQ(OvGenerateFont(&font, nullptr), 1);
    EXPECT_FALSE(IsEmptyHandle(font));
    OvHandle second{1, 0};
    ASSERT_EQ(OvGenerateFont(&second, nullptr), 1);
    EXPECT_NE(font.word1, second.word1);

    OvDrawFont(font, nullptr);
    OvDisplaylistDestroy(font);
    OvDisplaylistDestroy(font);
    OvDrawFont(font, "AAAA");
    OvDrawFont(OvHandle{1, 0}, "AAAA");
    OvDrawFont(OvHandle{0, 0xFFFFFFF0u}, "AAAA");
    OvRenderScene(OV_SCENE_FLUSH);
    int vertices = -1;
    OvRenderStatistics(nullptr, &vertices);
    EXPECT_EQ(vertices, 0);

    OvDrawFont(second, "A");  // a font outlives the destruction of another
    EXPECT_EQ(Pixel(0, 0), CellColour('A'));
    OvDisplaylistDestroy(second);
}

}  // namespace

TEST(FontEngineClosure, ClosingTheEngineFreesEveryFont) {
    OvHandle font{1, 0};
    ASSERT_EQ(OvGenerateFont(&font, nullptr), 1);
    OvClosure();
    OvInitiation();
    EngineWindow after("fonts after closure", 32, 32);
    ASSERT_EQ(OvRenderTargetActivate(after.Target()), 1);
    OvRenderStatistics(nullptr, nullptr);
    OvDrawFont(font, "AAAA");
    OvRenderScene(OV_SCENE_FLUSH);
    int vertices = -1;
    OvRenderStatistics(nullptr, &vertices);
    EXPECT_EQ(vertices, 0) << "a font made before the closure is gone";
}
