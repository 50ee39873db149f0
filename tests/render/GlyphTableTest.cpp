#include "ovcore/render/GlyphTable.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using OvCore::OV_GLYPH;
using OvCore::OV_GLYPH_TABLE;

namespace {

std::unique_ptr<OV_GLYPH_TABLE> Parsed(const std::string& text, bool expected = true) {
    auto table = std::make_unique<OV_GLYPH_TABLE>();
    EXPECT_EQ(table->Parse(text.data(), static_cast<uint32_t>(text.size())), expected) << text;
    return table;
}

// The xadvance that a char line with the given value notation reads.
float AdvanceOf(const std::string& value) { return Parsed("char id=65 xadvance=" + value)->glyphs[65].xadvance; }

const char* const kDescription =
    "info face=\"Courier New\" size=16 bold=0 charset=\"\" padding=0,0,0,0\n"
    "common lineHeight=18 base=14 scaleW=100 scaleH=200 pages=1 packed=0\n"
    "page id=0 file=\"courier_new.png\"\n"
    "chars count=2\n"
    "char id=65   x=10    y=20    width=5 height=6 xoffset=-1 yoffset=2 xadvance=7 page=0 chnl=15\n"
    "\n\n"
    "char xadvance=9 height=4 width=3 id=200 y=40 x=50 yoffset=0 xoffset=1\n"
    "kernings count=1\n"
    "kerning first=65 second=200 amount=-1\n";

TEST(GlyphTableTest, ReadsCommonAndCharLinesIntoRecordsAndCoordinates) {
    auto table = Parsed(kDescription);
    EXPECT_FLOAT_EQ(table->lineHeight, 18.0f);
    EXPECT_EQ(table->lineBreak, '\n');
    const OV_GLYPH& a = table->glyphs[65];
    EXPECT_EQ(a.width, 5.0f);
    EXPECT_EQ(a.height, 6.0f);
    EXPECT_EQ(a.xoffset, -1.0f);
    EXPECT_EQ(a.yoffset, 2.0f);
    EXPECT_EQ(a.xadvance, 7.0f);
    EXPECT_FLOAT_EQ(a.s0, 0.10f);
    EXPECT_FLOAT_EQ(a.t0, 0.10f);
    EXPECT_FLOAT_EQ(a.s1, 0.15f);
    EXPECT_FLOAT_EQ(a.t1, 0.13f);
    // Keys in any order; bytes above 127 have records of their own.
    const OV_GLYPH& high = table->glyphs[200];
    EXPECT_EQ(high.xadvance, 9.0f);
    EXPECT_FLOAT_EQ(high.s0, 0.5f);
    EXPECT_FLOAT_EQ(high.t1, 0.22f);
    EXPECT_EQ(table->glyphs[200 - 128].xadvance, 0.0f);
    // Undescribed characters keep all-zero records.
    const OV_GLYPH zero{};
    EXPECT_EQ(std::memcmp(&table->glyphs['B'], &zero, sizeof zero), 0);
}

TEST(GlyphTableTest, LineEndsOfEitherKindGiveTheSameTable) {
    std::string crlf;
    std::string cr;
    for (const char* c = kDescription; *c; ++c) {
        crlf += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
        cr += *c == '\n' ? '\r' : *c;
    }
    auto lf = Parsed(kDescription);
    EXPECT_EQ(std::memcmp(Parsed(crlf).get(), lf.get(), sizeof(OV_GLYPH_TABLE)), 0);
    EXPECT_EQ(std::memcmp(Parsed(cr).get(), lf.get(), sizeof(OV_GLYPH_TABLE)), 0);
    EXPECT_EQ(std::memcmp(Parsed("\r\n\r\n" + crlf + "\r\n").get(), lf.get(), sizeof(OV_GLYPH_TABLE)), 0);
}

TEST(GlyphTableTest, IdsOutsideTheTableAndOtherLineKindsAreSkipped) {
    auto table = Parsed(
        "common lineHeight=10 scaleW=10 scaleH=10\n"
        "char id=300 xadvance=1\nchar id=-1 xadvance=2\nchar id=256 xadvance=3\n"
        "char id=0 xadvance=4\nchar id=255 xadvance=5\n"
        "chars id=66 xadvance=6\nCHAR id=67 xadvance=7\n xchar id=68 xadvance=8\n");
    EXPECT_EQ(table->glyphs[0].xadvance, 4.0f);
    EXPECT_EQ(table->glyphs[255].xadvance, 5.0f);
    EXPECT_EQ(table->glyphs[300 - 256].xadvance, 0.0f);
    EXPECT_EQ(table->glyphs[66].xadvance, 0.0f);
    EXPECT_EQ(table->glyphs[67].xadvance, 0.0f);
    EXPECT_EQ(table->glyphs[68].xadvance, 0.0f);
    // Leading blanks before the line kind are not part of it.
    EXPECT_EQ(Parsed("  \tchar id=1 xadvance=3")->glyphs[1].xadvance, 3.0f);
}

TEST(GlyphTableTest, ValuesReadInTheirNotationAndClampTo32Bits) {
    EXPECT_EQ(AdvanceOf("42"), 42.0f);
    EXPECT_EQ(AdvanceOf("-42"), -42.0f);
    EXPECT_EQ(AdvanceOf("+5"), 5.0f);
    EXPECT_EQ(AdvanceOf("0x1F"), 31.0f);
    EXPECT_EQ(AdvanceOf("0XfF"), 255.0f);
    EXPECT_EQ(AdvanceOf("-0x10"), -16.0f);
    EXPECT_EQ(AdvanceOf("010"), 8.0f);
    EXPECT_EQ(AdvanceOf("08"), 0.0f);
    EXPECT_EQ(AdvanceOf("0x"), 0.0f);
    EXPECT_EQ(AdvanceOf("12px"), 12.0f);
    EXPECT_EQ(AdvanceOf("\"12\""), 12.0f);
    EXPECT_EQ(AdvanceOf(""), 0.0f);
    EXPECT_EQ(AdvanceOf("abc"), 0.0f);
    EXPECT_EQ(AdvanceOf("2147483647"), 2147483647.0f);
    EXPECT_EQ(AdvanceOf("99999999999999999999999"), 2147483647.0f);
    EXPECT_EQ(AdvanceOf("-99999999999999999999999"), -2147483648.0f);
    EXPECT_EQ(AdvanceOf("0xFFFFFFFFFFFF"), 2147483647.0f);
    // The first "=" splits; a token without one is no key.
    EXPECT_EQ(Parsed("char id=65 xadvance==3")->glyphs[65].xadvance, 0.0f);
    EXPECT_EQ(Parsed("char id=65 xadvance=3=4")->glyphs[65].xadvance, 3.0f);
    EXPECT_EQ(Parsed("char id=65 xadvance=3 xadvance")->glyphs[65].xadvance, 3.0f);
}

TEST(GlyphTableTest, QuotedBlanksStayInsideTheirToken) {
    auto table = Parsed("char id=65 xadvance=4 note=\"a xadvance=3\" \"width=2\"\tyoffset=\"1\"");
    EXPECT_EQ(table->glyphs[65].xadvance, 4.0f);
    EXPECT_EQ(table->glyphs[65].width, 2.0f);
    EXPECT_EQ(table->glyphs[65].yoffset, 1.0f);
    // An unterminated quote runs to the end of the line, not beyond it.
    table = Parsed("char id=65 note=\"open xadvance=3\nchar id=66 xadvance=6");
    EXPECT_EQ(table->glyphs[65].xadvance, 0.0f);
    EXPECT_EQ(table->glyphs[66].xadvance, 6.0f);
}

TEST(GlyphTableTest, ZeroScaleAndCharsBeforeCommonGiveZeroCoordinates) {
    auto table = Parsed(
        "char id=65 x=4 y=4 width=4 height=4 xadvance=5\n"
        "common lineHeight=8 scaleW=0 scaleH=16\n"
        "char id=66 x=4 y=4 width=4 height=4\n");
    EXPECT_EQ(table->glyphs[65].width, 4.0f);
    EXPECT_EQ(table->glyphs[65].s1, 0.0f);
    EXPECT_EQ(table->glyphs[65].t1, 0.0f);
    EXPECT_EQ(table->glyphs[66].s0, 0.0f);
    EXPECT_EQ(table->glyphs[66].s1, 0.0f);
    EXPECT_FLOAT_EQ(table->glyphs[66].t1, 0.5f);
    // Extreme positions stay finite and do not wrap around.
    table = Parsed("common scaleW=1 scaleH=1\nchar id=1 x=2147483647 width=2147483647");
    EXPECT_FLOAT_EQ(table->glyphs[1].s1, 4294967294.0f);
}

TEST(GlyphTableTest, TextWithoutLinesFailsAndSizeBoundsTheText) {
    OV_GLYPH_TABLE table;
    EXPECT_FALSE(table.Parse(nullptr, 10));
    EXPECT_FALSE(table.Parse("common lineHeight=3", 0));
    Parsed("\r\n\n\r", false);
    EXPECT_TRUE(Parsed("info face=x")->lineHeight == 0.0f);
    EXPECT_TRUE(Parsed("   ")->lineHeight == 0.0f);

    const std::string text = "common lineHeight=16\nchar id=65 xadvance=97";
    ASSERT_TRUE(table.Parse(text.data(), static_cast<uint32_t>(text.size() - 1)));
    EXPECT_EQ(table.glyphs[65].xadvance, 9.0f);
    ASSERT_TRUE(table.Parse(text.data(), 19));
    EXPECT_EQ(table.lineHeight, 1.0f);
    // Zero bytes inside the size are ordinary characters.
    const char withZero[] = "char id=66 xadvance=3 \0\nchar id=67 xadvance=4";
    ASSERT_TRUE(table.Parse(withZero, sizeof withZero - 1));
    EXPECT_EQ(table.glyphs[66].xadvance, 3.0f);
    EXPECT_EQ(table.glyphs[67].xadvance, 4.0f);
}

TEST(GlyphTableTest, ReadFileParsesAWholeFileAndFailsWithoutOne) {
    const OvTest::TempFolder scratch;
    const std::string folder = scratch.Root();
    const std::string path = folder + "/font.fnt";
    ASSERT_TRUE(OvTest::WriteBytes(path, OvTest::Bytes(kDescription, kDescription + std::strlen(kDescription))));
    OV_GLYPH_TABLE table;
    ASSERT_TRUE(table.ReadFile(path.c_str()));
    EXPECT_EQ(std::memcmp(&table, Parsed(kDescription).get(), sizeof table), 0);
    EXPECT_FALSE(table.ReadFile((folder + "/missing.fnt").c_str()));
    EXPECT_FALSE(table.ReadFile(nullptr));
    ASSERT_TRUE(OvTest::WriteBytes(folder + "/empty.fnt", {}));
    EXPECT_FALSE(table.ReadFile((folder + "/empty.fnt").c_str()));
}

}  // namespace
