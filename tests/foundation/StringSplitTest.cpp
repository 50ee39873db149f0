#include "ovcore/foundation/String.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using OvCore::OV_STRING;

namespace {

std::vector<std::string> Pieces(OV_STRING* pieces, unsigned count) {
    std::vector<std::string> result;
    for (unsigned i = 0; i < count; ++i) result.emplace_back(pieces[i].Get());
    delete[] pieces;
    return result;
}

std::vector<std::string> Split(const char* text, const char* delimiters, const char* quotes = nullptr) {
    unsigned count = 12345;
    OV_STRING* pieces = OV_STRING(text).Explode(delimiters, &count, quotes);
    EXPECT_NE(pieces, nullptr);
    return Pieces(pieces, count);
}

using Words = std::vector<std::string>;

}  // namespace

TEST(StringSplitTest, SkipsEmptyPieces) {
    EXPECT_EQ(Split("a,,b,", ","), (Words{"a", "b"}));
    EXPECT_EQ(Split(",a", ","), (Words{"a"}));
    EXPECT_EQ(Split(",,,", ","), Words{});
    EXPECT_EQ(Split("a", ","), (Words{"a"}));
    EXPECT_EQ(Split("x", "x"), Words{});
    EXPECT_EQ(Split("a b\tc", " \t"), (Words{"a", "b", "c"}));
}

TEST(StringSplitTest, EmptyTextStillGivesADeletableArray) {
    unsigned count = 7;
    OV_STRING* pieces = OV_STRING().Explode(",", &count, "\"");
    ASSERT_NE(pieces, nullptr);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(pieces[0].Length(), 0u);
    delete[] pieces;
}

TEST(StringSplitTest, QuotesProtectDelimitersAndStayInPieces) {
    EXPECT_EQ(Split("x \"a b\" y", " ", "\""), (Words{"x", "\"a b\"", "y"}));
    EXPECT_EQ(Split("'a,b',\"c,d\"", ",", "'\""), (Words{"'a,b'", "\"c,d\""}));
    // An unclosed quote protects the rest of the text.
    EXPECT_EQ(Split("a,\"b,c", ",", "\""), (Words{"a", "\"b,c"}));
    // Listing a quote twice toggles twice: it no longer protects anything.
    EXPECT_EQ(Split("\"a,b\"", ",", "\"\""), (Words{"\"a", "b\""}));
    EXPECT_EQ(Split("\"a,b\"", ",", ""), (Words{"\"a", "b\""}));
}

TEST(StringSplitTest, EmptyDelimitersGiveTheWholeText) { EXPECT_EQ(Split("a,b c", ""), (Words{"a,b c"})); }

TEST(StringSplitTest, NullArgumentsFailWithNull) {
    OV_STRING s("a,b");
    unsigned count = 9;
    EXPECT_EQ(s.Explode(nullptr, &count, nullptr), nullptr);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(s.Explode(",", nullptr, nullptr), nullptr);
    count = 9;
    EXPECT_EQ(OV_STRING::Explode(nullptr, 5, ",", &count, nullptr), nullptr);
    EXPECT_EQ(count, 0u);
}

namespace {
Words SplitRange(const char* start, size_t length, const char* delimiters) {
    unsigned count = 0;
    OV_STRING* pieces = OV_STRING::Explode(start, length, delimiters, &count, nullptr);
    EXPECT_NE(pieces, nullptr);
    return Pieces(pieces, count);
}
}  // namespace

TEST(StringSplitTest, RangeFormReadsOnlyItsRange) {
    const char buffer[] = {'a', ',', 'b', 'c', ',', 'd', 'e', 'f'};  // no terminator
    EXPECT_EQ(SplitRange(buffer, sizeof buffer, ","), (Words{"a", "bc", "def"}));
    EXPECT_EQ(SplitRange(buffer + 2, 4, ","), (Words{"bc", "d"}));
    EXPECT_EQ(SplitRange(buffer, 0, ","), Words{});

    const char withZero[] = {'a', ',', 'b', 0, ',', 'c'};
    EXPECT_EQ(SplitRange(withZero, sizeof withZero, ","), (Words{"a", "b"}));
}

TEST(StringSplitTest, LargeTextSplitsCompletely) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "w" + std::to_string(i) + (i % 3 ? "," : ",,");
    unsigned count = 0;
    OV_STRING* pieces = OV_STRING(text.c_str()).Explode(",", &count, nullptr);
    ASSERT_EQ(count, 20000u);
    EXPECT_EQ(pieces[0], "w0");
    EXPECT_EQ(pieces[19999], "w19999");
    delete[] pieces;
}
