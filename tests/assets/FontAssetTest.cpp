#include "tests/assets/AssetFiles.h"
#include "tests/assets/FontDescription.h"

#include <gtest/gtest.h>

#include <set>

using namespace OvTest;

namespace {

struct Glyph {
    long id, x, y, width, height, xadvance;
};

class FontAsset : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<unsigned char> text = ReadBytes(DataPath("Fonts/courier_new.fnt"));
        lines = ParseDescription(std::string(text.begin(), text.end()));
        texture = DecodePng(ReadBytes(DataPath("Fonts/courier_new.ovt")));
        ASSERT_FALSE(lines.empty());
        ASSERT_FALSE(texture.rgba.empty());
        for (const DescriptionLine& line : lines) {
            if (line.kind == "common") common = &line;
            if (line.kind == "char") glyphs.push_back(ReadGlyph(line));
        }
        ASSERT_NE(common, nullptr);
    }

    static Glyph ReadGlyph(const DescriptionLine& line) {
        auto n = [&](const char* key) { return line.Number(key).value_or(-1); };
        return {n("id"), n("x"), n("y"), n("width"), n("height"), n("xadvance")};
    }

    static bool IsPrintableLatin1(long code) { return (code >= 32 && code <= 126) || (code >= 160 && code <= 255); }

    std::vector<DescriptionLine> lines;
    const DescriptionLine* common = nullptr;
    std::vector<Glyph> glyphs;
    Image texture;
};

bool IsPowerOfTwo(long v) { return v > 0 && (v & (v - 1)) == 0; }

}  // namespace

TEST_F(FontAsset, HeaderLinesDescribeOnePowerOfTwoPage) {
    EXPECT_EQ(lines.front().kind, "info");
    EXPECT_GT(common->Number("lineHeight").value_or(0), 10);
    EXPECT_LE(common->Number("lineHeight").value_or(99), 20);
    EXPECT_GT(common->Number("base").value_or(0), 0);
    EXPECT_EQ(common->Number("pages"), 1);
    EXPECT_EQ(common->Number("scaleW"), texture.width);
    EXPECT_EQ(common->Number("scaleH"), texture.height);
    EXPECT_TRUE(IsPowerOfTwo(texture.width) && IsPowerOfTwo(texture.height));
    bool page = false;
    for (const DescriptionLine& line : lines) {
        if (line.kind != "page") continue;
        page = true;
        EXPECT_EQ(line.values.at("file"), "courier_new.ovt");  // quotes stripped
        EXPECT_EQ(line.Number("id"), 0);
    }
    EXPECT_TRUE(page);
}

TEST_F(FontAsset, EveryPrintableLatin1CodeHasExactlyOneGlyphInsideTheTexture) {
    std::set<long> seen;
    for (const Glyph& g : glyphs) {
        SCOPED_TRACE(g.id);
        EXPECT_TRUE(IsPrintableLatin1(g.id));
        EXPECT_TRUE(seen.insert(g.id).second) << "described twice";
        EXPECT_GE(g.x, 0);
        EXPECT_GE(g.y, 0);
        EXPECT_GE(g.width, 0);
        EXPECT_GE(g.height, 0);
        EXPECT_LE(g.x + g.width, texture.width);
        EXPECT_LE(g.y + g.height, texture.height);
    }
    EXPECT_EQ(seen.size(), 95u + 96u);
    for (const DescriptionLine& line : lines) {
        if (line.kind == "chars") {
            EXPECT_EQ(line.Number("count"), static_cast<long>(glyphs.size()));
        }
    }
}

TEST_F(FontAsset, AdvanceIsTheSameForEveryGlyph) {
    ASSERT_FALSE(glyphs.empty());
    EXPECT_GT(glyphs.front().xadvance, 4);
    for (const Glyph& g : glyphs) EXPECT_EQ(g.xadvance, glyphs.front().xadvance) << "glyph " << g.id;
}

TEST_F(FontAsset, GlyphRectanglesHoldInkAndNothingLiesOutsideThem) {
    // Each texel belongs to at most one glyph; the ink of every visible glyph
    // is white, and texels no glyph claims stay fully transparent, so no
    // glyph picks up a neighbour's edge when drawn with linear filtering.
    std::vector<int> owner(static_cast<size_t>(texture.width) * texture.height, -1);
    for (const Glyph& g : glyphs) {
        int ink = 0;
        for (long y = g.y; y < g.y + g.height; ++y) {
            for (long x = g.x; x < g.x + g.width; ++x) {
                int& cell = owner[static_cast<size_t>(y) * texture.width + x];
                EXPECT_EQ(cell, -1) << "glyphs " << cell << " and " << g.id << " overlap";
                cell = static_cast<int>(g.id);
                const uint8_t* p = texture.Pixel(static_cast<int>(x), static_cast<int>(y));
                if (p[3] == 0) continue;
                ++ink;
                EXPECT_EQ(p[0] & p[1] & p[2], 255);
            }
        }
        const bool blank = g.id == ' ' || g.id == 160;
        EXPECT_EQ(ink > 0, !blank) << "glyph " << g.id;
    }
    for (int y = 0; y < texture.height; ++y) {
        for (int x = 0; x < texture.width; ++x) {
            if (owner[static_cast<size_t>(y) * texture.width + x] < 0) {
                ASSERT_EQ(texture.Alpha(x, y), 0) << x << "," << y;
            }
        }
    }
}

TEST_F(FontAsset, AccentedLettersDifferFromTheirBaseLetters) {
    // Byte 0xE9 must be e with an acute accent, not a second plain e or a box.
    const Glyph* e = nullptr;
    const Glyph* eAcute = nullptr;
    for (const Glyph& g : glyphs) {
        if (g.id == 'e') e = &g;
        if (g.id == 0xE9) eAcute = &g;
    }
    ASSERT_TRUE(e && eAcute);
    EXPECT_GT(eAcute->height, e->height);
}

TEST(FontDescriptionReader, SplitsLinesAndKeepsQuotedBlanks) {
    const auto lines = ParseDescription("info face=\"A B\"\r\n\r\nchar id=65  x=1\tchnl=15\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].values.at("face"), "A B");
    EXPECT_EQ(lines[1].Number("id"), 65);
    EXPECT_EQ(lines[1].Number("x"), 1);
    EXPECT_FALSE(lines[1].Number("width").has_value());
}
