#include "ovcore/foundation/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

using OvCore::OV_STRING;

TEST(StringTest, EmptyAndNullTextsAreValidEmptyStrings) {
    OV_STRING empty;
    OV_STRING fromNull(static_cast<const char*>(nullptr));
    for (const OV_STRING* s : {&empty, &fromNull}) {
        ASSERT_NE(s->Get(), nullptr);
        EXPECT_EQ(s->Length(), 0u);
        EXPECT_FALSE(s->IsBorrowed());
    }
}

TEST(StringTest, CopiesAreDeepAndIndependent) {
    OV_STRING original("abc");
    OV_STRING copy(original);
    OV_STRING assigned;
    assigned = original;
    copy.Get()[0] = 'x';
    assigned += "d";
    EXPECT_EQ(original, "abc");
    EXPECT_EQ(copy, "xbc");
    EXPECT_EQ(assigned, "abcd");

    assigned = assigned;
    EXPECT_EQ(assigned, "abcd");
}

TEST(StringTest, MovedFromStringIsValidAndEmpty) {
    OV_STRING source("payload");
    const char* buffer = source.Get();
    OV_STRING moved(std::move(source));
    EXPECT_EQ(moved.Get(), buffer);
    ASSERT_NE(source.Get(), nullptr);
    EXPECT_EQ(source.Length(), 0u);

    OV_STRING target("old");
    target = std::move(moved);
    EXPECT_EQ(target, "payload");
    EXPECT_EQ(moved, "");
    source = "reused";
    EXPECT_EQ(source, "reused");
}

TEST(StringTest, AssignCopiesAtMostNAndIgnoresNull) {
    OV_STRING s("keep");
    s.Assign(nullptr);
    s.Assign(nullptr, 3);
    EXPECT_EQ(s, "keep");

    s.Assign("abcdef", 3);
    EXPECT_EQ(s, "abc");
    s.Assign("ab", 10);
    EXPECT_EQ(s, "ab");

    // The counted form must not read beyond n even without a terminator.
    const char unterminated[3] = {'x', 'y', 'z'};
    s.Assign(unterminated, sizeof unterminated);
    EXPECT_EQ(s, "xyz");

    s = "hello world";
    s.Assign(s.Get() + 6);
    EXPECT_EQ(s, "world");
}

TEST(StringTest, BorrowedArrayIsNeverFreedAndNewTextIsOwned) {
    char* foreign = nullptr;
    {
        OV_STRING s("shared");
        foreign = s.Get();
        s.SetBorrowed(true);
        EXPECT_TRUE(s.IsBorrowed());
        s += "!";  // replaces the text: the foreign array must survive
        EXPECT_FALSE(s.IsBorrowed());
        EXPECT_EQ(s, "shared!");
    }  // the appended text is freed here (a leak would show under the sanitizer)
    EXPECT_STREQ(foreign, "shared");
    delete[] foreign;

    OV_STRING borrowedSource("text");
    char* sourceArray = borrowedSource.Get();
    borrowedSource.SetBorrowed(true);
    OV_STRING copy(borrowedSource);
    OV_STRING moved(std::move(borrowedSource));
    EXPECT_FALSE(copy.IsBorrowed());
    EXPECT_FALSE(moved.IsBorrowed());
    EXPECT_NE(moved.Get(), sourceArray);
    EXPECT_EQ(moved, "text");
    delete[] sourceArray;
}

TEST(StringTest, FormatMeasuresExactlyAndRejectsNull) {
    OV_STRING s;
    ASSERT_TRUE(s.Format("%s-%03d-%.2f", "id", 7, 1.5));
    EXPECT_EQ(s, "id-007-1.50");
    std::string big(5000, 'q');
    ASSERT_TRUE(s.Format("<%s>", big.c_str()));
    EXPECT_EQ(s.Length(), 5002u);
    ASSERT_TRUE(s.Format("%s%s", s.Get(), "+"));
    EXPECT_EQ(s.Length(), 5003u);
    EXPECT_FALSE(s.Format(nullptr));
    EXPECT_EQ(s.Length(), 5003u);
}

TEST(StringTest, AppendsTextAndNumbers) {
    OV_STRING s("n=");
    s += -42;
    s += ",";
    s += 4294967295u;
    s += OV_STRING(",");
    s += 0.1;
    s += ",";
    s += 123456789.0;
    s += static_cast<const char*>(nullptr);
    EXPECT_EQ(s, "n=-42,4294967295,0.1,1.2345679e+08");

    s = "ab";
    s += s;
    EXPECT_EQ(s, "abab");
    EXPECT_EQ(s + "c", "ababc");
    EXPECT_EQ(OV_STRING("x") + OV_STRING("y"), "xy");
}

TEST(StringTest, ComparisonIsExactAndNullNeverEqual) {
    OV_STRING s("Abc");
    EXPECT_TRUE(s == "Abc");
    EXPECT_FALSE(s == "abc");
    EXPECT_FALSE(s == "Ab");
    EXPECT_TRUE(s != OV_STRING("Abcd"));
    const char* none = nullptr;
    EXPECT_FALSE(s == none);
    EXPECT_TRUE(s != none);
    EXPECT_FALSE(OV_STRING() == none);
}

TEST(StringTest, FindReportsOffsetFromTextStart) {
    OV_STRING s("abcabc");
    size_t position = 99;
    ASSERT_TRUE(s.Find(0, "bc", &position));
    EXPECT_EQ(position, 1u);
    ASSERT_TRUE(s.Find(2, "bc", &position));
    EXPECT_EQ(position, 4u);
    ASSERT_TRUE(s.Find(3, "", &position));
    EXPECT_EQ(position, 3u);

    position = 99;
    EXPECT_FALSE(s.Find(5, "bc", &position));
    EXPECT_FALSE(s.Find(6, "c", &position));
    EXPECT_FALSE(s.Find(1000, "a", &position));
    EXPECT_FALSE(s.Find(0, nullptr, &position));
    EXPECT_FALSE(s.Find(0, "a", nullptr));
    EXPECT_EQ(position, 99u);
}

TEST(StringTest, TokenizeWalksAllTokensIncludingTheLast) {
    OV_STRING s("1:2:3");
    OV_STRING token;
    size_t next = s.Tokenize(token, ":", 0);
    EXPECT_EQ(token, "1");
    EXPECT_EQ(next, 2u);
    next = s.Tokenize(token, ":", next);
    EXPECT_EQ(token, "2");
    EXPECT_EQ(next, 4u);
    next = s.Tokenize(token, ":", next);
    EXPECT_EQ(token, "3");
    EXPECT_EQ(next, 0u);

    OV_STRING words("a::b");
    EXPECT_EQ(words.Tokenize(token, "::", 0), 3u);
    EXPECT_EQ(token, "a");
    EXPECT_EQ(words.Tokenize(token, "::", 3), 0u);
    EXPECT_EQ(token, "b");
}

TEST(StringTest, TokenizeEdgesNeverLoopForever) {
    OV_STRING s("a,b");
    OV_STRING token("stale");
    EXPECT_EQ(s.Tokenize(token, "", 0), 0u);
    EXPECT_EQ(token, "a,b");
    EXPECT_EQ(s.Tokenize(token, ",", 3), 0u);
    EXPECT_EQ(token, "");
    token = "stale";
    EXPECT_EQ(s.Tokenize(token, ",", 4), 0u);
    EXPECT_EQ(token, "");
    token = "stale";
    EXPECT_EQ(s.Tokenize(token, nullptr, 0), 0u);
    EXPECT_EQ(token, "");

    OV_STRING trailing("x,");
    EXPECT_EQ(trailing.Tokenize(token, ",", 0), 2u);
    EXPECT_EQ(trailing.Tokenize(token, ",", 2), 0u);
    EXPECT_EQ(token, "");

    // The token may be the string itself.
    OV_STRING self("left|right");
    EXPECT_EQ(self.Tokenize(self, "|", 0), 5u);
    EXPECT_EQ(self, "left");
}

TEST(StringTest, ReplaceAllReplacesNonOverlappingLeftToRight) {
    OV_STRING out;
    EXPECT_EQ(OV_STRING("a b c").ReplaceAll(out, " ", "%20"), 2u);
    EXPECT_EQ(out, "a%20b%20c");
    EXPECT_EQ(OV_STRING("aaaa").ReplaceAll(out, "aa", "b"), 2u);
    EXPECT_EQ(out, "bb");
    EXPECT_EQ(OV_STRING("aaa").ReplaceAll(out, "aa", "xyz"), 1u);
    EXPECT_EQ(out, "xyza");
    EXPECT_EQ(OV_STRING("--x--").ReplaceAll(out, "-", ""), 4u);
    EXPECT_EQ(out, "x");
    EXPECT_EQ(OV_STRING("none").ReplaceAll(out, "z", "y"), 0u);
    EXPECT_EQ(out, "none");

    OV_STRING source("keep");
    OV_STRING copy("stale");
    EXPECT_EQ(source.ReplaceAll(copy, "", "x"), 0u);
    EXPECT_EQ(copy, "keep");
    copy = "stale";
    EXPECT_EQ(source.ReplaceAll(copy, nullptr, "x"), 0u);
    EXPECT_EQ(copy, "keep");
    EXPECT_EQ(source.ReplaceAll(copy, "e", nullptr), 0u);
    EXPECT_EQ(source, "keep");

    OV_STRING self("a.b.c");
    EXPECT_EQ(self.ReplaceAll(self, ".", "::"), 2u);
    EXPECT_EQ(self, "a::b::c");
}

TEST(StringTest, ReplaceCharCountsAndKeepsExactText) {
    OV_STRING s("a/b/c");
    EXPECT_EQ(s.ReplaceChar('/', '\\'), 2u);
    EXPECT_EQ(s, "a\\b\\c");
    EXPECT_EQ(s.ReplaceChar('q', 'x'), 0u);
    EXPECT_EQ(s.ReplaceChar('\\', 0), 2u);
    EXPECT_EQ(s, "a");
    EXPECT_EQ(s.ReplaceChar(0, 'x'), 0u);
    EXPECT_EQ(s, "a");
}

namespace {
std::string Unescaped(const char* text) {
    OV_STRING s(text);
    s.Unescape();
    return std::string(s.Get(), s.Length());
}
}  // namespace

TEST(StringTest, UnescapeDecodesTheListedEscapes) {
    EXPECT_EQ(Unescaped("a\\tb"), "a\tb");
    EXPECT_EQ(Unescaped("\\a\\b\\f\\n\\r\\t\\v"), "\a\b\f\n\r\t\v");
    EXPECT_EQ(Unescaped("\\'\\\"\\\\\\?"), "'\"\\?");
    EXPECT_EQ(Unescaped("\\\\n"), "\\n");
    EXPECT_EQ(Unescaped("plain"), "plain");
}

TEST(StringTest, UnescapeHexDigits) {
    EXPECT_EQ(Unescaped("\\x41"), "A");
    EXPECT_EQ(Unescaped("\\x4a\\x4A!"), "JJ!");
    EXPECT_EQ(Unescaped("\\xz4"), "\x04");
    EXPECT_EQ(Unescaped("\\x4z"), "\x44");
    EXPECT_EQ(Unescaped("\\xff"), "\xff");
}

TEST(StringTest, UnescapeEndsTextAtZerosAndTruncatedEscapes) {
    EXPECT_EQ(Unescaped("\\x4"), "");
    EXPECT_EQ(Unescaped("ab\\x"), "ab");
    EXPECT_EQ(Unescaped("ab\\"), "ab");
    EXPECT_EQ(Unescaped("ab\\0cd"), "ab");
    EXPECT_EQ(Unescaped("ab\\x00cd"), "ab");
    EXPECT_EQ(Unescaped("ab\\xzzcd"), "ab");
}

TEST(StringTest, UnescapeKeepsUnknownEscapesWhole) {
    EXPECT_EQ(Unescaped("C:\\dir\\q"), "C:\\dir\\q");
    EXPECT_EQ(Unescaped("\\q\\n"), "\\q\n");
}
