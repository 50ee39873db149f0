#include "ovcore/foundation/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

using OvCore::OV_NUMBER;
using OvCore::OV_STRING;
using OvCore::OV_VARIANT;

TEST(VariantTest, HoldsNothingANumberOrAString) {
    OV_VARIANT none;
    EXPECT_TRUE(none.IsNone());
    EXPECT_EQ(none.TypeLetter(), 0);
    EXPECT_EQ(none.GetCString(), nullptr);
    EXPECT_EQ(none.GetNumber(), 0.0);
    EXPECT_EQ(none.ToString(), "");

    OV_VARIANT number(2.0);
    EXPECT_TRUE(number.IsNumber());
    EXPECT_EQ(number.TypeLetter(), 'n');
    EXPECT_EQ(number.AsNumber(), 2.0);
    EXPECT_EQ(number.AsCString(), nullptr);

    OV_VARIANT text("abc");
    EXPECT_TRUE(text.IsString());
    EXPECT_EQ(text.TypeLetter(), 's');
    EXPECT_STREQ(text.AsCString(), "abc");
    EXPECT_EQ(text.AsNumber(), 0.0);

    EXPECT_TRUE(OV_VARIANT(static_cast<const char*>(nullptr)).IsNone());
    EXPECT_TRUE(OV_VARIANT(OV_NUMBER(1.0)).IsNumber());
    EXPECT_TRUE(OV_VARIANT(OV_STRING("x")).IsString());
}

TEST(VariantTest, ConvertsBetweenNumbersAndText) {
    EXPECT_EQ(OV_VARIANT(2.0).ToString(), "2.000000");
    EXPECT_EQ(OV_VARIANT(-1.5).ToString(), "-1.500000");
    EXPECT_EQ(OV_VARIANT("3.25").ToNumber().Get(), 3.25);
    EXPECT_EQ(OV_VARIANT("3.25i").GetNumber(), 3.25);
    EXPECT_EQ(OV_VARIANT("abc").ToNumber().Get(), 0.0);
    EXPECT_EQ(OV_VARIANT("").GetNumber(), 0.0);
    EXPECT_EQ(OV_VARIANT(7.0).ToNumber().Get(), 7.0);
    EXPECT_EQ(OV_VARIANT("text").ToString(), "text");
}

TEST(VariantTest, NumberTextStaysValidUntilTheVariantChanges) {
    OV_VARIANT v(1.5);
    const char* first = v.GetCString();
    EXPECT_STREQ(first, "1.500000");
    EXPECT_EQ(v.GetCString(), first);
    EXPECT_STREQ(first, "1.500000");

    v = 2.0;
    EXPECT_STREQ(v.GetCString(), "2.000000");
    v = "s";
    EXPECT_STREQ(v.GetCString(), "s");
    v.Clear();
    EXPECT_EQ(v.GetCString(), nullptr);
}

TEST(VariantTest, CopiesAreDeep) {
    OV_VARIANT original("abc");
    OV_VARIANT copy(original);
    OV_VARIANT assigned;
    assigned = original;
    EXPECT_NE(copy.AsCString(), original.AsCString());
    original = "changed";
    EXPECT_STREQ(copy.AsCString(), "abc");
    EXPECT_STREQ(assigned.AsCString(), "abc");

    assigned = OV_VARIANT();
    EXPECT_TRUE(assigned.IsNone());
    copy = copy;
    EXPECT_STREQ(copy.AsCString(), "abc");

    OV_VARIANT moved(std::move(copy));
    EXPECT_STREQ(moved.AsCString(), "abc");
    EXPECT_TRUE(copy.IsNone());
    copy = 4.0;
    EXPECT_EQ(copy.AsNumber(), 4.0);
}

TEST(VariantTest, SettingFromItsOwnStringIsSafe) {
    OV_VARIANT v("self");
    v.SetString(OV_STRING(v.AsCString()));
    EXPECT_STREQ(v.AsCString(), "self");
    v = v.AsCString();
    EXPECT_STREQ(v.AsCString(), "self");
}

TEST(VariantTest, EqualityNeedsSameTypeAndValue) {
    EXPECT_EQ(OV_VARIANT(), OV_VARIANT());
    EXPECT_EQ(OV_VARIANT(1.0), OV_VARIANT(OV_NUMBER(1.0)));
    EXPECT_NE(OV_VARIANT(1.0), OV_VARIANT(1.0000001));
    EXPECT_EQ(OV_VARIANT("a"), OV_VARIANT(OV_STRING("a")));
    EXPECT_NE(OV_VARIANT("a"), OV_VARIANT("b"));
    EXPECT_NE(OV_VARIANT("1.000000"), OV_VARIANT(1.0));
    EXPECT_NE(OV_VARIANT(), OV_VARIANT(""));
    EXPECT_NE(OV_VARIANT(std::nan("")), OV_VARIANT(std::nan("")));
}

TEST(VariantTest, ReferenceMarkIsDroppedWhenTheVariantOwnsANewValue) {
    OV_VARIANT marked("kept");
    marked.SetReference(true);
    EXPECT_TRUE(marked.IsReference());
    OV_VARIANT copy(marked);
    EXPECT_FALSE(copy.IsReference());
    EXPECT_STREQ(copy.AsCString(), "kept");

    OV_VARIANT moved(std::move(marked));
    EXPECT_TRUE(moved.IsReference());
    EXPECT_FALSE(marked.IsReference());
    moved.SetReference(false);

    // A value the variant allocates is its own, whatever the mark said.
    OV_VARIANT v;
    v.SetReference(true);
    v.SetNumber(OV_NUMBER(4.0));
    EXPECT_FALSE(v.IsReference());
    EXPECT_EQ(v.AsNumber(), 4.0);
}
