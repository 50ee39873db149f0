#include "ovcore/foundation/String.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

using OvCore::OV_STRING;

namespace {

// Parses into a buffer of exactly TypeSize bytes surrounded by guard bytes,
// and fails the test when anything outside the value was touched.
std::vector<unsigned char> Parse(const char* text, char forced = 0, bool* ok = nullptr) {
    const OV_STRING s(text);
    const size_t size = s.TypeSize(forced);
    std::vector<unsigned char> guarded(size + 16, 0xAB);
    const bool parsed = s.ParseTyped(guarded.data() + 8, forced);
    if (ok) *ok = parsed;
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(guarded[i], 0xAB) << text;
        EXPECT_EQ(guarded[size + 8 + i], 0xAB) << text;
    }
    return std::vector<unsigned char>(guarded.begin() + 8, guarded.begin() + 8 + size);
}

template <typename T>
T ParseAs(const char* text, char forced = 0) {
    bool ok = false;
    std::vector<unsigned char> bytes = Parse(text, forced, &ok);
    EXPECT_TRUE(ok) << text;
    EXPECT_EQ(bytes.size(), sizeof(T)) << text;
    T value{};
    std::memcpy(&value, bytes.data(), std::min(bytes.size(), sizeof(T)));
    return value;
}

}  // namespace

TEST(TypedValueTest, LetterAndSizeOfEachType) {
    struct Case {
        const char* text;
        char letter;
        size_t size;
    };
    const Case cases[] = {
        {"1b", 'b', 1},    {"1c", 'c', 1},   {"1s", 's', 2}, {"1w", 'w', 2},  {"1d", 'd', 4},
        {"1h", 'h', 4},    {"12i", 'i', 4},  {"1r", 'r', 8}, {"1f", 'f', 16}, {"1.5:2v", 'v', 32},
        {"ff01x", 'x', 2}, {"fffx", 'x', 2}, {"7q", 0, 0},   {"i", 0, 0},     {"", 0, 0},
    };
    for (const Case& c : cases) {
        const OV_STRING s(c.text);
        EXPECT_EQ(s.TypeLetter(), c.letter) << c.text;
        EXPECT_EQ(s.TypeSize(), c.size) << c.text;
    }
    EXPECT_EQ(OV_STRING("abc").TypeSize('x'), 2u);
    EXPECT_EQ(OV_STRING("abcd").TypeSize('x'), 2u);
    EXPECT_EQ(OV_STRING("q").TypeSize('v'), 32u);
    EXPECT_EQ(OV_STRING("").TypeSize('i'), 0u);
    EXPECT_EQ(OV_STRING("1").TypeSize('z'), 0u);
}

TEST(TypedValueTest, IntegersHonourWidthSignAndBasePrefix) {
    EXPECT_EQ(ParseAs<int32_t>("12i"), 12);
    EXPECT_EQ(ParseAs<int32_t>("0x10i"), 16);
    EXPECT_EQ(ParseAs<int32_t>("-017i"), -15);
    EXPECT_EQ(ParseAs<int8_t>("-5c"), -5);
    EXPECT_EQ(ParseAs<int8_t>("0x1fc"), 31);
    EXPECT_EQ(ParseAs<uint8_t>("0x1fb"), 31);  // the letter is not read as a digit
    EXPECT_EQ(ParseAs<uint8_t>("300b"), 44);
    EXPECT_EQ(ParseAs<int16_t>("-2s"), -2);
    EXPECT_EQ(ParseAs<uint16_t>("65535w"), 65535);
    EXPECT_EQ(ParseAs<uint32_t>("4000000000d"), 4000000000u);
}

TEST(TypedValueTest, RealsAndColonLists) {
    EXPECT_FLOAT_EQ(ParseAs<float>("0.25h"), 0.25f);
    EXPECT_DOUBLE_EQ(ParseAs<double>("1e3r"), 1000.0);

    struct Doubles {
        double v[4];
    };
    Doubles pair = ParseAs<Doubles>("1.5:2v");
    EXPECT_DOUBLE_EQ(pair.v[0], 1.5);
    EXPECT_DOUBLE_EQ(pair.v[1], 2.0);

    struct Floats {
        float v[4];
    };
    Floats four = ParseAs<Floats>("1:2:3:4:5:6f");
    EXPECT_FLOAT_EQ(four.v[0], 1.0f);
    EXPECT_FLOAT_EQ(four.v[3], 4.0f);
}

TEST(TypedValueTest, ColonListLeavesUnreadSlotsUntouched) {
    double values[4] = {9, 9, 9, 9};
    ASSERT_TRUE(OV_STRING("1:2v").ParseTyped(values));
    EXPECT_EQ(values[0], 1.0);
    EXPECT_EQ(values[1], 2.0);
    EXPECT_EQ(values[2], 9.0);
    EXPECT_EQ(values[3], 9.0);
}

TEST(TypedValueTest, HexBytesRunFromTheLastDigit) {
    EXPECT_EQ(Parse("ff01x"), (std::vector<unsigned char>{0x01, 0xff}));
    EXPECT_EQ(Parse("1a2bx"), (std::vector<unsigned char>{0x2b, 0x1a}));
    EXPECT_EQ(Parse("fffx"), (std::vector<unsigned char>{0xff, 0x0f}));
    EXPECT_EQ(Parse("zz1x"), (std::vector<unsigned char>{0x01, 0x00}));
    EXPECT_EQ(Parse("Ax"), (std::vector<unsigned char>{0x0a}));
    EXPECT_EQ(Parse("abc", 'x'), (std::vector<unsigned char>{0xbc, 0x0a}));
}

TEST(TypedValueTest, ForcedLetterReadsTheWholeText) {
    EXPECT_DOUBLE_EQ(ParseAs<double>("2.5x", 'r'), 2.5);
    EXPECT_EQ(ParseAs<int32_t>("7", 'i'), 7);
    EXPECT_EQ(ParseAs<int32_t>("12i", 'i'), 12);
}

TEST(TypedValueTest, RejectsUnknownShortOrNull) {
    unsigned char buffer[32] = {};
    EXPECT_FALSE(OV_STRING("7q").ParseTyped(buffer));
    EXPECT_FALSE(OV_STRING("i").ParseTyped(buffer));
    EXPECT_FALSE(OV_STRING("").ParseTyped(buffer, 'r'));
    EXPECT_FALSE(OV_STRING("12").ParseTyped(buffer, 'q'));
    EXPECT_FALSE(OV_STRING("12i").ParseTyped(nullptr));
    for (unsigned char byte : buffer) EXPECT_EQ(byte, 0);
}
